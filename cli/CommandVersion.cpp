// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Command.h"
#include "cli/Session.h"

namespace wb::cli {
namespace {

int RunVersion(Session& s, const Invocation&) {
    char banner[32] = {};
    if (s.Port().ReadVersion(banner, 30)) {
        return kBeaconFailed;
    }
    s.env().out << banner << "\n";
    return kSuccess;
}

}  // namespace

const Command kVersionCommand{"version", "Print the beacon's version banner.", {}, {}, RunVersion};

}  // namespace wb::cli
