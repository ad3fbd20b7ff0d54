// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a file so that it is either replaced whole or left as it was.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace wb {

// Writes `data` to a new file beside `target`, then renames it over `target`. What the user had
// is kept: a symbolic link stays a link and the file it points to is replaced, with the
// permissions it had. On failure the new file is removed, `target` is untouched, `reason` says
// why and the result is true.
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view data,
                         std::string& reason);

// The same for a file that must not replace anything: `data` goes, whole, under the first of
// `nameFor(1)`, `nameFor(2)`, ... `nameFor(count)` (all in one folder) that nothing has, however
// many programs save under these names at once. The name it took; empty when it failed, with
// `reason` saying why.
std::filesystem::path WriteNewFileAtomically(
    const std::function<std::filesystem::path(int)>& nameFor, int count, std::string_view data,
    std::string& reason);

}  // namespace wb
