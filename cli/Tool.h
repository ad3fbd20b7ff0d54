// SPDX-License-Identifier: GPL-3.0-or-later
// The wrenbeacon command-line tool: back up, restore, share and script a beacon's configuration.
#pragma once

#include <filesystem>
#include <ostream>

#include <functional>

#include "link/PortScan.h"
#include "link/SerialBackend.h"

namespace wb::cli {

enum ExitCode {
    kSuccess = 0,
    kBeaconFailed = 1,  // the beacon did not do what was asked, or a verification failed
    kUsage = 2,         // the command line or a file is bad
};

// What the tool takes from its surroundings; main passes the real ones, tests their own.
struct Environment {
    SerialBackend& backend;  // the serial ports, as the window opens them
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false;                // progress bars only on a terminal
    std::filesystem::path dataFolder;          // the user's data folder for the tool; empty if none
    std::function<PortScan()> scanPorts = {};  // the machine's ports; empty: the real ones
};

// Runs one command line (argv[0] is the program) and returns its exit code.
int RunTool(int argc, const char* const* argv, Environment& env);

}  // namespace wb::cli
