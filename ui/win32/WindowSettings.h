// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows window's settings: an INI file, %APPDATA%\WrenbeaconConfig\WrenbeaconConfig.ini.
#pragma once

#include <memory>

#include "ui/SettingsStore.h"

namespace wb::ui {

// None with --no-settings on the command line, with WRENBEACON_NO_SETTINGS=1, or when the
// system names no %APPDATA%; else the INI file.
std::unique_ptr<SettingsStore> MakeWindowSettings();

}  // namespace wb::ui
