// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Backup.h"

#include <system_error>

namespace wb::cli {

std::filesystem::path BackupPath(const std::filesystem::path& dataFolder, const std::tm& when) {
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "wrenbeacon-%Y%m%d-%H%M%S", &when);
    const std::filesystem::path folder = dataFolder / "backups";
    std::filesystem::path path = folder / (std::string(stamp) + ".bin");
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(path, ec); ++n) {
        path = folder / (std::string(stamp) + "-" + std::to_string(n) + ".bin");
    }
    return path;
}

}  // namespace wb::cli
