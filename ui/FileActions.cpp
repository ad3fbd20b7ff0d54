// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FileActions.h"

#include "config/ConfigFile.h"

namespace wb::ui {

FileActions::FileActions(ConfigForm& form, CTrackerConfig& config)
    : m_form(form), m_config(config) {}

bool FileActions::OnOpenConfig(const std::filesystem::path& path) {
    ConfigFile file;
    if (LoadConfigFile(path, file)) {
        return true;
    }
    CTrackerConfig opened = file.config;
    if (!file.image.empty()) {
        // Into the record as it stands, so that settings the image has switched off keep their
        // values, as after a read. The image decoded once already; it decodes again.
        opened = m_config;
        Messages unused;  // it cannot fail the second time
        opened.DecodeImage(file.image.data(), static_cast<int>(file.image.size()), unused);
    }
    opened.m_nProfile = m_config.m_nProfile;
    opened.m_bCalDirty =
        m_config.m_bCalDirty != 0 || opened.m_nCalibration != m_config.m_nCalibration ? 1 : 0;
    m_config = opened;
    m_form.ConfigToForm();
    return false;
}

bool FileActions::OnSaveConfigAs(const std::filesystem::path& path) {
    m_form.FormToConfig();
    ConfigFile file;
    file.config = m_config;
    return SaveConfigFile(path, file);
}

}  // namespace wb::ui
