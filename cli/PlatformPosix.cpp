// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>

#include <cstdlib>

#include "cli/Platform.h"

namespace wb::cli {

bool StderrIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

std::filesystem::path UserDataFolder() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data == '/') {
        return std::filesystem::path(data) / "wrenbeacon";
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return std::filesystem::path(home) / ".local" / "share" / "wrenbeacon";
    }
    return {};
}

void SetVariable(const std::string& name, const char* value) {
    if (value != nullptr) {
        setenv(name.c_str(), value, 1);
    } else {
        unsetenv(name.c_str());
    }
}

}  // namespace wb::cli
