// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/drivelistbox.h"
#include "controls/filelistbox.h"
#include "controls/folderlistbox.h"
#include "generation/generation.h"
#include "generation/pagetemplate.h"
#include "help_window/form2.h"
#include "main_window/form1.h"
#include "main_window/picturebox.h"
#include "support/controltest.h"
#include "support/modalanswerer.h"
#include "support/windowtest.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>
#include <QUrl>
#include <memory>
#include <optional>

using ControlTest::native;

namespace {

// Every control of the window, back to front.
const QStringList kStacking{"Label1",   "Label2",   "Label3",   "Label4",   "Label5",   "Label6",
                            "Image1",   "Label7",   "Label8",   "Label9",   "Text1",    "Command1",
                            "Command2", "Command3", "Command4", "Command5", "Text2",    "Text3",
                            "Text4",    "Text5",    "Text6",    "Text7",    "Text8",    "Text9",
                            "Text10",   "Text11",   "Text12",   "Text13",   "Picture1", "DrvList",
                            "dirList",  "filList",  "Command6", "DrvList1", "dirList1", "filList1",
                            "Command7", "Command8", "Text14",   "Command9", "Command10"};

// The controls that every state shows.
const QStringList kAlwaysShown{
    "Label1",   "Label2",   "Label3",   "Label4",   "Label5",   "Label6",  "Label8", "Text6",
    "Text7",    "Text8",    "Text9",    "Text10",   "Text11",   "Text12",  "Text13", "Text14",
    "Command1", "Command2", "Command3", "Command4", "Command5", "Picture1"};
const QStringList kEditing =
    kAlwaysShown + QStringList{"Image1", "Text1", "DrvList", "dirList", "filList", "Command6"};
const QStringList kChoosingDestination =
    kAlwaysShown +
    QStringList{"DrvList1", "dirList1", "filList1", "Command7", "Command8", "Label7"};
const QStringList kFinished = kAlwaysShown + QStringList{"Label9", "Command9", "Command10"};

const QString kPrompt =
    QStringLiteral("Veuillez rentrer le nom du répertoire sans espace à créer.  Merci");

QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

QStringList replaced(QStringList names, const QString &from, const QString &to)
{
    names.removeAll(from);
    names.append(to);
    return names;
}

// Types text as key presses, letters outside Latin-1 too.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar letter : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(letter), Qt::NoModifier);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A 1 x 1 GIF, since Qt writes no GIF of its own.
const QByteArray kTinyGif = QByteArray::fromHex(
    "47494638396101000100800000ffffff00000021f90401000000002c00000000010001000002024401003b");

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void opensInEditing();
    void stacking();
    void messagesWrap_data();
    void messagesWrap();
    void textBoxesDrawInTheWindowsFaces();
    void states_data();
    void states();
    void tabOrder_data();
    void tabOrder();
    void accessibleNames_data();
    void accessibleNames();
    void sectionButtonsKeepTexts();

    void photoChoice_data();
    void photoChoice();
    void destination_data();
    void destination();
    void addFolder_data();
    void addFolder();

    void wholeRun();
    void noDestinationStaysChoosing();
    void failedRunKeepsEverything();

private:
    template<typename T = QWidget> T *control(const QString &name) const
    {
        return ::control<T>(m_window.get(), name);
    }
    void makeWindow();
    QStringList shownControls() const;
    void click(const QString &name);
    void act(const QString &actions);
    void typeLines(const QString &editor, const QStringList &lines);
    bool selectFile(const QString &list, const QString &name);
    QString makeFolder(const QString &relative) const;
    QString picturesFolder() const;

    QTemporaryDir m_root;
    QString m_resources; // the current folder, so the window's depart
    std::unique_ptr<QTemporaryDir> m_scratch;
    std::unique_ptr<Form1> m_window;
    BrowserCatcher m_browser;
};

void TestForm1::initTestCase()
{
    QVERIFY(m_root.isValid());
    m_resources = enterShippedResourceFolder(m_root.path());
    QVERIFY(!m_resources.isEmpty());
    QDesktopServices::setUrlHandler("file", &m_browser, "open");
}

void TestForm1::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler("file");
}

void TestForm1::init()
{
    m_browser.clear();
    m_scratch = std::make_unique<QTemporaryDir>(m_root.filePath("scratchXXXXXX"));
    QVERIFY(m_scratch->isValid());
    makeWindow();
    QCOMPARE(QApplication::focusWidget(), control("Text6"));
}

void TestForm1::cleanup()
{
    m_window.reset();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<Form2 *>(window))
            delete window;
    }
    QVERIFY(QDir::setCurrent(m_resources));
}

void TestForm1::makeWindow()
{
    m_window = std::make_unique<Form1>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

QStringList TestForm1::shownControls() const
{
    QStringList shown;
    for (const QString &name : kStacking) {
        if (control(name)->isVisibleTo(m_window.get()))
            shown.append(name);
    }
    return sorted(shown);
}

void TestForm1::click(const QString &name)
{
    QWidget *widget = control(name);
    QVERIFY2(widget->isVisible(), qPrintable(name + " is hidden"));
    QTest::mouseClick(widget, Qt::LeftButton);
}

// One letter or digit per click: C "Création de la page.", S "SUITE", R "Refaire", 1 to 5
// the section buttons.
void TestForm1::act(const QString &actions)
{
    static const QHash<QChar, QString> buttons{
        {'C', "Command6"}, {'S', "Command8"}, {'R', "Command9"}, {'1', "Command1"},
        {'2', "Command2"}, {'3', "Command3"}, {'4', "Command4"}, {'5', "Command5"}};
    for (const QChar action : actions)
        click(buttons.value(action));
}

void TestForm1::typeLines(const QString &editor, const QStringList &lines)
{
    QWidget *box = control(editor);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(box, Qt::Key_Return);
        typeText(box, lines.at(i));
    }
}

bool TestForm1::selectFile(const QString &list, const QString &name)
{
    return ::selectFile(control<FileListBox>(list), name);
}

QString TestForm1::makeFolder(const QString &relative) const
{
    const QString path = m_scratch->filePath(relative);
    QDir().mkpath(path);
    return path;
}

// a.jpg 200 x 300, b.BMP 300 x 300 (a red corner on blue), c.gif, broken.jpg (not a
// picture), notes.txt.
QString TestForm1::picturesFolder() const
{
    const QString folder = makeFolder("photos");
    QImage jpeg(200, 300, QImage::Format_RGB32);
    jpeg.fill(Qt::green);
    jpeg.save(folder + "/a.jpg", "JPEG");
    QImage bmp(300, 300, QImage::Format_RGB32);
    bmp.fill(Qt::blue);
    QPainter(&bmp).fillRect(0, 0, 10, 10, Qt::red);
    bmp.save(folder + "/b.BMP", "BMP");
    QFile gif(folder + "/c.gif");
    if (gif.open(QIODevice::WriteOnly))
        gif.write(kTinyGif);
    for (const char *name : {"/broken.jpg", "/notes.txt"}) {
        QFile text(folder + name);
        if (text.open(QIODevice::WriteOnly))
            text.write("du texte, pas une image\n");
    }
    return folder;
}

void TestForm1::opensInEditing()
{
    QCOMPARE(shownControls(), sorted(kEditing));
    QCOMPARE(m_window->depart(), native(QDir::currentPath()));
    QVERIFY(m_window->oa().isEmpty());
    QVERIFY(m_window->OB().isEmpty());
    QVERIFY(m_window->OC().isEmpty());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("      Pomerel"));
    QCOMPARE(m_window->size(), QSize(798, 602));
    QVERIFY(control<PictureBox>("Picture1")->picture().isNull());
    // Both pickers start on the current folder; the photo list shows pictures only.
    QCOMPARE(control<FolderListBox>("dirList")->path(), native(QDir::currentPath()));
    QCOMPARE(control<FileListBox>("filList1")->path(), native(QDir::currentPath()));
    const QAbstractItemModel *pictures = control<FileListBox>("filList")->model();
    for (int row = 0; row < pictures->rowCount(); ++row) {
        const QString name = pictures->index(row, 0).data().toString();
        QVERIFY2(!name.endsWith(".ggg"), qPrintable(name));
    }
    QVERIFY(control<FileListBox>("filList1")->model()->rowCount() > pictures->rowCount());
}

// Overlapping controls: the destination picker and the workflow buttons lie in front of the
// section editors, which lie in front of the messages.
void TestForm1::stacking()
{
    QStringList order;
    for (const QObject *child : m_window->children()) {
        if (child->isWidgetType() && kStacking.contains(child->objectName()))
            order.append(child->objectName());
    }
    QCOMPARE(order, kStacking);
}

void TestForm1::messagesWrap_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("instruction") << "Label7" << 3 << QStringList();
    QTest::newRow("done") << "Label9" << 3 << QStringList{"VOILA", "C'EST", "FAIT"};
}

// The messages' fonts must wrap as the layout expects, or the captions spill or shrink.
void TestForm1::messagesWrap()
{
    QFETCH(QString, label);
    QFETCH(int, lineCount);
    QFETCH(QStringList, lines);
    const auto *message = control<QLabel>(label);
    QTextLayout layout(message->text(), message->font());
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QStringList laidOut;
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(message->contentsRect().width());
        laidOut.append(message->text().mid(line.textStart(), line.textLength()).trimmed());
        height += line.height();
    }
    layout.endLayout();
    QCOMPARE(laidOut.size(), lineCount);
    if (!lines.isEmpty())
        QCOMPARE(laidOut, lines);
    QVERIFY(height <= message->contentsRect().height());
}

// The one-line boxes draw in the window's 8-point sans serif, the section editors in 12-point
// bold italic. A box that held a long text, whose kerning it then skipped, draws a short one
// again as it did at first.
void TestForm1::textBoxesDrawInTheWindowsFaces()
{
    for (int number = 6; number <= 14; ++number) {
        const QFontInfo face(control(QString("Text%1").arg(number))->font());
        QCOMPARE(face.family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(face.pointSize(), 8);
        QVERIFY(!face.bold() && !face.italic());
    }
    for (int number = 1; number <= 5; ++number) {
        const auto *editor = control<QPlainTextEdit>(QString("Text%1").arg(number));
        const QFontInfo face(editor->document()->defaultFont());
        QCOMPARE(face.family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(face.pointSize(), 12);
        QVERIFY(face.bold() && face.italic());
    }

    auto *box = control<QLineEdit>("Text6");
    const QFont atFirst = box->font();
    box->setText(QString(20000, 'a'));
    QVERIFY(box->font().styleStrategy() & QFont::PreferNoShaping);
    QCOMPARE(QFontInfo(box->font()).family(), QStringLiteral("Liberation Sans"));
    box->setText("Jean Dupont");
    QCOMPARE(box->font(), atFirst);
}

void TestForm1::states_data()
{
    QTest::addColumn<QString>("actions");
    QTest::addColumn<bool>("destinationChosen");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("opened") << "" << false << kEditing;
    QTest::newRow("section in editing") << "3" << false << replaced(kEditing, "Text1", "Text3");
    QTest::newRow("choosing") << "C" << false << kChoosingDestination;
    QTest::newRow("section while choosing")
        << "C2" << false << kChoosingDestination + QStringList{"Text2"};
    QTest::newRow("no destination: still choosing") << "CS" << false << kChoosingDestination;
    QTest::newRow("finished") << "CS" << true << kFinished;
    QTest::newRow("section kept through SUITE")
        << "C5S" << true << kFinished + QStringList{"Text5"};
    QTest::newRow("section in finished") << "CS4" << true << kFinished + QStringList{"Text4"};
    QTest::newRow("back to editing") << "CSR" << true << kEditing;
    QTest::newRow("refaire shows Présentation") << "C4SR" << true << kEditing;
    QTest::newRow("second round") << "CSRCS" << true << kFinished;
}

void TestForm1::states()
{
    QFETCH(QString, actions);
    QFETCH(bool, destinationChosen);
    QFETCH(QStringList, shown);
    if (destinationChosen)
        control<FolderListBox>("dirList1")->setPath(makeFolder("cv"));
    const ModalAnswerer answerer;
    act(actions);
    QCOMPARE(shownControls(), sorted(shown));
    // Only the run without a destination has something to say.
    QCOMPARE(answerer.seen().size(), !destinationChosen && actions.contains('S') ? 1 : 0);
}

void TestForm1::tabOrder_data()
{
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QStringList>("chain");

    const QStringList identity{"Text6",  "Text7",  "Text8",  "Text9",
                               "Text10", "Text11", "Text12", "Text13"};
    const QStringList sections{"Command1", "Command2", "Command3", "Command4", "Command5"};
    QTest::newRow("editing") << ""
                             << identity + sections + QStringList{"Text1",   "Picture1", "DrvList",
                                                                  "dirList", "filList",  "Command6",
                                                                  "Text14"};
    QTest::newRow("Divers shown") << "5"
                                  << identity + QStringList{"Text5"} + sections +
                                         QStringList{"Picture1", "DrvList",  "dirList",
                                                     "filList",  "Command6", "Text14"};
    QTest::newRow("choosing") << "C" << identity + sections + QStringList{"Picture1", "DrvList1",
                                                                          "dirList1", "filList1",
                                                                          "Command7", "Command8",
                                                                          "Text14"};
    QTest::newRow("finished") << "CS"
                              << identity + sections +
                                     QStringList{"Picture1", "Text14", "Command9", "Command10"};
}

// From Text6 round the whole chain, hidden controls left out.
void TestForm1::tabOrder()
{
    QFETCH(QString, actions);
    QFETCH(QStringList, chain);
    control<FolderListBox>("dirList1")->setPath(makeFolder("cv"));
    act(actions);
    control("Text6")->setFocus();
    QStringList visited;
    for (int i = 0; i <= chain.size(); ++i) {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        visited.append(focus->objectName());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    QCOMPARE(visited, chain + QStringList{"Text6"});
}

void TestForm1::accessibleNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accessibleName");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("description"); // empty: none wanted

    const auto row = [](const char *control, const QString &name, QAccessible::Role role,
                        const QString &description = {}) {
        QTest::newRow(control) << QString::fromLatin1(control) << name << role << description;
    };
    // Boxes that share a caption say which line they are.
    row("Text6", "Genre Prénom Nom, première ligne", QAccessible::EditableText,
        "Le nom, en titre de la page");
    row("Text7", "Genre Prénom Nom, deuxième ligne", QAccessible::EditableText);
    row("Text8", "Profession, première ligne", QAccessible::EditableText);
    row("Text9", "Profession, deuxième ligne", QAccessible::EditableText);
    row("Text10", "E Mail", QAccessible::EditableText);
    row("Text11", "Téléphone Fixe", QAccessible::EditableText);
    row("Text12", "Téléphone Mobile", QAccessible::EditableText);
    row("Text13", "Adresse", QAccessible::EditableText);
    row("Text14", "Code postal Ville", QAccessible::EditableText);
    const QString section =
        "Texte de la rubrique, sur plusieurs lignes. La touche Tab passe au contrôle suivant.";
    row("Text1", "Présentation", QAccessible::EditableText, section);
    row("Text2", "Expériences", QAccessible::EditableText, section);
    row("Text3", "Formations", QAccessible::EditableText, section);
    row("Text4", "Centres d'intérets", QAccessible::EditableText, section);
    row("Text5", "Divers", QAccessible::EditableText, section);
    // The photo picker's names say what they hold; the tool tips become descriptions.
    row("Picture1", "Aperçu de la photo", QAccessible::Graphic,
        "La photo d'identité ou le logo choisi pour la page");
    row("DrvList", "Lecteur de la photo", QAccessible::ComboBox,
        "Cherchez une image de photo d'identité");
    row("dirList", "Dossier de la photo", QAccessible::List,
        "Cherchez une image de photo d'identité");
    row("filList", "Fichiers de photo", QAccessible::List, "Cliquez sur la photo d'identité");
    row("DrvList1", "Lecteur de destination", QAccessible::ComboBox);
    row("dirList1", "Dossier de destination", QAccessible::List,
        "Ouvrez le dossier où sera créé votre curriculum vitae");
    row("filList1", "Fichiers du dossier de destination", QAccessible::List);
    row("Image1", "Aide", QAccessible::Button, "Ouvre la fenêtre d'aide");
    // Buttons and messages are named by their captions.
    row("Command1", "Présentation", QAccessible::Button);
    row("Command4", "Centres d'intérets", QAccessible::Button);
    row("Command6", "Création de la page.", QAccessible::Button);
    row("Command7", "Ajouter un répertoire", QAccessible::Button);
    row("Command8", "SUITE", QAccessible::Button);
    row("Command9", "Refaire", QAccessible::Button);
    row("Command10", "Quitter l'application", QAccessible::Button);
    row("Label7",
        "Veuillez choisir le chemin ou sera créé votre curriculum vitae. Puis cliquez sur "
        "suite.",
        QAccessible::StaticText);
    row("Label9", "VOILA C'EST FAIT", QAccessible::StaticText);
}

// What a screen reader is told, through Qt's accessibility interface.
void TestForm1::accessibleNames()
{
    QFETCH(QString, name);
    QFETCH(QString, accessibleName);
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, description);

    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control(name));
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), accessibleName);
    QCOMPARE(accessible->role(), role);
    if (!description.isEmpty())
        QCOMPARE(accessible->text(QAccessible::Description), description);
    // A drive list tells its drive as its value.
    if (auto *drives = qobject_cast<DriveListBox *>(control(name))) {
        QVERIFY(!drives->currentText().isEmpty());
        QCOMPARE(accessible->text(QAccessible::Value), drives->currentText());
    }
}

void TestForm1::sectionButtonsKeepTexts()
{
    const QStringList buttons{"Command1", "Command2", "Command3", "Command4", "Command5"};
    for (int k = 0; k < 5; ++k) {
        click(buttons.at(k));
        const QString editor = QString("Text%1").arg(k + 1);
        QCOMPARE(QApplication::focusWidget(), control(editor));
        QTest::keyClicks(control(editor), QString("section %1").arg(k + 1));
    }
    // The same button again: same editor, focus back in it.
    control("Text6")->setFocus();
    click("Command5");
    QCOMPARE(QApplication::focusWidget(), control("Text5"));
    for (int k = 4; k >= 0; --k) {
        click(buttons.at(k));
        const QString editor = QString("Text%1").arg(k + 1);
        for (int other = 1; other <= 5; ++other)
            QCOMPARE(control(QString("Text%1").arg(other))->isVisible(), other == k + 1);
        QCOMPARE(control<QPlainTextEdit>(editor)->toPlainText(), QString("section %1").arg(k + 1));
    }
}

void TestForm1::photoChoice_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    QTest::newRow("jpeg") << "a.jpg" << QSize(200, 300);
    QTest::newRow("bitmap, upper-case extension") << "b.BMP" << QSize(300, 300);
    QTest::newRow("gif") << "c.gif" << QSize(1, 1);
}

void TestForm1::photoChoice()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    const QString folder = picturesFolder();
    control<FolderListBox>("dirList")->setPath(folder);
    const QAbstractItemModel *files = control<FileListBox>("filList")->model();
    QCOMPARE(files->rowCount(), 4); // notes.txt is no picture

    const ModalAnswerer answerer;
    QVERIFY(selectFile("filList", file));
    QVERIFY(answerer.seen().isEmpty());
    QCOMPARE(m_window->OC(), file);
    QCOMPARE(m_window->OB(), native(folder + '/' + file));
    auto *preview = control<PictureBox>("Picture1");
    QCOMPARE(preview->picture().size(), size);
    if (file == QLatin1String("b.BMP")) {
        // Drawn at its own size from the inner top-left corner: the 10 px red corner stays 10 px.
        const QImage drawn = preview->grab().toImage();
        const QPoint inside = preview->contentsRect().topLeft();
        QCOMPARE(drawn.pixelColor(inside + QPoint(8, 8)), QColor(Qt::red));
        QCOMPARE(drawn.pixelColor(inside + QPoint(12, 12)), QColor(Qt::blue));
    }

    // Browsing elsewhere keeps the choice.
    control<FolderListBox>("dirList")->setPath(m_scratch->path());
    QCOMPARE(m_window->OB(), native(folder + '/' + file));
    QCOMPARE(preview->picture().size(), size);
}

void TestForm1::destination_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("oa");
    QTest::newRow("folder") << "cv"
                            << "cv/";
    QTest::newRow("folder with blanks and accents") << "mes cv/été"
                                                    << "mes cv/été/";
    QTest::newRow("root") << "/"
                          << "/";
}

void TestForm1::destination()
{
    QFETCH(QString, folder);
    QFETCH(QString, oa);
    const bool root = folder == "/";
    if (root) {
        folder = oa = native(QDir::rootPath()); // "C:\" on Windows
    } else {
        folder = makeFolder(folder);
        oa = native(m_scratch->filePath(oa));
        QFile(folder + "/page.txt").open(QIODevice::WriteOnly);
    }
    act("C");
    auto *folders = control<FolderListBox>("dirList1");
    if (root) {
        // A bare "/" names the drive, so open the root as the user does: its row, first.
        QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {},
                           folders->visualItemRect(folders->item(0)).center());
    } else {
        folders->setPath(folder);
    }
    QCOMPARE(m_window->oa(), oa);
    const auto *files = control<FileListBox>("filList1");
    QCOMPARE(files->path(), native(folder));
    if (root)
        return; // no page is made at the root of the machine

    QCOMPARE(files->model()->rowCount(), 1); // every file, whatever its name
    // Hiding and showing the picker keeps the destination.
    act("SRC");
    QCOMPARE(m_window->oa(), oa);
    QCOMPARE(control<FolderListBox>("dirList1")->path(), native(folder));
}

void TestForm1::addFolder_data()
{
    QTest::addColumn<bool>("destinationChosen");
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<QString>("created");

    using Answer = std::optional<QString>;
    QTest::newRow("name") << true << Answer("2007") << "2007";
#ifdef Q_OS_WIN
    // Windows keeps the leading blank and drops trailing blanks and dots.
    QTest::newRow("blanks kept") << true << Answer(" mon cv .") << " mon cv";
#else
    QTest::newRow("blanks kept") << true << Answer(" mon cv ") << " mon cv ";
#endif
    QTest::newRow("no destination yet: current folder") << false << Answer("cv") << "cv";
    QTest::newRow("cancelled") << true << Answer() << "";
    QTest::newRow("nothing typed") << true << Answer("") << "";
    QTest::newRow("nothing typed, no destination") << false << Answer("") << "";
}

// Failures to make the folder are rows of form1_failures_test.
void TestForm1::addFolder()
{
    QFETCH(bool, destinationChosen);
    QFETCH(std::optional<QString>, answer);
    QFETCH(QString, created);

    // Without a destination the folder is made in the current folder: make that the scratch.
    if (!destinationChosen) {
        QVERIFY(QDir::setCurrent(m_scratch->path()));
        makeWindow();
    }
    act("C");
    const QString base = destinationChosen ? makeFolder("dest") : m_scratch->path();
    if (destinationChosen)
        control<FolderListBox>("dirList1")->setPath(base);
    const QString oaBefore = m_window->oa();
    const QString folderBefore = control<FolderListBox>("dirList1")->path();
    const QStringList entriesBefore = QDir(base).entryList();

    const ModalAnswerer answerer(answer);
    click("Command7");

    QVERIFY(!answerer.seen().isEmpty());
    const ModalAnswerer::Seen &asked = answerer.seen().first();
    QCOMPARE(asked.kind, QStringLiteral("input"));
    QCOMPARE(asked.title, QStringLiteral("Pomerel"));
    QCOMPARE(asked.text, kPrompt);
    QVERIFY(asked.inputAtStart.isEmpty());

    QCOMPARE(answerer.seen().size(), 1);
    if (created.isEmpty()) {
        QCOMPARE(m_window->oa(), oaBefore);
        QCOMPARE(control<FolderListBox>("dirList1")->path(), folderBefore);
        QCOMPARE(QDir(base).entryList(), entriesBefore);
        return;
    }
    const QString folder = base + '/' + created;
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(control<FolderListBox>("dirList1")->path(), native(folder));
    QCOMPARE(m_window->oa(), native(folder + '/'));
    QCOMPARE(control<FileListBox>("filList1")->model()->rowCount(), 0);
    QVERIFY(control("Command8")->isVisible());
}

// From typed text to the page's bytes and the browser's call.
void TestForm1::wholeRun()
{
    const QString photos = picturesFolder();
    const QString destination = makeFolder("Mon CV");

    typeText(control("Text6"), "Mme Hélène Łukasiewicz");
    typeText(control("Text10"), "helene@example.fr");
    typeText(control("Text14"), "75001   Paris");
    typeLines("Text1", {"Première ligne", "Deuxième ligne"});
    click("Command3");
    typeLines("Text3", {"Formation à Łódź", "", "fin"});
    click("Command5"); // shown but left empty

    control<FolderListBox>("dirList")->setPath(photos);
    QVERIFY(selectFile("filList", "a.jpg"));
    act("C");
    control<FolderListBox>("dirList1")->setPath(destination);

    const ModalAnswerer answerer;
    act("S");
    QVERIFY(answerer.seen().isEmpty());
    QCOMPARE(shownControls(), sorted(kFinished));

    // What the core makes of the same texts, with the section line ends as CR LF.
    pomerel::BoxTexts texts;
    texts[0] = "Première ligne\r\nDeuxième ligne";
    texts[2] = "Formation à Łódź\r\n\r\nfin";
    texts[5] = "Mme Hélène Łukasiewicz";
    texts[9] = "helene@example.fr";
    texts[13] = "75001   Paris";
    const QString expected = makeFolder("expected");
    pomerel::fillTemplate(m_window->depart().toStdString(), (expected + '/').toStdString(),
                          pomerel::buildCvFields("a.jpg", texts));
    const QByteArray page = readAll(destination + "/CV.html");
    QVERIFY(!page.isEmpty());
    QCOMPARE(page, readAll(expected + "/CV.html"));
    QVERIFY(page.contains("Premi\xe8re ligne<BR>\nDeuxi\xe8me ligne"));
    QVERIFY(page.contains("H\xe9l\xe8"
                          "ne"));
    QVERIFY(QFileInfo::exists(destination + "/a.jpg"));
    QVERIFY(QFileInfo::exists(destination + "/logo.jpg"));
    QCOMPARE(m_window->OC(), QStringLiteral("a.jpg"));

    const QStringList opened = m_browser.takePages();
    QCOMPARE(opened.size(), 1);
    const QFileInfo openedPage(opened.first());
    QVERIFY(openedPage.exists());
    QCOMPARE(openedPage.absolutePath(), destination);
    QCOMPARE(openedPage.fileName().toLower(), QStringLiteral("cv.html"));

    // Again, with nothing chosen anew: the same page in the same folder.
    QFile::remove(destination + "/CV.html");
    act("RCS");
    QVERIFY(answerer.seen().isEmpty());
    QCOMPARE(readAll(destination + "/CV.html"), page);
    QCOMPARE(m_browser.takePages().size(), 1);
}

// Nothing was made, so the window does not claim it was: it stays where a folder can be chosen.
void TestForm1::noDestinationStaysChoosing()
{
    QTest::keyClicks(control("Text6"), "Jean");
    const QStringList before = QDir::current().entryList();
    const ModalAnswerer answerer;
    act("CS");
    QCOMPARE(answerer.seen().size(), 1);
    const ModalAnswerer::Seen &warning = answerer.seen().first();
    QCOMPARE(warning.title, QStringLiteral("Pomerel"));
    QCOMPARE(warning.text, QString::fromUtf8(pomerel::kNoDestinationWarning.data(),
                                             pomerel::kNoDestinationWarning.size()));
    QVERIFY(!warning.hasIcon);
    QCOMPARE(shownControls(), sorted(kChoosingDestination));
    QVERIFY(m_window->OC().isEmpty());
    QVERIFY(m_browser.takePages().isEmpty());
    QCOMPARE(QDir::current().entryList(), before);

    // Now with a folder: the page is made.
    const QString destination = makeFolder("cv");
    control<FolderListBox>("dirList1")->setPath(destination);
    act("S");
    QCOMPARE(shownControls(), sorted(kFinished));
    QVERIFY(QFileInfo::exists(destination + "/CV.html"));
    QCOMPARE(m_browser.takePages().size(), 1);
}

// The template is missing: the run stops with a report, the window stays in
// ChoosingDestination, and everything typed and chosen stays.
void TestForm1::failedRunKeepsEverything()
{
    const QString resources = makeFolder("resources without template");
    for (const QString &name : QDir(m_resources).entryList({"*.jpg", "*.gif"}, QDir::Files))
        QVERIFY(QFile::copy(m_resources + '/' + name, resources + '/' + name));
    QVERIFY(QDir::setCurrent(resources));
    makeWindow();

    QTest::keyClicks(control("Text6"), "Jean Dupont");
    typeLines("Text1", {"ligne un", "ligne deux"});
    act("C");
    const QString destination = makeFolder("cv");
    control<FolderListBox>("dirList1")->setPath(destination);

    const ModalAnswerer answerer;
    act("S");
    QCOMPARE(answerer.seen().size(), 1);
    QCOMPARE(answerer.seen().first().title, QStringLiteral("Pomerel"));
    QVERIFY2(answerer.seen().first().text.startsWith("Erreur "),
             qPrintable(answerer.seen().first().text));
    QCOMPARE(shownControls(), sorted(kChoosingDestination));
    QCOMPARE(control<QLineEdit>("Text6")->text(), QStringLiteral("Jean Dupont"));
    QCOMPARE(control<QPlainTextEdit>("Text1")->toPlainText(),
             QStringLiteral("ligne un\nligne deux"));
    QCOMPARE(m_window->oa(), native(destination + '/'));
    QCOMPARE(m_window->OC(), QStringLiteral("logo.jpg")); // the default came before the failure
    QVERIFY(!QFileInfo::exists(destination + "/CV.html"));
    QVERIFY(m_browser.takePages().isEmpty());
}

QTEST_MAIN(TestForm1)
#include "form1_test.moc"
