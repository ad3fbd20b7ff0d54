// SPDX-License-Identifier: GPL-3.0-or-later
// Windows only: text between the program's UTF-8 and the system's UTF-16. What cannot be
// converted becomes U+FFFD; nothing throws.
#pragma once

#include <string>
#include <string_view>

namespace wb {

std::wstring WidenUtf8(std::string_view text);
std::string NarrowToUtf8(std::wstring_view text);

// The system's text for an error code (GetLastError), without the line end.
std::string WindowsErrorText(unsigned long error);

}  // namespace wb
