// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Command.h"
#include "cli/Session.h"
#include "link/DeviceProtocol.h"

namespace wb::cli {
namespace {

int RunTone(Session& s, const Invocation& call) {
    const std::string& which = call.arguments[0];
    const char code = which == "1200"   ? device::kTone1200
                      : which == "2200" ? device::kTone2200
                      : which == "both" ? device::kToneBoth
                                        : device::kToneOff;
    return s.Port().SendTone(code) ? kBeaconFailed : kSuccess;
}

}  // namespace

const Command kToneCommand{
    "tone",
    "Make the beacon key up and play a test tone with the calibration it holds, or stop.",
    {{"TONE", "1200, 2200, both or stop", {"1200", "2200", "both", "stop"}}},
    {},
    RunTone};

}  // namespace wb::cli
