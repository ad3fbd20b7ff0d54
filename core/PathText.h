// SPDX-License-Identifier: GPL-3.0-or-later
// File names as text. Every text inside the program is UTF-8, file names included; a path turns
// into text, and text into a path, only through these two functions, so that a name in any
// script survives on every system. On POSIX the bytes pass unchanged. On Windows the system's
// UTF-16 is converted to and from UTF-8, never through the ANSI code page. Neither throws: what
// cannot be converted (a lone surrogate in a Windows name, bytes that are not UTF-8) becomes
// U+FFFD.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace wb {

std::filesystem::path PathFromUtf8(std::string_view text);
std::string Utf8Of(const std::filesystem::path& path);

}  // namespace wb
