// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/WideText.h"

#include <iterator>

#include "core/WideUtf8.h"
#include "ui/BoxText.h"

namespace wb::ui {

std::wstring WidenLatin1(const char* text) {
    std::wstring wide;
    for (const char* c = text; c != nullptr && *c != '\0'; ++c) {
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*c)));
    }
    return wide;
}

std::string NarrowLatin1(const std::wstring& text) {
    std::string narrow;
    narrow.reserve(text.size());
    for (wchar_t c : text) {
        narrow.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
    }
    return narrow;
}

std::wstring WidenShown(const std::string& text) {
    return WidenUtf8(ShownText(text));
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

}  // namespace wb::ui
