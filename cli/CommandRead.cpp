// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Command.h"
#include "cli/Session.h"

namespace wb::cli {
namespace {

int RunRead(Session& s, const Invocation& call) {
    const std::filesystem::path path = call.Path(0);
    if (RefuseUnknownKind(path)) {
        return kUsage;
    }
    ConfigFile file;
    if (s.ReadBeacon(file.image, file.config)) {
        return kBeaconFailed;  // nothing is saved
    }
    if (SaveConfigFile(path, file)) {
        return kUsage;
    }
    s.Tell("Read Successful", "Wrenbeacon Read");
    return kSuccess;
}

}  // namespace

const Command kReadCommand{
    "read",
    "Read the beacon's configuration (checked by reading it twice) and save it in FILE.",
    {{"FILE", "a .bin (the device image, byte for byte) or a .toml (text) file"}},
    {},
    RunRead};

}  // namespace wb::cli
