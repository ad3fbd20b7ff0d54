// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of wrenbeacon-sim.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Fault.h"

namespace wb::sim {

struct Options {
    bool help = false;
    Fault fault = Fault::None;
    std::optional<std::string> banner;
    bool log = false;
    bool lenient = false;
    std::string logFile;           // empty: standard error
    std::string eepromFile;        // empty: the default image
    std::string saveFile;          // empty: not saved
    std::string peerFolder;        // set: no beacon, the far end of a line for a test
    std::string peerLink;          // the link the peer points at its terminal
    std::vector<std::string> run;  // the command and its arguments, empty: none
};

// Reads the arguments after the program's name. On a mistake returns nothing and says what is
// wrong in `error`.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

// The --help text.
std::string UsageText();

}  // namespace wb::sim
