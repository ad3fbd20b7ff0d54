// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QTimer>

#include "ui/qt/ConfigApp.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The desktop matches the window to its menu entry, and so to its icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.wrenbeacon.WrenbeaconConfig"));
    // --quit-after-start: the window closes as soon as its event loop runs, so that a check can
    // tell that an installed copy starts (packaging/check/package installed). The port is never
    // opened.
    if (app.arguments().contains(QStringLiteral("--quit-after-start"))) {
        QTimer::singleShot(0, &app, &QApplication::closeAllWindows);
    }
    CConfigApp theApp;
    theApp.InitInstance();
    return 0;
}
