// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ConfigForm.h"

#include <string>

#include "res/ResourceIds.h"

namespace wb::ui {

using namespace wb::res;

ConfigForm::ConfigForm(ControlAccess& controls, CTrackerConfig& config)
    : m_controls(controls), m_config(config) {}

void ConfigForm::SetUp() {
    m_controls.SetListSelection(IDC_COM_PORT, 0);
    m_controls.InsertTab(IDC_PROFILE_TAB, 0, "Primary");
    m_controls.InsertTab(IDC_PROFILE_TAB, 1, "Seconday");
    m_config.m_nProfile = m_controls.GetTabSelection(IDC_PROFILE_TAB) & 1;
    ConfigToForm();
}

void ConfigForm::FormToConfig() {
    const ControlAccess& f = m_controls;
    CTrackerConfig& c = m_config;
    const int p = c.m_nProfile;
    c.SetCallsign(f.GetFieldText(IDC_CALLSIGN).c_str());
    c.SetPath(f.GetFieldText(IDC_DIGI_PATH).c_str());
    c.SetStatus(f.GetFieldText(IDC_STATUS_TEXT).c_str());

    // A changed calibration is noted; only a read or write of the device clears the note.
    const int calibration = f.GetFieldInt(IDC_CALIBRATION);
    if (calibration != c.m_nCalibration) {
        c.m_bCalDirty = 1;
    }
    c.m_nCalibration = calibration;

    c.m_nTxDelay[p] = f.GetFieldInt(IDC_TX_DELAY);
    c.m_nMicEMessage[p] = f.GetListSelection(IDC_MICE_MESSAGE);
    c.m_nMicEPath[p] = f.GetListSelection(IDC_MICE_PATH);

    const std::string symbol = f.GetFieldText(IDC_SYMBOL);
    const std::string table = f.GetFieldText(IDC_SYMBOL_TABLE);
    c.m_cSymbol[p] = symbol.empty() ? '\0' : symbol[0];
    c.m_cSymbolTable[p] = table.empty() ? '\0' : table[0];

    c.m_nStatusEvery[p] = f.GetFieldInt(IDC_STATUS_EVERY);
    c.m_nTxInterval[p] = f.GetFieldInt(IDC_TX_INTERVAL);
    c.m_nSlotOffset[p] = f.GetFieldInt(IDC_SLOT_OFFSET);
    c.m_nSlowSpeed[p] = f.GetFieldInt(IDC_SLOW_SPEED);
    c.m_nFastSpeed[p] = f.GetFieldInt(IDC_FAST_SPEED);
    c.m_nSlowRate[p] = f.GetFieldInt(IDC_SLOW_RATE);
    c.m_nFastRate[p] = f.GetFieldInt(IDC_FAST_RATE);
    c.m_nMinTurnAngle[p] = f.GetFieldInt(IDC_MIN_TURN_ANGLE);
    c.m_nTurnSlope[p] = f.GetFieldInt(IDC_TURN_SLOPE);
    c.m_nMinTurnTime[p] = f.GetFieldInt(IDC_MIN_TURN_TIME);
    c.m_nQuietTime[p] = f.GetFieldInt(IDC_QUIET_TIME);

    c.m_bForcePrintable[p] = f.IsBoxChecked(IDC_FORCE_PRINTABLE) ? 1 : 0;
    c.m_bValidOnly[p] = f.IsBoxChecked(IDC_VALID_ONLY) ? 1 : 0;
    c.m_bTimeSlot[p] = f.IsBoxChecked(IDC_TIMESLOT_ENABLE) ? 1 : 0;
    c.m_bSmartBeacon[p] = f.IsBoxChecked(IDC_SMARTBEACON_ENABLE) ? 1 : 0;
    c.m_bAltitude[p] = f.IsBoxChecked(IDC_ALTITUDE) ? 1 : 0;
    c.m_bMicE[p] = f.IsBoxChecked(IDC_MICE_ENABLE) ? 1 : 0;

    // The slot flags follow the offset: a whole minute, and a whole ten minutes.
    if (f.IsBoxChecked(IDC_TIMESLOT_ENABLE)) {
        const int offset = f.GetFieldInt(IDC_SLOT_OFFSET);
        c.m_bSlotMinute[p] = offset % 60 == 0 ? 1 : 0;
        c.m_bSlotTenMinute[p] = offset % 600 == 0 ? 1 : 0;
    }
}

CTrackerConfig ConfigForm::Preview() const {
    CTrackerConfig copy = m_config;
    ConfigForm(m_controls, copy).FormToConfig();
    return copy;
}

void ConfigForm::ConfigToForm() {
    ControlAccess& f = m_controls;
    const CTrackerConfig& c = m_config;
    const int p = c.m_nProfile;
    f.SetFieldText(IDC_CALLSIGN, c.m_szCallsign[p]);
    f.SetFieldText(IDC_DIGI_PATH, c.m_szPath[p]);
    f.SetFieldText(IDC_STATUS_TEXT, c.m_szStatus[p]);

    f.SetFieldInt(IDC_CALIBRATION, c.m_nCalibration);
    f.SetFieldInt(IDC_TX_DELAY, c.m_nTxDelay[p]);

    f.SetListSelection(IDC_MICE_MESSAGE, c.m_nMicEMessage[p]);
    f.SetListSelection(IDC_MICE_PATH, c.m_nMicEPath[p]);

    const char symbol[2] = {c.m_cSymbol[p], '\0'};
    const char table[2] = {c.m_cSymbolTable[p], '\0'};
    f.SetFieldText(IDC_SYMBOL, symbol);
    f.SetFieldText(IDC_SYMBOL_TABLE, table);

    f.SetFieldInt(IDC_STATUS_EVERY, c.m_nStatusEvery[p]);
    f.SetFieldInt(IDC_TX_INTERVAL, c.m_nTxInterval[p]);
    f.SetFieldInt(IDC_SLOT_OFFSET, c.m_nSlotOffset[p]);
    f.SetFieldInt(IDC_SLOW_SPEED, c.m_nSlowSpeed[p]);
    f.SetFieldInt(IDC_FAST_SPEED, c.m_nFastSpeed[p]);
    f.SetFieldInt(IDC_SLOW_RATE, c.m_nSlowRate[p]);
    f.SetFieldInt(IDC_FAST_RATE, c.m_nFastRate[p]);
    f.SetFieldInt(IDC_MIN_TURN_ANGLE, c.m_nMinTurnAngle[p]);
    f.SetFieldInt(IDC_TURN_SLOPE, c.m_nTurnSlope[p]);
    f.SetFieldInt(IDC_MIN_TURN_TIME, c.m_nMinTurnTime[p]);
    f.SetFieldInt(IDC_QUIET_TIME, c.m_nQuietTime[p]);

    f.SetBoxCheck(IDC_FORCE_PRINTABLE, c.m_bForcePrintable[p]);
    f.SetBoxCheck(IDC_VALID_ONLY, c.m_bValidOnly[p]);
    f.SetBoxCheck(IDC_TIMESLOT_ENABLE, c.m_bTimeSlot[p]);
    f.SetBoxCheck(IDC_SMARTBEACON_ENABLE, c.m_bSmartBeacon[p]);
    f.SetBoxCheck(IDC_ALTITUDE, c.m_bAltitude[p]);
    f.SetBoxCheck(IDC_MICE_ENABLE, c.m_bMicE[p]);

    UpdateEnables();
}

void ConfigForm::UpdateEnables() {
    ControlAccess& f = m_controls;
    for (int id : {IDC_SLOW_SPEED, IDC_SLOW_RATE, IDC_FAST_SPEED, IDC_FAST_RATE, IDC_MIN_TURN_ANGLE,
                   IDC_TURN_SLOPE, IDC_MIN_TURN_TIME, IDC_SMARTBEACON_PRESET}) {
        f.EnableControl(id, f.IsBoxChecked(IDC_SMARTBEACON_ENABLE));
    }
    f.EnableControl(IDC_TX_INTERVAL, !f.IsBoxChecked(IDC_SMARTBEACON_ENABLE));
    f.EnableControl(IDC_SLOT_OFFSET, f.IsBoxChecked(IDC_TIMESLOT_ENABLE));
    for (int id : {IDC_FORCE_PRINTABLE, IDC_MICE_MESSAGE, IDC_MICE_PATH}) {
        f.EnableControl(id, f.IsBoxChecked(IDC_MICE_ENABLE));
    }
}

void ConfigForm::OnSelchangeProfileTab() {
    FormToConfig();  // still the profile that was shown
    m_config.m_nProfile = m_controls.GetTabSelection(IDC_PROFILE_TAB) & 1;
    ConfigToForm();
}

// SmartBeaconing and Time Slotting exclude each other when the user checks one of them.
void ConfigForm::OnSmartBeaconEnable() {
    if (m_controls.IsBoxChecked(IDC_SMARTBEACON_ENABLE)) {
        m_controls.SetBoxCheck(IDC_TIMESLOT_ENABLE, 0);
    }
    UpdateEnables();
}

void ConfigForm::OnTimeSlotEnable() {
    if (m_controls.IsBoxChecked(IDC_TIMESLOT_ENABLE)) {
        m_controls.SetBoxCheck(IDC_SMARTBEACON_ENABLE, 0);
    }
    UpdateEnables();
}

void ConfigForm::OnMicEEnable() {
    UpdateEnables();
}

}  // namespace wb::ui
