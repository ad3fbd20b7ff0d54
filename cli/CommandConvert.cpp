// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Command.h"
#include "cli/Session.h"

namespace wb::cli {
namespace {

int RunConvert(Session& s, const Invocation& call) {
    ConfigFile file;
    if (RefuseUnknownKind(call.arguments[1]) || LoadConfigFile(call.arguments[0], file)) {
        return kUsage;
    }
    // Only a text's record goes through the encoder; a .bin is copied as it is.
    if (file.image.empty() && FileKindOf(call.arguments[1]) == FileKind::Image) {
        s.WarnOfChanges(file.config);
    }
    return SaveConfigFile(call.arguments[1], file) ? kUsage : kSuccess;
}

}  // namespace

const Command kConvertCommand{
    "convert",
    "Convert between a device image (.bin) and text (.toml); a .bin is copied byte for byte.",
    {{"IN", "the file to read"}, {"OUT", "the file to write (replaced whole)"}},
    {},
    RunConvert};

}  // namespace wb::cli
