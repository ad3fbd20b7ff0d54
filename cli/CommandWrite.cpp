// SPDX-License-Identifier: GPL-3.0-or-later
#include <ctime>

#include "cli/Backup.h"
#include "cli/Command.h"
#include "cli/Differences.h"
#include "cli/Session.h"
#include "core/PathText.h"

namespace wb::cli {
namespace {

// Saves what the beacon holds now; true (told) when it cannot be read or saved.
bool BackUp(Session& s, int& exitCode) {
    if (s.env().dataFolder.empty()) {
        ShowError("There is no data folder for backups (set XDG_DATA_HOME or HOME)",
                  "Use --no-backup to write without one.");
        exitCode = kUsage;
        return true;
    }
    ConfigFile held;
    if (s.ReadBeacon(held.image, held.config)) {
        s.Note("Nothing was written: the beacon could not be backed up first.");
        exitCode = kBeaconFailed;
        return true;
    }
    const std::time_t now = std::time(nullptr);
    const std::filesystem::path path = SaveBackup(s.env().dataFolder, *std::localtime(&now), held);
    if (path.empty()) {
        s.Note("Nothing was written: the backup could not be saved.");
        exitCode = kUsage;
        return true;
    }
    s.env().out << "Backup of the beacon's configuration: " << Utf8Of(path) << "\n";
    return false;
}

int RunWrite(Session& s, const Invocation& call) {
    ConfigFile file;
    std::vector<BYTE> image;
    if (LoadConfigFile(call.Path(0), file) || ImageOf(file, image)) {
        return kUsage;
    }
    int exitCode = kSuccess;
    if (call.flags.contains("--no-backup")) {
        if (s.QueryVersion()) {
            return kBeaconFailed;
        }
    } else if (BackUp(s, exitCode)) {  // its read has just heard the banner
        return exitCode;
    }
    if (s.WriteBeacon(image)) {
        return kBeaconFailed;
    }
    // What the beacon now holds: the verified image read as Write Configuration reads it.
    CTrackerConfig held = file.config;
    if (held.DecodeImage(image.data(), static_cast<int>(image.size()))) {
        return kBeaconFailed;
    }
    const auto differences = text::CompareConfigs(held, file.config);
    if (!differences.empty()) {
        s.env().out << "The beacon holds these values differently from the file:\n";
        PrintDifferences(s.env().out, differences, "beacon", "file");
    }
    s.Tell("Write Successful", "Wrenbeacon Write");
    return kSuccess;
}

}  // namespace

const Command kWriteCommand{
    "write",
    "Back up the beacon's configuration, write FILE to it (checked by reading it back) and "
    "print the values the beacon holds differently from FILE.",
    {{"FILE", "a .bin (sent as it is) or a .toml file"}},
    {{"--no-backup", "write without saving the beacon's configuration first"}},
    RunWrite};

}  // namespace wb::cli
