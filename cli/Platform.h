// SPDX-License-Identifier: GPL-3.0-or-later
// What the tool needs from the operating system, one file per platform.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "link/SerialBackend.h"

namespace wb::cli {

// True when stderr goes to a terminal (a console window on Windows).
bool StderrIsTerminal();

// The tool's folder in the user's data folder: $XDG_DATA_HOME/wrenbeacon (by default
// ~/.local/share/wrenbeacon), %LOCALAPPDATA%\wrenbeacon on Windows; empty when unknown.
std::filesystem::path UserDataFolder();

// Sets the environment variable `name` to `value`, or removes it when `value` is null.
void SetVariable(const std::string& name, const char* value);

}  // namespace wb::cli
