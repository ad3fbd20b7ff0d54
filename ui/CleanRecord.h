// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the form holds changes that would be lost: the form, as it would be saved, against the
// record as it was last read from or written to the beacon, or opened from or saved to a file.
// Only what the beacon keeps counts: not the profile shown, not the calibration note, not the
// time-slot flags (they follow the offset and interval), not bytes after a text's end.
#pragma once

#include "config/TrackerConfig.h"
#include "ui/ConfigForm.h"

namespace wb::ui {

// True when the two records hold the same configuration in the sense above.
bool SameConfiguration(const CTrackerConfig& a, const CTrackerConfig& b);

class CleanRecord {
public:
    // The record as it stands is the clean one until the first Note.
    CleanRecord(const ConfigForm& form, const CTrackerConfig& config);

    // The record as it stands now matches the beacon or a file.
    void Note();
    bool FormDiffers() const;

private:
    const ConfigForm& m_form;
    const CTrackerConfig& m_config;
    CTrackerConfig m_clean;
};

}  // namespace wb::ui
