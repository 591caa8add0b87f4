// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/assets.h"
#include "main_window/form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pomerel"));
    // Ties the window to its menu entry, for its icon and name in the desktop's task bar.
    QGuiApplication::setDesktopFileName(QStringLiteral("fr.pomerel.Pomerel"));

    Form1 window;
    // Before the window is shown, so that it opens with its icon.
    QApplication::setWindowIcon(Assets::programIcon());
    window.show();
    return QApplication::exec();
}
