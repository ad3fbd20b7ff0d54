// SPDX-License-Identifier: GPL-3.0-or-later
// The window's tests need a QApplication; they run on the offscreen platform unless told otherwise,
// and without the user's settings.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The user's own settings are never read or written by a test; the tests of settings use a
    // folder of their own.
    qputenv("WRENBEACON_NO_SETTINGS", "1");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
