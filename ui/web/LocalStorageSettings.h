// SPDX-License-Identifier: GPL-3.0-or-later
// What the page remembers between visits (the port that last answered), in the browser's
// localStorage: one entry holding the same INI text the desktop windows keep in their files.
// An entry that is missing, damaged or cannot be read gives no settings; a browser that will not
// store it (storage turned off, full) keeps none. Nothing here shows a message. The folder of
// the last Open or Save means nothing to a browser, which never tells a page where a file lies.
#pragma once

#include <memory>
#include <string>

#include "ui/IniSettings.h"
#include "ui/SettingsStore.h"

namespace wb::web {

class LocalStorageSettings final : public ui::IniTextSettings {
public:
    // Reads the entry `name` once.
    explicit LocalStorageSettings(std::string name);

private:
    void Keep(const std::string& text) override;

    std::string m_name;
};

// The page's settings: none when its address asks for none ("?no-settings", as --no-settings
// asks the desktop programs), else localStorage.
std::unique_ptr<ui::SettingsStore> MakePageSettings();

}  // namespace wb::web
