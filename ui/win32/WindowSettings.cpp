// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/WindowSettings.h"

#include "ui/win32/Win32.h"

// After Win32.h: it needs the types of windows.h.
#include <shellapi.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/WideUtf8.h"
#include "ui/IniSettings.h"

namespace wb::ui {
namespace {

std::vector<std::string> Arguments() {
    std::vector<std::string> arguments;
    int count = 0;
    if (wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i) {
            arguments.push_back(NarrowToUtf8(words[i]));
        }
        LocalFree(words);
    }
    return arguments;
}

}  // namespace

std::unique_ptr<SettingsStore> MakeWindowSettings() {
    const wchar_t* disabled = _wgetenv(L"WRENBEACON_NO_SETTINGS");
    const std::string variable = disabled != nullptr ? NarrowToUtf8(disabled) : std::string();
    const wchar_t* appData = _wgetenv(L"APPDATA");
    if (!SettingsWanted(Arguments(), disabled != nullptr ? variable.c_str() : nullptr) ||
        appData == nullptr || *appData == L'\0') {
        return std::make_unique<NoSettings>();
    }
    return std::make_unique<IniSettings>(std::filesystem::path(appData) / L"WrenbeaconConfig" /
                                         L"WrenbeaconConfig.ini");
}

}  // namespace wb::ui
