// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/assets.h"
#include "main_window/form1.h"

#include <QApplication>

#ifdef POMEREL_SESSION_BUS
#include <QDBusConnection>
#include <thread>
#endif

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pomerel"));
    // Ties the window to its menu entry, for its icon and name in the desktop's task bar.
    QGuiApplication::setDesktopFileName(QStringLiteral("fr.pomerel.Pomerel"));
#ifdef POMEREL_SESSION_BUS
    // The first text box made asks the accessibility bridge whether a screen reader listens,
    // and the bridge asks the session bus. Connecting takes a while, and where no bus runs
    // libdbus forks to try and start one: a worker connects while the window is made, and the
    // bridge finds the connection there.
    std::jthread sessionBus([] { QDBusConnection::sessionBus(); });
#endif

    Form1 window;
    // Before the window is shown, so that it opens with its icon.
    QApplication::setWindowIcon(Assets::programIcon());
    window.show();
    return QApplication::exec();
}
