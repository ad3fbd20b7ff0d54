// SPDX-License-Identifier: GPL-3.0-or-later
// The form: shows one profile of the record in the window's controls and copies the user's edits
// back, at fixed moments only. It keeps the dependent controls' enabled state in step with the
// three "Enable" boxes, keeps SmartBeaconing and Time Slotting from being checked together by a
// click, and notices an edited calibration. It validates nothing: the record's setters cut texts
// and the encoder limits values.
#pragma once

#include "config/TrackerConfig.h"
#include "ui/ControlAccess.h"

namespace wb::ui {

class ConfigForm {
public:
    ConfigForm(ControlAccess& controls, CTrackerConfig& config);

    // Once, when the window's controls exist and its lists are filled: selects COM1, inserts
    // the two profile tabs and shows the record.
    void SetUp();

    // Controls into the shown profile (m_nProfile) and the shared calibration.
    void FormToConfig();
    // The record as FormToConfig would leave it, without touching the record.
    CTrackerConfig Preview() const;
    // The shown profile into the controls, then UpdateEnables.
    void ConfigToForm();
    void UpdateEnables();

    // The tab control's selection has changed: saves the profile that was shown, shows the other.
    void OnSelchangeProfileTab();
    // Clicks on the three "Enable" boxes, after the box has toggled itself.
    void OnSmartBeaconEnable();
    void OnTimeSlotEnable();
    void OnMicEEnable();

private:
    ControlAccess& m_controls;
    CTrackerConfig& m_config;
};

}  // namespace wb::ui
