// SPDX-License-Identifier: GPL-3.0-or-later
// The system's file dialogs for "Open Configuration..." and "Save Configuration As...": .toml and
// .bin files, the path as the system gives it (UTF-16), never through the ANSI code page.
#pragma once

#include <filesystem>
#include <optional>

#include "ui/win32/Win32.h"

namespace wb::ui {

// The file the user picked in a dialog owned by `owner`, or nothing when the user cancelled. The
// dialog starts in `folder`, or where the system chooses when it is empty.
std::optional<std::filesystem::path> AskOpenPath(HWND owner, const std::filesystem::path& folder);
// Asks before replacing a file; a name without an extension gets .toml.
std::optional<std::filesystem::path> AskSavePath(HWND owner, const std::filesystem::path& folder);

}  // namespace wb::ui
