// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Command.h"
#include "cli/Session.h"
#include "config/ConfigText.h"

namespace wb::cli {
namespace {

int RunShow(Session& s, const Invocation& call) {
    ConfigFile file;
    if (LoadConfigFile(call.Path(0), file)) {
        return kUsage;
    }
    s.env().out << text::ConfigToText(file.config);
    return kSuccess;
}

}  // namespace

const Command kShowCommand{"show",
                           "Print the configuration in FILE as text (what a .toml file holds).",
                           {{"FILE", "a .bin or .toml file"}},
                           {},
                           RunShow};

}  // namespace wb::cli
