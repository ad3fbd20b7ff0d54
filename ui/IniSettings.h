// SPDX-License-Identifier: GPL-3.0-or-later
// Settings in an INI file of our own: "[port]" then "id=..." is the key "port/id". The file is
// read once; a missing, unreadable or damaged one gives no settings (lines that are no section
// and no key=value pair are skipped). Each Set writes the whole file anew, atomically.
#pragma once

#include <filesystem>
#include <map>

#include "ui/SettingsStore.h"

namespace wb::ui {

class IniSettings final : public SettingsStore {
public:
    explicit IniSettings(std::filesystem::path file);

    std::optional<std::string> Get(const std::string& key) override;
    // Creates the file's folder when it is missing. Values with a line break are not kept.
    void Set(const std::vector<Setting>& values) override;

private:
    std::filesystem::path m_file;
    std::map<std::string, std::string> m_values;
};

}  // namespace wb::ui
