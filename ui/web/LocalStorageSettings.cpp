// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/web/LocalStorageSettings.h"

#include <emscripten.h>

#include <cstdlib>
#include <sstream>

namespace wb::web {
namespace {

// clang-format off
EM_JS(char*, wb_storage_get, (const char* name), {
    let text = null;
    try {
        text = window.localStorage.getItem(UTF8ToString(name));
    } catch (e) {
        text = null;  // storage turned off, or not for pages opened from disk
    }
    if (typeof text !== 'string') return 0;
    const size = lengthBytesUTF8(text) + 1;
    const pointer = _malloc(size);
    stringToUTF8(text, pointer, size);
    return pointer;
});
EM_JS(void, wb_storage_set, (const char* name, const char* text), {
    try {
        window.localStorage.setItem(UTF8ToString(name), UTF8ToString(text));
    } catch (e) {
        // not kept
    }
});
EM_JS(char*, wb_page_query, (), {
    const text = window.location.search || "";
    const size = lengthBytesUTF8(text) + 1;
    const pointer = _malloc(size);
    stringToUTF8(text, pointer, size);
    return pointer;
});
// clang-format on

std::string Take(char* text) {
    const std::unique_ptr<char, decltype(&std::free)> owned(text, &std::free);
    return owned ? std::string(owned.get()) : std::string();
}

// "?no-settings&x=1" as the arguments "--no-settings" and "--x".
std::vector<std::string> QueryArguments(const std::string& query) {
    std::vector<std::string> arguments = {"WrenbeaconConfig"};
    std::istringstream parts(query.starts_with('?') ? query.substr(1) : query);
    std::string part;
    while (std::getline(parts, part, '&')) {
        if (const std::string name = part.substr(0, part.find('=')); !name.empty()) {
            arguments.push_back("--" + name);
        }
    }
    return arguments;
}

}  // namespace

LocalStorageSettings::LocalStorageSettings(std::string name) : m_name(std::move(name)) {
    std::istringstream text(Take(wb_storage_get(m_name.c_str())));
    Load(text);
}

void LocalStorageSettings::Keep(const std::string& text) {
    wb_storage_set(m_name.c_str(), text.c_str());
}

std::unique_ptr<ui::SettingsStore> MakePageSettings() {
    if (!ui::SettingsWanted(QueryArguments(Take(wb_page_query())), nullptr)) {
        return std::make_unique<ui::NoSettings>();
    }
    return std::make_unique<LocalStorageSettings>("WrenbeaconConfig");
}

}  // namespace wb::web
