// SPDX-License-Identifier: GPL-3.0-or-later
// One line of the byte log that wrenbeacon-sim --log writes.
#pragma once

#include <chrono>
#include <string>

#include "SimulatedBeacon.h"

namespace wb::sim {

// "   1234.567 ms  host -> beacon  1B  ESC": the time since `start`, the direction, the byte in
// hexadecimal and as a character (printable ASCII quoted, control characters by name).
std::string FormatLogLine(const LoggedByte& byte, std::chrono::steady_clock::time_point start);

// "   1234.567 ms  beacon: ignored the upload: the line is 38400 baud, not 4800".
std::string FormatLogLine(const Remark& remark, std::chrono::steady_clock::time_point start);

}  // namespace wb::sim
