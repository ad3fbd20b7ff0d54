// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "cli/Command.h"
#include "cli/Differences.h"
#include "cli/Session.h"

namespace wb::cli {
namespace {

// The offsets at which two images differ, for images that differ in their layout alone.
std::string DifferingBytes(const std::vector<BYTE>& a, const std::vector<BYTE>& b) {
    std::string out;
    for (std::size_t k = 0; k < std::min(a.size(), b.size()); ++k) {
        if (a[k] != b[k]) {
            out += (out.empty() ? "" : ", ") + std::to_string(k);
        }
    }
    return out;
}

int RunVerify(Session& s, const Invocation& call) {
    const std::string& path = call.arguments[0];
    ConfigFile file;
    std::vector<BYTE> expected;
    if (LoadConfigFile(call.Path(0), file) || ImageOfConfigFile(file, expected)) {
        return kUsage;
    }
    ConfigFile held;
    if (s.ReadBeacon(held.image, held.config)) {
        return kBeaconFailed;
    }
    if (held.image == expected) {
        s.env().out << "The beacon holds " << path << ".\n";
        return kSuccess;
    }
    // Both sides as the beacon would show them, so that rounded times are no difference.
    // Both images have decoded once already: the file's when it was loaded or made, the
    // beacon's when it was read.
    CTrackerConfig wanted = file.config;
    CTrackerConfig found = file.config;
    Messages unused;
    wanted.DecodeImage(expected.data(), static_cast<int>(expected.size()), unused);
    found.DecodeImage(held.image.data(), static_cast<int>(held.image.size()), unused);
    const auto differences = text::CompareConfigs(found, wanted);
    s.env().out << "The beacon differs from " << path << ":\n";
    if (differences.empty()) {
        s.env().out << "  the same values, stored differently (bytes "
                    << DifferingBytes(held.image, expected) << ")\n";
    }
    PrintDifferences(s.env().out, differences, "beacon", "file");
    return kBeaconFailed;
}

}  // namespace

const Command kVerifyCommand{
    "verify",
    "Read the beacon and compare it with FILE, printing the values that differ; exit code 0 "
    "when it holds what writing FILE stores.",
    {{"FILE", "a .bin or .toml file"}},
    {},
    RunVerify};

}  // namespace wb::cli
