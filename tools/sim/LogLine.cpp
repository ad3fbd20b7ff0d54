// SPDX-License-Identifier: GPL-3.0-or-later
#include "LogLine.h"

#include <cstdio>

namespace wb::sim {
namespace {

constexpr const char* kControlNames[] = {
    "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "HT",  "LF",
    "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK",
    "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US",
};

std::string CharacterName(std::uint8_t value) {
    if (value < 0x20) {
        return kControlNames[value];
    }
    if (value == 0x7F) {
        return "DEL";
    }
    if (value > 0x7F) {
        return "";
    }
    return std::string("'") + static_cast<char>(value) + "'";
}

}  // namespace

std::string FormatLogLine(const LoggedByte& byte, std::chrono::steady_clock::time_point start) {
    const double ms = std::chrono::duration<double, std::milli>(byte.at - start).count();
    char line[80];
    std::snprintf(line, sizeof line, "%11.3f ms  %s  %02X  %s", ms,
                  byte.fromHost ? "host -> beacon" : "beacon -> host", byte.value,
                  CharacterName(byte.value).c_str());
    std::string text(line);
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

std::string FormatLogLine(const Remark& remark, std::chrono::steady_clock::time_point start) {
    const double ms = std::chrono::duration<double, std::milli>(remark.at - start).count();
    char time[32];
    std::snprintf(time, sizeof time, "%11.3f ms  beacon: ", ms);
    return time + remark.text;
}

}  // namespace wb::sim
