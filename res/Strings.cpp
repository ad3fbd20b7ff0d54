// SPDX-License-Identifier: GPL-3.0-or-later
// The string table, and the texts of the window's file commands.
#include "res/ResourceIds.h"
#include "res/Resources.h"

namespace wb::res {
namespace {

constexpr FileCommand kFileCommands[] = {
    {IDM_OPEN_CONFIG, "Open Configuration...", 'O', "Open Configuration"},
    {IDM_SAVE_CONFIG, "Save Configuration As...", 'S', "Save Configuration As"},
};

constexpr FileFilter kFileFilters[] = {
    {"Wrenbeacon configurations", "*.toml *.bin"},
    {"Configuration text", "*.toml"},
    {"Device image", "*.bin"},
};

}  // namespace

const char* AboutMenuText() {
    return "&About WrenbeaconConfig...";
}

std::span<const FileCommand> FileCommands() {
    return kFileCommands;
}

std::span<const FileFilter> ConfigFileFilters() {
    return kFileFilters;
}

const char* DefaultConfigExtension() {
    return "toml";
}

}  // namespace wb::res
