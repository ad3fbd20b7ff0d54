// SPDX-License-Identifier: GPL-3.0-or-later
// The program's resources: the two dialog templates with their lists, string 101 and icon 128.
#pragma once

#include <span>

#include "res/DialogTemplate.h"

namespace wb::res {

const DialogTemplate& ConfigDialogTemplate();   // dialog 102, the main window
const DialogTemplate& AboutDialogTemplate();    // dialog 100
const DialogTemplate& SymbolChooserTemplate();  // dialog 110, the symbol chooser

// What each control of the main window means to the user, shown when the mouse rests on it.
struct ControlTooltip {
    int id;
    const char* text;
};
std::span<const ControlTooltip> ConfigTooltips();

// String 101: the entry that opens the About box.
const char* AboutMenuText();

// The window's menu entries for configuration files, in their order, before About.
struct FileCommand {
    unsigned id;        // IDM_OPEN_CONFIG, IDM_SAVE_CONFIG
    const char* text;   // the menu entry
    char key;           // with Ctrl, the key that does the same
    const char* title;  // the file dialog's title
};
std::span<const FileCommand> FileCommands();

// The kinds of configuration file that the file dialogs offer, the first one chosen at first.
struct FileFilter {
    const char* name;      // "Configuration text", shown with its patterns after it
    const char* patterns;  // separated by spaces: "*.toml *.bin"
};
std::span<const FileFilter> ConfigFileFilters();
// What Save adds to a name that has no extension.
const char* DefaultConfigExtension();

// Icon 128 as XPM images, 32 x 32 and 16 x 16, 16 colours.
const char* const* MainIconXpm32();
const char* const* MainIconXpm16();

}  // namespace wb::res
