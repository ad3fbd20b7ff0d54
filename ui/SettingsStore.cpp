// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SettingsStore.h"

#include <algorithm>
#include <cstring>

namespace wb::ui {

bool SettingsWanted(std::span<const std::string> arguments, const char* variable) {
    if (std::find(arguments.begin(), arguments.end(), "--no-settings") != arguments.end()) {
        return false;
    }
    return variable == nullptr || std::strcmp(variable, "") == 0 || std::strcmp(variable, "0") == 0;
}

}  // namespace wb::ui
