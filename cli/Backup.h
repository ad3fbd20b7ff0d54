// SPDX-License-Identifier: GPL-3.0-or-later
// Backups of what a beacon held, kept in the user's data folder before every write.
#pragma once

#include <ctime>
#include <filesystem>

#include "config/ConfigFile.h"

namespace wb::cli {

// Saves `held` in backups/ of `dataFolder` (made when missing) as
// wrenbeacon-YYYYMMDD-HHMMSS.bin after `when`, or with -2, -3, ... added when that name is
// taken. No file there is ever replaced, also when other runs save backups at the same moment.
// The backup's path, or empty when it could not be saved (told).
std::filesystem::path SaveBackup(const std::filesystem::path& dataFolder, const std::tm& when,
                                 const ConfigFile& held);

}  // namespace wb::cli
