// SPDX-License-Identifier: GPL-3.0-or-later
// How much of the beacon's 128-byte image a record needs, and the line under the form that says
// so, with a warning when Write Configuration would change a value, cut a status text or refuse
// the addresses.
#pragma once

#include <string>
#include <vector>

#include "config/TrackerConfig.h"

namespace wb::ui {

struct ImageUsage {
    int needed = 0;                    // bytes, also when more than the image holds
    bool textsCut = false;             // a status text would lose its end
    bool addressesRefused = false;     // the callsigns and paths alone do not fit: no image at all
    std::vector<std::string> changes;  // values the image cannot hold, as DescribeChange says
    std::vector<std::string> strangeSymbols;  // "Primary Symbol": the beacon would send what no
                                              // APRS map knows (nothing is refused for it)
};

// Encodes a copy of `record`, showing nothing.
ImageUsage MeasureImage(const CTrackerConfig& record);

// One warning at most, the gravest first: a refusal (nothing would be written), then a value
// that would change without a word at Write, then a cut text (Write tells that one too), then a
// symbol that is not an APRS symbol.
std::string DescribeUsage(const ImageUsage& usage);

}  // namespace wb::ui
