// SPDX-License-Identifier: GPL-3.0-or-later
// A record unlike the defaults in both profiles and the calibration: what a beacon in use holds.
#pragma once

#include "config/TrackerConfig.h"

namespace wb::test {

inline CTrackerConfig DeviceRecord() {
    CTrackerConfig c;
    c.m_nProfile = 0;
    c.SetCallsign("K1ABC-9");
    c.m_nProfile = 1;
    c.SetCallsign("W2XYZ-7");
    c.SetPath("WIDE1-1");
    c.m_nProfile = 0;
    c.m_nCalibration = 140;
    c.m_nTxInterval[1] = 300;
    return c;
}

}  // namespace wb::test
