// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/assets.h"
#include "main_window/form1.h"

#include <QApplication>
#include <thread>

#ifdef POMEREL_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

int main(int argc, char *argv[])
{
#ifdef POMEREL_FONTCONFIG
    // Loading fontconfig's configuration is a good part of start-up. A worker does it while
    // the application connects to the display, and the first text box finds it loaded.
    std::thread fontConfiguration([] { FcInit(); });
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pomerel"));
    // Ties the window to its menu entry, for its icon and name in the desktop's task bar.
    QGuiApplication::setDesktopFileName(QStringLiteral("fr.pomerel.Pomerel"));
    Assets::prefetchStartPictures();
#ifdef POMEREL_FONTCONFIG
    fontConfiguration.join();
#endif

    Form1 window;
    // Set once the window is made, when the worker has long decoded it, and before the window
    // is shown, so that it opens with its icon.
    QApplication::setWindowIcon(Assets::programIcon());
    window.show();
    return QApplication::exec();
}
