// SPDX-License-Identifier: GPL-3.0-or-later
// A symbol's picture as an icon, at the largest whole scale that keeps it `logicalScale` times
// 20 pixels at the window's DPI (96 per inch is 1), so that every picture pixel is a square of
// screen pixels.
#pragma once

#include "res/Symbols.h"
#include "ui/win32/Win32.h"

namespace wb::ui {

// The caller destroys it. Null when the system refuses it.
HICON MakeSymbolIcon(const res::SymbolLook& look, HWND window, int logicalScale = 1);

// The icon's width and height in pixels.
int IconSize(HICON icon);

}  // namespace wb::ui
