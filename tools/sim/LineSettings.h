// SPDX-License-Identifier: GPL-3.0-or-later
// What the beacon's UART makes of a port opened with Web Serial's line settings: anything but
// 4800 baud, 8 data bits, no parity, one stop bit and no flow control does not reach it intact
// (the beacon has no handshake lines, so a host waiting on them never sends).
#pragma once

#include <string>

namespace wb::sim {

struct SerialSettings {
    long baudRate = 0;
    int dataBits = 0;
    std::string parity;  // "none", "even", "odd"
    int stopBits = 0;
    std::string flowControl;  // "none", "hardware"
};

// Empty when `line` is 4800 8N1 without flow control; otherwise what is wrong, in the words of
// the pseudo-terminal's check, e.g. "38400 baud, not 4800".
std::string LineProblem(const SerialSettings& line);

}  // namespace wb::sim
