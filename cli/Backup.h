// SPDX-License-Identifier: GPL-3.0-or-later
// Backups of what a beacon held, kept in the user's data folder before every write.
#pragma once

#include <ctime>
#include <filesystem>
#include <string>

namespace wb::cli {

// backups/wrenbeacon-YYYYMMDD-HHMMSS.bin in `dataFolder`, with -2, -3, ... added when a file of
// that name is already there.
std::filesystem::path BackupPath(const std::filesystem::path& dataFolder, const std::tm& when);

}  // namespace wb::cli
