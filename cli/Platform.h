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

// A backend over `inner` whose port 1 is the device `device` (a path such as /dev/ttyUSB0, or a
// Windows port such as COM7); everything else goes to `inner` unchanged.
std::unique_ptr<SerialBackend> MakeDeviceBackend(SerialBackend& inner, const std::string& device);

}  // namespace wb::cli
