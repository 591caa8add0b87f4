// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the help window's pictures from the program's own main window. The help background is
// a reduced screenshot of the whole main window, frame included, as it opens; the five topic
// pictures are cut out of it exactly where the help window lays them over it; the two
// illustrations are cut from the same reduced screenshot taken after "Création de la page."
// and after "SUITE". Also draws the help icon.
//
// Usage: help_pictures <output folder>

#include "assets/assets.h"
#include "controls/folderlistbox.h"
#include "framedwindow.h"
#include "help_window/form2.h"
#include "helpicon.h"
#include "main_window/form1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QSize backgroundSize(564, 440);

void complain(const QString &message)
{
    std::fprintf(stderr, "help_pictures: %s\n", qPrintable(message));
}

// Takes the page the main window hands to the browser, so that no browser starts.
class BrowserStandIn : public QObject
{
    Q_OBJECT

public slots:
    void open(const QUrl &) {}
};

// Lets the windows finish laying out and filling their lists before a screenshot.
void settle()
{
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
}

QImage reducedScreenshot(QWidget &window)
{
    settle();
    return framedWindow(window).scaled(backgroundSize, Qt::IgnoreAspectRatio,
                                       Qt::SmoothTransformation);
}

template<typename Control> Control *control(QWidget &window, const QString &name)
{
    auto *found = window.findChild<Control *>(name);
    if (!found)
        complain(u"the main window has no "_s + name);
    return found;
}

// Clicks a button of the window. A message box it opens means the run went wrong: it is
// answered, so the tool does not hang, and the click counts as failed.
bool click(QWidget &window, const QString &name)
{
    auto *button = control<QAbstractButton>(window, name);
    if (!button)
        return false;
    bool quiet = true;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&quiet, &name] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            complain(name + u" showed: "_s + box->text());
            quiet = false;
            box->accept();
        }
    });
    answer.start(20);
    button->click();
    return quiet;
}

bool openFolder(QWidget &window, const QString &list, const QString &path)
{
    auto *folders = control<FolderListBox>(window, list);
    if (!folders)
        return false;
    folders->setPath(QDir::toNativeSeparators(path));
    return true;
}

// A folder made for the run, removed with everything in it when done. One that is there
// already belongs to someone else and is left alone.
class ScratchFolder
{
public:
    explicit ScratchFolder(const QString &path)
        : m_path(path)
        , m_valid(!QFileInfo::exists(path) && QDir().mkpath(path))
    {
    }
    ~ScratchFolder()
    {
        if (m_valid)
            QDir(m_path).removeRecursively();
    }
    Q_DISABLE_COPY_MOVE(ScratchFolder)

    const QString &path() const { return m_path; }
    bool isValid() const { return m_valid; }

private:
    QString m_path;
    bool m_valid;
};

// The program's resource folder, as it ships: the main window's page generation reads it.
bool copyResources(const QString &to)
{
    const QDir shipped(QStringLiteral(POMEREL_RESOURCE_DIR));
    bool copied = QDir().mkpath(to);
    for (const QString &name :
         shipped.entryList({u"brt.ggg"_s, u"*.jpg"_s, u"*.gif"_s}, QDir::Files))
        copied &= QFile::copy(shipped.filePath(name), to + u'/' + name);
    return copied;
}

QRect placeInHelp(const QWidget &help, const QString &name)
{
    const auto *found = help.findChild<QWidget *>(name);
    Q_ASSERT(found);
    return found->geometry();
}

bool save(const QImage &image, const QDir &folder, const QString &file)
{
    const QString path = folder.filePath(file);
    if (image.save(path, "PNG"))
        return true;
    complain(u"cannot write "_s + path);
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    // Off screen, every run draws the same pictures whatever the desktop.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Pomerel"_s);
    if (argc != 2) {
        std::fprintf(stderr, "usage: help_pictures <output folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QApplication::setCursorFlashTime(0);
    QApplication::setWindowIcon(Assets::programIcon());

    // The main window starts from a copy of the resource folder, as the program does from its
    // own folder, and makes its page beside it. The place is fixed, so that the lists show the
    // same names at every run, names a user could have.
    const ScratchFolder scratch(QDir::temp().filePath(u"Mes documents"_s));
    const QString resources = scratch.path() + u"/Pomerel"_s;
    const QString destination = scratch.path() + u"/Mon CV"_s;
    if (!scratch.isValid() || !copyResources(resources) || !QDir().mkpath(destination) ||
        !QDir::setCurrent(resources)) {
        complain(u"cannot prepare "_s + scratch.path() + u" (remove it if it is left over)"_s);
        return 1;
    }
    BrowserStandIn browser;
    QDesktopServices::setUrlHandler(u"file"_s, &browser, "open");

    Form1 mainWindow;
    mainWindow.show();
    const auto help = std::make_unique<Form2>();

    // The destination lists open on the folder that holds the program's folder.
    bool drawn = openFolder(mainWindow, u"dirList1"_s, scratch.path());
    const QImage background = reducedScreenshot(mainWindow);
    drawn &= save(background, folder, u"background.png"_s);
    for (const QString &name : {u"Image1"_s, u"Image2"_s, u"Image3"_s, u"Image4"_s, u"Image5"_s})
        drawn &= save(background.copy(placeInHelp(*help, name)), folder, name.toLower() + ".png");

    drawn &= click(mainWindow, u"Command6"_s);
    drawn &= save(reducedScreenshot(mainWindow).copy(placeInHelp(*help, u"Image7"_s)), folder,
                  u"image7.png"_s);
    drawn &= openFolder(mainWindow, u"dirList1"_s, destination) && click(mainWindow, u"Command8"_s);
    drawn &= save(reducedScreenshot(mainWindow).copy(placeInHelp(*help, u"Image6"_s)), folder,
                  u"image6.png"_s);

    drawn &= save(helpIcon(32), folder, u"helpicon.png"_s);
    drawn &= save(helpIcon(16), folder, u"helpicon16.png"_s);
    QDesktopServices::unsetUrlHandler(u"file"_s);
    return drawn ? 0 : 1;
}

#include "main.moc"
