// SPDX-License-Identifier: GPL-3.0-or-later
#include <io.h>

#include <cstdio>
#include <cstdlib>

#include "cli/Platform.h"

namespace wb::cli {

bool StderrIsTerminal() {
    return _isatty(_fileno(stderr)) != 0;
}

std::filesystem::path UserDataFolder() {
    if (const wchar_t* data = _wgetenv(L"LOCALAPPDATA"); data != nullptr && *data != L'\0') {
        return std::filesystem::path(data) / "wrenbeacon";
    }
    return {};
}

void SetVariable(const std::string& name, const char* value) {
    _putenv_s(name.c_str(), value != nullptr ? value : "");  // an empty value removes it
}

}  // namespace wb::cli
