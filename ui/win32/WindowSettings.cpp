// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/WindowSettings.h"

#include "ui/win32/Win32.h"

// After Win32.h: it needs the types of windows.h.
#include <shellapi.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ui/IniSettings.h"

namespace wb::ui {
namespace {

std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

std::vector<std::string> Arguments() {
    std::vector<std::string> arguments;
    int count = 0;
    if (wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i) {
            arguments.push_back(Utf8(words[i]));
        }
        LocalFree(words);
    }
    return arguments;
}

}  // namespace

std::unique_ptr<SettingsStore> MakeWindowSettings() {
    const wchar_t* disabled = _wgetenv(L"WRENBEACON_NO_SETTINGS");
    const std::string variable = disabled != nullptr ? Utf8(disabled) : std::string();
    const wchar_t* appData = _wgetenv(L"APPDATA");
    if (!SettingsWanted(Arguments(), disabled != nullptr ? variable.c_str() : nullptr) ||
        appData == nullptr || *appData == L'\0') {
        return std::make_unique<NoSettings>();
    }
    return std::make_unique<IniSettings>(std::filesystem::path(appData) / L"WrenbeaconConfig" /
                                         L"WrenbeaconConfig.ini");
}

}  // namespace wb::ui
