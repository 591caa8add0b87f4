// Draws the help window's pictures from the program's own main window. The help background is
// a reduced screenshot of the whole main window, frame included, as it opens; the five topic
// pictures are cut out of it exactly where the help window lays them over it; the two
// illustrations are cut from the same reduced screenshot taken after "Création de la page."
// and after "SUITE". Also draws the help icon.
//
// Usage: help_pictures <output folder>

#include "framedwindow.h"
#include "help_window/form2.h"
#include "helpicon.h"
#include "main_window/form1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QSize backgroundSize(564, 440);

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

// Clicks a button of the window, answering any message box the click opens, so that the
// warning about a missing destination leads straight to the finished look.
bool click(QWidget &window, const QString &name)
{
    auto *button = window.findChild<QAbstractButton *>(name);
    if (!button) {
        std::fprintf(stderr, "help_pictures: the main window has no %s\n", qPrintable(name));
        return false;
    }
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });
    answer.start(50);
    button->click();
    return true;
}

QRect placeInHelp(const QWidget &help, const QString &name)
{
    const auto *control = help.findChild<QWidget *>(name);
    Q_ASSERT(control);
    return control->geometry();
}

bool save(const QImage &image, const QDir &folder, const QString &file)
{
    const QString path = folder.filePath(file);
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "help_pictures: cannot write %s\n", qPrintable(path));
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

    // The main window's lists show the current folder: the root looks the same everywhere.
    QDir::setCurrent(QDir::rootPath());
    QApplication::setCursorFlashTime(0);

    Form1 mainWindow;
    mainWindow.show();
    const auto help = std::make_unique<Form2>();

    bool saved = true;
    const QImage background = reducedScreenshot(mainWindow);
    saved &= save(background, folder, u"background.png"_s);
    for (const QString &name : {u"Image1"_s, u"Image2"_s, u"Image3"_s, u"Image4"_s, u"Image5"_s})
        saved &= save(background.copy(placeInHelp(*help, name)), folder, name.toLower() + ".png");

    click(mainWindow, u"Command6"_s);
    saved &= save(reducedScreenshot(mainWindow).copy(placeInHelp(*help, u"Image7"_s)), folder,
                  u"image7.png"_s);
    click(mainWindow, u"Command8"_s);
    saved &= save(reducedScreenshot(mainWindow).copy(placeInHelp(*help, u"Image6"_s)), folder,
                  u"image6.png"_s);

    saved &= save(helpIcon(32), folder, u"helpicon.png"_s);
    saved &= save(helpIcon(16), folder, u"helpicon16.png"_s);
    return saved ? 0 : 1;
}
