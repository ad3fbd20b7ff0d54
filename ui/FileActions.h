// SPDX-License-Identifier: GPL-3.0-or-later
// "Open Configuration..." and "Save Configuration As...": the window's record from and into a
// configuration file (.bin or .toml), over the shared form. A front end asks the user for the
// path with the platform's file dialog and passes it on; it does nothing while a device action
// runs (DeviceActions::IsBusy).
#pragma once

#include <filesystem>

#include "config/ConfigFile.h"
#include "config/TrackerConfig.h"
#include "ui/ConfigForm.h"

namespace wb::ui {

class FileActions {
public:
    FileActions(ConfigForm& form, CTrackerConfig& config);

    // Loads the file into the record and shows it (Show). A file that cannot be loaded changes
    // nothing. False on success.
    bool OnOpenConfig(const std::filesystem::path& path);

    // Shows a loaded file as a successful Read Configuration would: both profiles and the
    // calibration replaced, the shown tab kept; a .bin decodes like an image read from the
    // beacon. A calibration other than the record's sets m_bCalDirty, as an edit would.
    void Show(const ConfigFile& file);

    // Saves the form into the record first, then the record into the file; a .bin is encoded,
    // with the notice when a status text is cut and the refusal when the addresses do not fit.
    // False on success.
    bool OnSaveConfigAs(const std::filesystem::path& path);

private:
    ConfigForm& m_form;
    CTrackerConfig& m_config;
};

}  // namespace wb::ui
