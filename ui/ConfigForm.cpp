// The form: moves one profile between the controls and m_config, keeps the dependent controls'
// enabled state in step with the three "Enable" boxes, and notices an edited calibration.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "config/DecimalText.h"
#include "res/ResourceIds.h"
#include "ui/ConfigDlg.h"
#include "ui/TabControl.h"

using namespace wb::res;

std::string CConfigDlg::GetFieldText(int id) const {
    auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(id));
    if (edit == nullptr) {
        return {};
    }
    return edit->text().toLatin1().toStdString();
}

int CConfigDlg::GetFieldInt(int id) const {
    const std::string text = GetFieldText(id);
    return ParseDecimal(text.c_str());
}

void CConfigDlg::SetFieldText(int id, const char* text) {
    if (auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(id))) {
        edit->setText(QString::fromLatin1(text));
    }
}

void CConfigDlg::SetFieldInt(int id, int value) {
    SetFieldText(id, std::to_string(value).c_str());
}

bool CConfigDlg::IsBoxChecked(int id) const {
    auto* box = qobject_cast<QCheckBox*>(GetDlgItem(id));
    return box != nullptr && box->checkState() == Qt::Checked;
}

void CConfigDlg::SetBoxCheck(int id, BYTE flag) {
    if (auto* box = qobject_cast<QCheckBox*>(GetDlgItem(id))) {
        box->setChecked(flag != 0);
    }
}

int CConfigDlg::GetListSelection(int id) const {
    auto* list = qobject_cast<QComboBox*>(GetDlgItem(id));
    return list == nullptr ? -1 : list->currentIndex();
}

void CConfigDlg::SetListSelection(int id, int index) {
    if (auto* list = qobject_cast<QComboBox*>(GetDlgItem(id))) {
        list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
    }
}

void CConfigDlg::FormToConfig() {
    CTrackerConfig& c = m_config;
    const int p = c.m_nProfile;
    c.SetCallsign(GetFieldText(IDC_CALLSIGN).c_str());
    c.SetPath(GetFieldText(IDC_DIGI_PATH).c_str());
    c.SetStatus(GetFieldText(IDC_STATUS_TEXT).c_str());

    // A changed calibration is noted; only a read or write of the device clears the note.
    const int calibration = GetFieldInt(IDC_CALIBRATION);
    if (calibration != c.m_nCalibration) {
        c.m_bCalDirty = 1;
    }
    c.m_nCalibration = calibration;

    c.m_nTxDelay[p] = GetFieldInt(IDC_TX_DELAY);
    c.m_nMicEMessage[p] = GetListSelection(IDC_MICE_MESSAGE);
    c.m_nMicEPath[p] = GetListSelection(IDC_MICE_PATH);

    const std::string symbol = GetFieldText(IDC_SYMBOL);
    const std::string table = GetFieldText(IDC_SYMBOL_TABLE);
    c.m_cSymbol[p] = symbol.empty() ? '\0' : symbol[0];
    c.m_cSymbolTable[p] = table.empty() ? '\0' : table[0];

    c.m_nStatusEvery[p] = GetFieldInt(IDC_STATUS_EVERY);
    c.m_nTxInterval[p] = GetFieldInt(IDC_TX_INTERVAL);
    c.m_nSlotOffset[p] = GetFieldInt(IDC_SLOT_OFFSET);
    c.m_nSlowSpeed[p] = GetFieldInt(IDC_SLOW_SPEED);
    c.m_nFastSpeed[p] = GetFieldInt(IDC_FAST_SPEED);
    c.m_nSlowRate[p] = GetFieldInt(IDC_SLOW_RATE);
    c.m_nFastRate[p] = GetFieldInt(IDC_FAST_RATE);
    c.m_nMinTurnAngle[p] = GetFieldInt(IDC_MIN_TURN_ANGLE);
    c.m_nTurnSlope[p] = GetFieldInt(IDC_TURN_SLOPE);
    c.m_nMinTurnTime[p] = GetFieldInt(IDC_MIN_TURN_TIME);
    c.m_nQuietTime[p] = GetFieldInt(IDC_QUIET_TIME);

    c.m_bForcePrintable[p] = IsBoxChecked(IDC_FORCE_PRINTABLE) ? 1 : 0;
    c.m_bValidOnly[p] = IsBoxChecked(IDC_VALID_ONLY) ? 1 : 0;
    c.m_bTimeSlot[p] = IsBoxChecked(IDC_TIMESLOT_ENABLE) ? 1 : 0;
    c.m_bSmartBeacon[p] = IsBoxChecked(IDC_SMARTBEACON_ENABLE) ? 1 : 0;
    c.m_bAltitude[p] = IsBoxChecked(IDC_ALTITUDE) ? 1 : 0;
    c.m_bMicE[p] = IsBoxChecked(IDC_MICE_ENABLE) ? 1 : 0;

    // The slot flags follow the offset: a whole minute, and a whole ten minutes.
    if (IsBoxChecked(IDC_TIMESLOT_ENABLE)) {
        const int offset = GetFieldInt(IDC_SLOT_OFFSET);
        c.m_bSlotMinute[p] = offset % 60 == 0 ? 1 : 0;
        c.m_bSlotTenMinute[p] = offset % 600 == 0 ? 1 : 0;
    }
}

void CConfigDlg::ConfigToForm() {
    const CTrackerConfig& c = m_config;
    const int p = c.m_nProfile;
    SetFieldText(IDC_CALLSIGN, c.m_szCallsign[p]);
    SetFieldText(IDC_DIGI_PATH, c.m_szPath[p]);
    SetFieldText(IDC_STATUS_TEXT, c.m_szStatus[p]);

    SetFieldInt(IDC_CALIBRATION, c.m_nCalibration);
    SetFieldInt(IDC_TX_DELAY, c.m_nTxDelay[p]);

    SetListSelection(IDC_MICE_MESSAGE, c.m_nMicEMessage[p]);
    SetListSelection(IDC_MICE_PATH, c.m_nMicEPath[p]);

    const char symbol[2] = {c.m_cSymbol[p], '\0'};
    const char table[2] = {c.m_cSymbolTable[p], '\0'};
    SetFieldText(IDC_SYMBOL, symbol);
    SetFieldText(IDC_SYMBOL_TABLE, table);

    SetFieldInt(IDC_STATUS_EVERY, c.m_nStatusEvery[p]);
    SetFieldInt(IDC_TX_INTERVAL, c.m_nTxInterval[p]);
    SetFieldInt(IDC_SLOT_OFFSET, c.m_nSlotOffset[p]);
    SetFieldInt(IDC_SLOW_SPEED, c.m_nSlowSpeed[p]);
    SetFieldInt(IDC_FAST_SPEED, c.m_nFastSpeed[p]);
    SetFieldInt(IDC_SLOW_RATE, c.m_nSlowRate[p]);
    SetFieldInt(IDC_FAST_RATE, c.m_nFastRate[p]);
    SetFieldInt(IDC_MIN_TURN_ANGLE, c.m_nMinTurnAngle[p]);
    SetFieldInt(IDC_TURN_SLOPE, c.m_nTurnSlope[p]);
    SetFieldInt(IDC_MIN_TURN_TIME, c.m_nMinTurnTime[p]);
    SetFieldInt(IDC_QUIET_TIME, c.m_nQuietTime[p]);

    SetBoxCheck(IDC_FORCE_PRINTABLE, c.m_bForcePrintable[p]);
    SetBoxCheck(IDC_VALID_ONLY, c.m_bValidOnly[p]);
    SetBoxCheck(IDC_TIMESLOT_ENABLE, c.m_bTimeSlot[p]);
    SetBoxCheck(IDC_SMARTBEACON_ENABLE, c.m_bSmartBeacon[p]);
    SetBoxCheck(IDC_ALTITUDE, c.m_bAltitude[p]);
    SetBoxCheck(IDC_MICE_ENABLE, c.m_bMicE[p]);

    UpdateEnables();
}

void CConfigDlg::UpdateEnables() {
    const auto enable = [this](int id, bool on) {
        if (QWidget* control = GetDlgItem(id)) {
            control->setEnabled(on);
        }
    };
    for (int id : {IDC_SLOW_SPEED, IDC_SLOW_RATE, IDC_FAST_SPEED, IDC_FAST_RATE, IDC_MIN_TURN_ANGLE,
                   IDC_TURN_SLOPE, IDC_MIN_TURN_TIME}) {
        enable(id, IsBoxChecked(IDC_SMARTBEACON_ENABLE));
    }
    enable(IDC_TX_INTERVAL, !IsBoxChecked(IDC_SMARTBEACON_ENABLE));
    enable(IDC_SLOT_OFFSET, IsBoxChecked(IDC_TIMESLOT_ENABLE));
    for (int id : {IDC_FORCE_PRINTABLE, IDC_MICE_MESSAGE, IDC_MICE_PATH}) {
        enable(id, IsBoxChecked(IDC_MICE_ENABLE));
    }
}

void CConfigDlg::OnSelchangeProfileTab() {
    FormToConfig();  // still the profile that was shown
    auto* tabs = static_cast<wb::ui::TabControl*>(GetDlgItem(IDC_PROFILE_TAB));
    m_config.m_nProfile = tabs->GetCurSel() & 1;
    ConfigToForm();
}

// SmartBeaconing and Time Slotting exclude each other when the user checks one of them.
void CConfigDlg::OnSmartBeaconEnable() {
    if (IsBoxChecked(IDC_SMARTBEACON_ENABLE)) {
        SetBoxCheck(IDC_TIMESLOT_ENABLE, 0);
    }
    UpdateEnables();
}

void CConfigDlg::OnTimeSlotEnable() {
    if (IsBoxChecked(IDC_TIMESLOT_ENABLE)) {
        SetBoxCheck(IDC_SMARTBEACON_ENABLE, 0);
    }
    UpdateEnables();
}

void CConfigDlg::OnMicEEnable() {
    UpdateEnables();
}
