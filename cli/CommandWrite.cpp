// SPDX-License-Identifier: GPL-3.0-or-later
#include <ctime>

#include "cli/Backup.h"
#include "cli/Command.h"
#include "cli/Differences.h"
#include "cli/Session.h"
#include "core/PathText.h"

namespace wb::cli {
namespace {

// Saves what the beacon holds now in `path`; true (told) when it cannot be read or saved.
bool BackUp(Session& s, std::filesystem::path& path, int& exitCode) {
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
    path = SaveBackup(s.env().dataFolder, *std::localtime(&now), held);
    if (path.empty()) {
        s.Note("Nothing was written: the backup could not be saved.");
        exitCode = kUsage;
        return true;
    }
    s.env().out << "Backup of the beacon's configuration: " << Utf8Of(path) << "\n";
    return false;
}

// What to do about a beacon that a failed write may have left with part of the image: write the
// backup back, without backing up the broken configuration first.
std::string RestoreAdvice(const Session& s, const std::filesystem::path& backup) {
    if (backup.empty()) {
        return "Check the cable and write the file again.";
    }
    const std::string port = s.options().port == GlobalOptions().port
                                 ? std::string()
                                 : "--port " + s.options().port + " ";
    return "To restore what it held, write the backup: wrenbeacon " + port +
           "write --no-backup \"" + Utf8Of(backup) + "\"";
}

int RunWrite(Session& s, const Invocation& call) {
    ConfigFile file;
    std::vector<BYTE> image;
    if (LoadConfigFile(call.Path(0), file) || ImageOfConfigFile(file, image)) {
        return kUsage;
    }
    if (file.image.empty()) {
        s.WarnOfChanges(file.config);  // a .bin goes as it is
    }
    int exitCode = kSuccess;
    std::filesystem::path backup;
    if (!call.flags.contains("--no-backup") && BackUp(s, backup, exitCode)) {
        return exitCode;
    }
    // A backup's read has just heard the banner.
    const auto banner = backup.empty() ? exchange::Banner::Ask : exchange::Banner::Heard;
    if (s.WriteBeacon(image, RestoreAdvice(s, backup), banner)) {
        return kBeaconFailed;
    }
    // What the beacon now holds: the verified image read as Write Configuration reads it.
    CTrackerConfig held = file.config;
    Messages told;
    if (held.DecodeImage(image.data(), static_cast<int>(image.size()), told)) {
        ShowMessages(told);
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
