// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineSettings.h"

namespace wb::sim {

std::string LineProblem(const SerialSettings& line) {
    if (line.baudRate != 4800) {
        return std::to_string(line.baudRate) + " baud, not 4800";
    }
    if (line.dataBits != 8) {
        return "fewer than 8 data bits";
    }
    if (line.parity != "none") {
        return line.parity + " parity, not none";
    }
    if (line.stopBits != 1) {
        return "two stop bits, not one";
    }
    if (line.flowControl != "none") {
        return line.flowControl + " flow control, not none";
    }
    return {};
}

}  // namespace wb::sim
