// SPDX-License-Identifier: GPL-3.0-or-later
// What the beacon's UART would make of the host's terminal settings: a line that is not 4800
// baud, 8 data bits, no parity, one stop bit, raw both ways, does not reach it intact.
#pragma once

#include <termios.h>

#include <string>

namespace wb::sim {

// Empty when `line` is 4800 8N1 raw; otherwise what is wrong, e.g. "38400 baud, not 4800".
std::string LineProblem(const termios& line);

}  // namespace wb::sim
