// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/web/PageMenu.h"

#include <emscripten.h>

#include <cctype>
#include <sstream>
#include <string>

#include "res/ResourceIds.h"
#include "res/Resources.h"

namespace wb::web {
namespace {

// clang-format off
EM_JS(void, wb_menu_entry, (const char* element, const char* text, int key), {
    const entry = document.getElementById(UTF8ToString(element));
    entry.textContent = UTF8ToString(text);
    entry.accessKey = key ? String.fromCharCode(key) : "";
});
EM_JS(void, wb_menu_save_title, (const char* title), {
    document.getElementById('save-caption').textContent = UTF8ToString(title);
});
EM_JS(void, wb_menu_file_kind, (const char* name, const char* extensions), {
    WrenbeaconFiles.addKind(UTF8ToString(name), UTF8ToString(extensions).split(' '));
});
EM_JS(void, wb_menu_default_extension, (const char* extension), {
    WrenbeaconFiles.setDefaultExtension(UTF8ToString(extension));
});
// clang-format on

// "&About X..." shows as "About X...", with A as its key.
void Entry(const char* element, const std::string& text, char key) {
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            key = text[++i];
        }
        shown += text[i];
    }
    wb_menu_entry(element, shown.c_str(), std::tolower(static_cast<unsigned char>(key)));
}

// "*.toml *.bin" as ".toml .bin".
std::string Extensions(const char* patterns) {
    std::istringstream in(patterns);
    std::string pattern;
    std::string extensions;
    while (in >> pattern) {
        extensions += (extensions.empty() ? "" : " ") + pattern.substr(pattern.find('.'));
    }
    return extensions;
}

}  // namespace

void LabelMenu() {
    for (const res::FileCommand& command : res::FileCommands()) {
        const bool open = command.id == res::IDM_OPEN_CONFIG;
        Entry(open ? "menu-open" : "menu-save", command.text, command.key);
        if (!open) {
            wb_menu_save_title(command.title);
        }
    }
    Entry("menu-about", res::AboutMenuText(), 0);
    for (const res::FileFilter& filter : res::ConfigFileFilters()) {
        wb_menu_file_kind(filter.name, Extensions(filter.patterns).c_str());
    }
    wb_menu_default_extension(res::DefaultConfigExtension());
}

}  // namespace wb::web
