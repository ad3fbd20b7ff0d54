// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a file so that it is either replaced whole or left as it was.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace wb {

// Writes `data` to a new file beside `target`, then renames it over `target`. On failure the
// new file is removed, `target` is untouched, `reason` says why and the result is true.
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view data,
                         std::string& reason);

}  // namespace wb
