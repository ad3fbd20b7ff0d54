// SPDX-License-Identifier: GPL-3.0-or-later
// Where a window keeps the little it remembers between runs (the port that last answered, the
// folder of the last Open or Save): a few texts under keys such as "port/id". Each front end
// brings its own store: QSettings in the Qt window, an INI file under %APPDATA% on Windows.
// Nothing here ever shows a message: settings that cannot be read are no settings, and settings
// that cannot be written are not kept.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace wb::ui {

using Setting = std::pair<std::string, std::string>;  // key, value

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The text stored under `key`, or nothing when there is none.
    virtual std::optional<std::string> Get(const std::string& key) = 0;
    // Stores each value under its key and writes the settings out at once, replacing the old
    // ones whole.
    virtual void Set(const std::vector<Setting>& values) = 0;
};

// --no-settings, or WRENBEACON_NO_SETTINGS=1: the program neither reads nor writes settings.
class NoSettings final : public SettingsStore {
public:
    std::optional<std::string> Get(const std::string&) override { return std::nullopt; }
    void Set(const std::vector<Setting>&) override {}
};

// False when the command line holds --no-settings or `variable` (the value of
// WRENBEACON_NO_SETTINGS, null when unset) is set to anything but "" or "0".
bool SettingsWanted(std::span<const std::string> arguments, const char* variable);

}  // namespace wb::ui
