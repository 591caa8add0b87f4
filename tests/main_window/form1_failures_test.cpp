// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's failures, one row each: what its report box says (nothing for a drive that
// is not ready, which falls back without a word), what is on disk afterwards, and that nothing
// typed or chosen is lost: the texts, the photo and its preview, the destination and the state.
//
// Root ignores permission bits. Run as root, the program hands the whole table to a child
// process that gives its rights up (as "nobody") before Qt starts any thread; the row about
// rights checks the bits it relies on and that its process really lacks root's rights.

#include "controls/drivelistbox.h"
#include "controls/filelistbox.h"
#include "controls/folderlistbox.h"
#include "main_window/form1.h"
#include "main_window/picturebox.h"
#include "support/controltest.h"
#include "support/modalanswerer.h"
#include "support/privileges.h"
#include "support/windowtest.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#ifndef Q_OS_WIN
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

enum class Action { SelectPhoto, AddFolder, ChooseNotReadyPhotoDrive, ChooseNotReadyDrive, Suite };

// What the row does to the world before the action.
enum class Arrange { Nothing, RemovePhotoAfterListing, RemoveChosenPhoto, RemoveDestination };

const QString kTyped = QStringLiteral("Zoé Łukasiewicz");
const QString kSection = QStringLiteral("ligne un\nligne deux 😀");
const QByteArray kOldPage = "page d'une course précédente";

// A drive whose medium is out.
#ifdef Q_OS_WIN
const QString kNotReady = QStringLiteral("R:\\");
#else
const QString kNotReady = QStringLiteral("/media/vide");
#endif

// Every file and folder under root, as relative paths; folders end with "/".
QStringList tree(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString relative = QDir(root).relativeFilePath(it.filePath());
        entries.append(it.fileInfo().isDir() ? relative + '/' : relative);
    }
    entries.sort();
    return entries;
}

// What the report box said, or nothing when no box was shown.
QString reportOf(const ModalAnswerer &answerer)
{
    for (const ModalAnswerer::Seen &box : answerer.seen()) {
        if (box.kind != QLatin1String("message"))
            continue;
        if (box.title != QLatin1String("Pomerel"))
            return QStringLiteral("a box titled ") + box.title;
        return box.text;
    }
    return {};
}

// The shipped resources; a copy anyone can read when the tests run without root's rights.
QString resourceFolder()
{
    const QByteArray copy = qgetenv("POMEREL_TEST_RESOURCES");
    return copy.isEmpty() ? QStringLiteral(POMEREL_RESOURCE_DIR) : QString::fromLocal8Bit(copy);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(Arrange)

class TestForm1Failures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void failureChangesOnlyWhatItsStepDid_data();
    void failureChangesOnlyWhatItsStepDid();

private:
    template<typename T = QWidget> T *control(const QString &name) const
    {
        return ::control<T>(m_window.get(), name);
    }
    void act(Action action, const QString &argument);
    // What a row checks in the window after its action; the number seen, or a negative value
    // when something typed or chosen was lost.
    QString reportIfNothingLost(const ModalAnswerer &answerer, bool editing,
                                bool destinationKept) const;

    QTemporaryDir m_root;
    QString m_resources;
    std::unique_ptr<QTemporaryDir> m_scratch;
    // A fixed set of drives, one of them without its medium.
    const ControlTest::FixedVolumes m_volumes{
        {ControlTest::volumeAt(QDir::rootPath()), ControlTest::volumeAt(kNotReady, "vide", false)}};
    std::unique_ptr<Form1> m_window;
    qint64 m_preview = 0; // the chosen photo's preview
    QString m_photos;
    QString m_destination;
};

void TestForm1Failures::initTestCase()
{
    QVERIFY(m_root.isValid());
    m_resources = m_root.filePath("resources");
    QVERIFY(QDir().mkpath(m_resources));
    QVERIFY(copyShippedResources(m_resources, resourceFolder()));
    // The window's resource folder is its working folder.
    QVERIFY(QDir::setCurrent(m_resources));
}

// A window with a name and a section typed, a.jpg chosen as the photo, and the folder cv
// (holding an earlier page, a note and a subfolder 2007) chosen as the destination.
void TestForm1Failures::init()
{
    m_scratch = std::make_unique<QTemporaryDir>(m_root.filePath("scratchXXXXXX"));
    QVERIFY(m_scratch->isValid());
    m_photos = m_scratch->filePath("photos");
    m_destination = m_scratch->filePath("cv");
    QVERIFY(QDir().mkpath(m_photos));
    QVERIFY(QDir().mkpath(m_destination + "/2007"));
    QImage picture(40, 50, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(m_photos + "/a.jpg", "JPEG"));
    QVERIFY(picture.save(m_photos + "/gone.jpg", "JPEG"));
    writeFile(m_photos + "/broken.jpg", "du texte, pas une image\n");
    writeFile(m_destination + "/CV.html", kOldPage);
    writeFile(m_destination + "/notes.txt", "notes");

    m_window = std::make_unique<Form1>();
    m_volumes.handTo(m_window.get());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));

    control<QLineEdit>("Text6")->setText(kTyped);
    control<QPlainTextEdit>("Text1")->setPlainText(kSection);
    control<FolderListBox>("dirList")->setPath(m_photos);
    QVERIFY(selectFile(control<FileListBox>("filList"), "a.jpg"));
    QCOMPARE(m_window->OC(), QStringLiteral("a.jpg"));
    m_preview = control<PictureBox>("Picture1")->picture().cacheKey();
    control<FolderListBox>("dirList1")->setPath(m_destination);
    QCOMPARE(m_window->oa(), ControlTest::native(m_destination + '/'));
}

void TestForm1Failures::cleanup()
{
    m_window.reset();
    QVERIFY(QDir::setCurrent(m_resources));
}

void TestForm1Failures::act(Action action, const QString &argument)
{
    switch (action) {
    case Action::SelectPhoto:
        QVERIFY(selectFile(control<FileListBox>("filList"), argument));
        break;
    case Action::AddFolder:
        QTest::mouseClick(control("Command7"), Qt::LeftButton);
        break;
    case Action::ChooseNotReadyPhotoDrive:
        control<DriveListBox>("DrvList")->setCurrentIndex(1); // as the user picks it
        break;
    case Action::ChooseNotReadyDrive:
        control<DriveListBox>("DrvList1")->setCurrentIndex(1);
        break;
    case Action::Suite:
        QTest::mouseClick(control("Command8"), Qt::LeftButton);
        break;
    }
}

QString TestForm1Failures::reportIfNothingLost(const ModalAnswerer &answerer, bool editing,
                                               bool destinationKept) const
{
    // The destination is always the folder its list shows.
    using ControlTest::native;
    const QString shown = control<FolderListBox>("dirList1")->path() + QDir::separator();
    const bool kept =
        control<QLineEdit>("Text6")->text() == kTyped &&
        control<QPlainTextEdit>("Text1")->toPlainText() == kSection &&
        m_window->OC() == QLatin1String("a.jpg") && m_window->OB() == native(m_photos + "/a.jpg") &&
        control<PictureBox>("Picture1")->picture().cacheKey() == m_preview &&
        m_window->oa() == shown &&
        (!destinationKept || m_window->oa() == native(m_destination + '/')) &&
        control("filList")->isVisible() == editing &&
        control("Command8")->isVisible() == !editing && !control("Label9")->isVisible();
    return kept ? reportOf(answerer) : QStringLiteral("something typed or chosen was lost");
}

void TestForm1Failures::failureChangesOnlyWhatItsStepDid_data()
{
    QTest::addColumn<Arrange>("arrange");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("withoutRights");
    QTest::addColumn<QString>("report");
    QTest::addColumn<bool>("picturesCopied");

    const auto row = [](const char *name, Arrange arrange, Action action, const QString &argument,
                        const QString &report, bool withoutRights = false,
                        bool picturesCopied = false) {
        QTest::newRow(name) << arrange << action << argument << withoutRights << report
                            << picturesCopied;
    };
    const QString notFound = QStringLiteral("Erreur 53 : Fichier introuvable");
    const QString noPath = QStringLiteral("Erreur 76 : Chemin d'accès introuvable");
    row("photo that is not a picture", Arrange::Nothing, Action::SelectPhoto, "broken.jpg",
        "Erreur 481 : Image incorrecte");
    row("photo removed after it was listed", Arrange::RemovePhotoAfterListing, Action::SelectPhoto,
        "gone.jpg", notFound);
    row("folder that exists", Arrange::Nothing, Action::AddFolder, "2007",
        "Erreur 58 : Fichier déjà existant");
#ifdef Q_OS_WIN
    row("folder name with refused characters", Arrange::Nothing, Action::AddFolder, "a<b>?",
        "Erreur 52 : ");
    row("folder name of blanks and dots, which Windows drops", Arrange::Nothing, Action::AddFolder,
        " . ", "Erreur 52 : ");
#else
    // The one name Linux refuses: longer than a name may be.
    row("folder name the system refuses", Arrange::Nothing, Action::AddFolder, QString(300, 'n'),
        "Erreur 52 : Nom ou numéro de fichier incorrect");
#endif
    row("folder whose parent is missing", Arrange::Nothing, Action::AddFolder, "manque/dedans",
        noPath);
#ifndef Q_OS_WIN
    row("folder without the right to make it", Arrange::Nothing, Action::AddFolder, "nouveau",
        "Erreur 70 : Permission refusée", true);
#endif
    row("photo drive not ready", Arrange::Nothing, Action::ChooseNotReadyPhotoDrive, "", "");
    row("destination drive not ready", Arrange::Nothing, Action::ChooseNotReadyDrive, "", "");
    row("photo deleted before SUITE", Arrange::RemoveChosenPhoto, Action::Suite, "", notFound,
        false, true);
    row("destination removed before SUITE", Arrange::RemoveDestination, Action::Suite, "", noPath);
}

void TestForm1Failures::failureChangesOnlyWhatItsStepDid()
{
    QFETCH(Arrange, arrange);
    QFETCH(Action, action);
    QFETCH(QString, argument);
    QFETCH(bool, withoutRights);
    QFETCH(QString, report);
    QFETCH(bool, picturesCopied);

    const bool editing =
        action == Action::SelectPhoto || action == Action::ChooseNotReadyPhotoDrive;
    if (!editing)
        QTest::mouseClick(control("Command6"), Qt::LeftButton); // "Création de la page."
    switch (arrange) {
    case Arrange::Nothing:
        break;
    case Arrange::RemovePhotoAfterListing:
    case Arrange::RemoveChosenPhoto:
        QVERIFY(QFile::remove(m_photos +
                              (arrange == Arrange::RemoveChosenPhoto ? "/a.jpg" : "/gone.jpg")));
        break;
    case Arrange::RemoveDestination:
        QVERIFY(QDir(m_destination).removeRecursively());
        break;
    }
    QStringList expected = tree(m_scratch->path());
    if (picturesCopied) {
        for (const QString &name : QDir(m_resources).entryList({"*.jpg", "*.gif"}, QDir::Files))
            expected.append("cv/" + name);
        expected.sort();
    }

    if (withoutRights) {
#ifndef Q_OS_WIN
        QVERIFY2(::geteuid() != 0, "root would make the folder whatever its rights");
#endif
        QVERIFY(QFile::setPermissions(m_destination, QFile::ReadOwner | QFile::ExeOwner |
                                                         QFile::ReadOther | QFile::ExeOther));
        QCOMPARE(QFileInfo(m_destination).permissions() & (QFile::WriteOwner | QFile::WriteOther),
                 QFile::Permissions());
    }
    const ModalAnswerer answerer(argument);
    act(action, argument);
    // A drive that is not ready sends its lists back, without a word, to the drive they
    // showed, on its current folder; the destination follows its lists.
    const bool destinationFallsBack = action == Action::ChooseNotReadyDrive;
    const QString seen = reportIfNothingLost(answerer, editing, !destinationFallsBack);
    if (destinationFallsBack || action == Action::ChooseNotReadyPhotoDrive) {
        const QString suffix = destinationFallsBack ? QStringLiteral("1") : QString();
        const auto *drives = control<DriveListBox>("DrvList" + suffix);
        QCOMPARE(drives->drive(), ControlTest::native(QDir::rootPath()));
        QCOMPARE(drives->currentIndex(), 0);
        QVERIFY(!control<FolderListBox>("dirList" + suffix)->path().startsWith(kNotReady));
    }
    if (withoutRights)
        QVERIFY(QFile::setPermissions(m_destination,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    QVERIFY2(report.isEmpty() ? seen.isEmpty() : seen.startsWith(report), qPrintable(seen));
    QCOMPARE(tree(m_scratch->path()), expected);
    if (QFile::exists(m_destination + "/CV.html")) {
        QFile page(m_destination + "/CV.html");
        QVERIFY(page.open(QIODevice::ReadOnly));
        QCOMPARE(page.readAll(), kOldPage);
    }
}

#ifndef Q_OS_WIN
namespace {

// Runs the tests as nobody in a child process, with a copy of the resources it can read, and
// gives the child's result. Called before Qt starts, so that the child inherits no thread.
int runWithoutRootRights(int argc, char **argv)
{
    namespace fs = std::filesystem;
    std::string folder = (fs::temp_directory_path() / "pomerel-resources-XXXXXX").string();
    if (!::mkdtemp(folder.data()))
        return 120;
    fs::permissions(folder, fs::perms(0755));
    fs::copy(POMEREL_RESOURCE_DIR, folder, fs::copy_options::recursive);
    ::setenv("POMEREL_TEST_RESOURCES", folder.c_str(), 1);

    const pid_t child = ::fork();
    if (child == 0) {
        if (!testing_support::dropPrivileges() || ::chdir(folder.c_str()) != 0)
            ::_exit(121);
        int result = 0;
        {
            QApplication app(argc, argv);
            TestForm1Failures test;
            result = QTest::qExec(&test, argc, argv);
        }
        std::exit(result); // through the exit handlers, so that leaks are still looked for
    }
    int status = 0;
    const bool waited = child > 0 && ::waitpid(child, &status, 0) == child;
    fs::remove_all(folder);
    return waited && WIFEXITED(status) ? WEXITSTATUS(status) : 122;
}

} // namespace
#endif

int main(int argc, char **argv)
{
#ifndef Q_OS_WIN
    if (::geteuid() == 0)
        return runWithoutRootRights(argc, argv);
#endif
    QApplication app(argc, argv);
    TestForm1Failures test;
    return QTest::qExec(&test, argc, argv);
}

#include "form1_failures_test.moc"
