// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt window's settings: QSettings in an INI file under the user's configuration folder
// ($XDG_CONFIG_HOME/WrenbeaconConfig/WrenbeaconConfig.ini, by default under ~/.config).
#pragma once

#include <QSettings>
#include <memory>

#include "ui/SettingsStore.h"

namespace wb::ui {

class QtSettings final : public SettingsStore {
public:
    QtSettings();

    // Nothing when the file could not be read as settings: a damaged file counts as none.
    std::optional<std::string> Get(const std::string& key) override;
    // QSettings writes the whole file anew through a temporary file that it renames.
    void Set(const std::vector<Setting>& values) override;

private:
    QSettings m_settings;
    bool m_readable;
};

// The store the window uses: none with --no-settings among the application's arguments or with
// WRENBEACON_NO_SETTINGS=1, else QtSettings.
std::unique_ptr<SettingsStore> MakeWindowSettings();

}  // namespace wb::ui
