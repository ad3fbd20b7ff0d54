// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Command.h"
#include "cli/Session.h"

namespace wb::cli {
namespace {

int RunConvert(Session&, const Invocation& call) {
    ConfigFile file;
    if (RefuseUnknownKind(call.Path(1)) || LoadConfigFile(call.Path(0), file) ||
        SaveConfigFile(call.Path(1), file)) {
        return kUsage;
    }
    return kSuccess;
}

}  // namespace

const Command kConvertCommand{
    "convert",
    "Convert between a device image (.bin) and text (.toml); a .bin is copied byte for byte.",
    {{"IN", "the file to read"}, {"OUT", "the file to write (replaced whole)"}},
    {},
    RunConvert};

}  // namespace wb::cli
