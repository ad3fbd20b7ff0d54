// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/ConfigApp.h"
#include "ui/win32/Win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    CConfigApp theApp;
    theApp.InitInstance();
    return 0;
}
