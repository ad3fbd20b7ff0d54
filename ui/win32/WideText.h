// SPDX-License-Identifier: GPL-3.0-or-later
// Texts between the program and the UTF-16 of Windows: the record's texts and the resources are
// Latin-1, messages are UTF-8 (BoxText.h), file names are UTF-8 (core/PathText.h).
#pragma once

#include <string>

#include "ui/win32/Win32.h"

namespace wb::ui {

// Each byte stands for the character of the same number.
std::wstring WidenLatin1(const char* text);
// Characters above 255 become '?'.
std::string NarrowLatin1(const std::wstring& text);
// A text of a message as a box shows it.
std::wstring WidenShown(const std::string& text);
// The name of the window's class ("Button", "#32770" for a dialog).
std::wstring ClassOf(HWND window);

}  // namespace wb::ui
