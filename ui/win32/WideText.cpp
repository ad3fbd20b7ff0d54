// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/WideText.h"

#include <iterator>

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

std::wstring WidenAnsi(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

}  // namespace wb::ui
