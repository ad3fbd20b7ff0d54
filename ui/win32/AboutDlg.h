// SPDX-License-Identifier: GPL-3.0-or-later
// The About box, built at run time on template 100.
#pragma once

#include "ui/win32/Win32.h"

class CAboutDlg {
public:
    explicit CAboutDlg(HICON icon) : m_hIcon(icon) {}

    // Runs the box modally over `parent` until OK, Enter or Escape.
    INT_PTR DoModal(HWND parent);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HICON m_hIcon;
};
