// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Backup.h"

#include <string>
#include <system_error>

namespace wb::cli {
namespace {

// Far more backups of one second than any number of tools can make.
constexpr int kMaxNamesPerSecond = 1000;

}  // namespace

std::filesystem::path SaveBackup(const std::filesystem::path& dataFolder, const std::tm& when,
                                 const ConfigFile& held) {
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "wrenbeacon-%Y%m%d-%H%M%S", &when);
    const std::filesystem::path folder = dataFolder / "backups";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return SaveNewConfigFile(
        [&](int n) {
            const std::string suffix = n == 1 ? std::string() : "-" + std::to_string(n);
            return folder / (stamp + suffix + ".bin");
        },
        kMaxNamesPerSecond, held);
}

}  // namespace wb::cli
