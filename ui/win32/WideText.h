// SPDX-License-Identifier: GPL-3.0-or-later
// Texts between the program (bytes, Latin-1 as the record keeps them) and the UTF-16 of Windows.
#pragma once

#include <string>

#include "ui/win32/Win32.h"

namespace wb::ui {

// Each byte stands for the character of the same number.
std::wstring WidenLatin1(const char* text);
// Characters above 255 become '?'.
std::string NarrowLatin1(const std::wstring& text);
// A text in the system's ANSI code page, as its error messages come.
std::wstring WidenAnsi(const std::string& text);
// The name of the window's class ("Button", "#32770" for a dialog).
std::wstring ClassOf(HWND window);

}  // namespace wb::ui
