// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Command.h"
#include "cli/Session.h"
#include "link/DeviceProtocol.h"

namespace wb::cli {
namespace {

int RunVersion(Session& s, const Invocation&) {
    char banner[device::kBannerAreaSize] = {};
    if (s.Port().ReadVersion(banner, device::kBannerQuerySize)) {
        return kBeaconFailed;
    }
    s.env().out << banner << "\n";
    return kSuccess;
}

}  // namespace

const Command kVersionCommand{"version", "Print the beacon's version banner.", {}, {}, RunVersion};

}  // namespace wb::cli
