// SPDX-License-Identifier: GPL-3.0-or-later
// Settings in an INI file of our own: "[port]" then "id=..." is the key "port/id". The file is
// read once; a missing, unreadable or damaged one gives no settings (lines that are no section
// and no key=value pair are skipped). Each Set writes the whole file anew, atomically.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <map>

#include "ui/SettingsStore.h"

namespace wb::ui {

// Settings kept as the text of such a file, wherever the text lives (a file here, the page's
// localStorage): read once, and handed to Keep whole after each Set. Values with a line break,
// or with spaces at either end, are not kept.
class IniTextSettings : public SettingsStore {
public:
    std::optional<std::string> Get(const std::string& key) final;
    void Set(const std::vector<Setting>& values) final;

protected:
    void Load(std::istream& text);
    virtual void Keep(const std::string& text) = 0;

private:
    std::map<std::string, std::string> m_values;
};

class IniSettings final : public IniTextSettings {
public:
    explicit IniSettings(std::filesystem::path file);

private:
    // Creates the file's folder when it is missing.
    void Keep(const std::string& text) override;

    std::filesystem::path m_file;
};

}  // namespace wb::ui
