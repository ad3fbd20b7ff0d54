// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <string_view>

#include "config/ConfigKeys.h"
#include "config/ConfigText.h"
#include "config/MicELists.h"
#include "res/Symbols.h"

namespace wb::text {
namespace {

// "#   key: entry, entry, ..." wrapped before 100 columns.
std::string ListLines(const char* key, std::span<const char* const> list) {
    std::string out;
    std::string line = std::string("#   ") + key + ":";
    for (std::size_t k = 0; k < list.size(); ++k) {
        const std::string entry = std::string(" ") + list[k] + (k + 1 < list.size() ? "," : "");
        if (line.size() + entry.size() > 96) {
            out += line + "\n";
            line = "#     ";
        }
        line += entry;
    }
    return out + line + "\n";
}

// After the symbol, what the two characters show on a map: `symbol = ">"  # Car`.
std::string Comment(const ProfileKey& key, const CTrackerConfig& config, int profile) {
    if (std::string_view(key.name) != "symbol") {
        return {};
    }
    const res::SymbolLook look =
        res::LookUpSymbol(config.m_cSymbol[profile], config.m_cSymbolTable[profile]);
    return "  # " + res::DescribeSymbol(look);
}

}  // namespace

std::string ConfigToText(const CTrackerConfig& config) {
    std::string out =
        "# Wrenbeacon configuration: both beacon profiles and the tone calibration they share,\n"
        "# as WrenbeaconConfig and the wrenbeacon tool read and write it. Edit the values; every\n"
        "# key must stay. Times are kept as given; the beacon stores them in its own units\n"
        "# (a keyup delay of 250 ms reads back as 253). slot_minute and slot_ten_minute are\n"
        "# worked out again from the interval when time slotting is on. The name after a symbol\n"
        "# is a comment: the two characters decide. MIC-E entries:\n";
    out += ListLines("mic_e_message", kMicEMessages);
    out += ListLines("mic_e_path", kMicEPaths);
    out += std::string(kFormatKey) + " = " + std::to_string(kFormat) + "\n";
    out += std::string(kCalibrationKey) + " = " + std::to_string(config.m_nCalibration) + "\n";
    for (int i = 0; i < kProfileCount; ++i) {
        out += std::string("\n[") + kProfileTables[i] + "]\n";
        for (const ProfileKey& key : ProfileKeys()) {
            out += std::string(key.name) + " = " + FormatValue(key, config, i) +
                   Comment(key, config, i) + "\n";
        }
    }
    return out;
}

std::string Describe(const TextError& error) {
    const std::string where = error.line > 0 ? "line " + std::to_string(error.line) + ": " : "";
    return where + (error.key.empty() ? error.what : error.key + " " + error.what);
}

}  // namespace wb::text
