// SPDX-License-Identifier: GPL-3.0-or-later
// The form's rules on fake controls: what it shows and saves, the tabs, the enable rules, the
// exclusion of SmartBeaconing and Time Slotting and the calibration note.
#include <climits>
#include <string>

#include "tests/ui/WindowFixture.h"

namespace wb::test {
namespace {

using namespace res;

constexpr int kSmartBeaconFields[] = {IDC_SLOW_SPEED,   IDC_SLOW_RATE,      IDC_FAST_SPEED,
                                      IDC_FAST_RATE,    IDC_MIN_TURN_ANGLE, IDC_TURN_SLOPE,
                                      IDC_MIN_TURN_TIME};

class Form : public WindowFixture {
protected:
    ui::ConfigForm& form = window.Form();

    bool Enabled(int id) { return controls[id].enabled; }
    // What the Time Slotting and SmartBeaconing boxes enable.
    void ExpectTiming(bool slotOffset, bool interval, bool smartBeaconing) {
        EXPECT_EQ(Enabled(IDC_SLOT_OFFSET), slotOffset);
        EXPECT_EQ(Enabled(IDC_TX_INTERVAL), interval);
        for (int id : kSmartBeaconFields) {
            EXPECT_EQ(Enabled(id), smartBeaconing) << id;
        }
    }
    void ExpectMicE(bool enabled) {
        for (int id : {IDC_FORCE_PRINTABLE, IDC_MICE_MESSAGE, IDC_MICE_PATH}) {
            EXPECT_EQ(Enabled(id), enabled) << id;
        }
    }
    void ExpectBoxes(bool timeSlot, bool smartBeaconing) {
        EXPECT_EQ(controls[IDC_TIMESLOT_ENABLE].checked, timeSlot);
        EXPECT_EQ(controls[IDC_SMARTBEACON_ENABLE].checked, smartBeaconing);
    }
};

TEST_F(Form, SetUpShowsThePrimaryDefaultsOnCom1) {
    EXPECT_EQ(controls[IDC_PROFILE_TAB].entries, (std::vector<std::string>{"Primary", "Seconday"}));
    EXPECT_EQ(config.m_nProfile, 0);
    EXPECT_EQ(controls[IDC_COM_PORT].selection, 0);
    EXPECT_EQ(Text(IDC_CALLSIGN), "NOCALL");
    EXPECT_EQ(Text(IDC_TX_DELAY), "250");
    EXPECT_EQ(Text(IDC_SYMBOL), "-");
    EXPECT_TRUE(controls[IDC_MICE_ENABLE].checked);
    ExpectBoxes(false, false);
    ExpectTiming(false, true, false);
    ExpectMicE(true);

    form.FormToConfig();
    EXPECT_TRUE(config == CTrackerConfig()) << "saving untouched controls keeps the defaults";
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(Form, EditsSurviveTabSwitchesOnBothProfiles) {
    Type(IDC_CALLSIGN, "K1ABC");
    Type(IDC_TX_DELAY, "300");
    Click(IDC_FORCE_PRINTABLE);
    controls[IDC_MICE_PATH].selection = 3;

    ShowTab(1);
    EXPECT_EQ(config.m_nProfile, 1);
    EXPECT_STREQ(config.m_szCallsign[0], "K1ABC");
    EXPECT_EQ(config.m_nTxDelay[0], 300);
    EXPECT_EQ(config.m_bForcePrintable[0], 1);
    EXPECT_EQ(config.m_nMicEPath[0], 3);
    EXPECT_EQ(Text(IDC_CALLSIGN), "NOCALL");
    EXPECT_FALSE(controls[IDC_FORCE_PRINTABLE].checked);
    EXPECT_EQ(controls[IDC_MICE_PATH].selection, 0);

    Type(IDC_TX_INTERVAL, "120");
    ShowTab(0);
    EXPECT_EQ(Text(IDC_CALLSIGN), "K1ABC");
    EXPECT_EQ(Text(IDC_TX_DELAY), "300");
    EXPECT_EQ(Text(IDC_TX_INTERVAL), "60");
    EXPECT_EQ(config.m_nTxInterval[1], 120);
}

TEST_F(Form, CalibrationIsSharedAndOnlyAChangeIsNoted) {
    ShowTab(1);
    ShowTab(0);
    EXPECT_EQ(config.m_bCalDirty, 0) << "saving an equal value notes nothing";

    Type(IDC_CALIBRATION, "140");
    ShowTab(1);
    EXPECT_EQ(Text(IDC_CALIBRATION), "140");
    EXPECT_EQ(config.m_bCalDirty, 1);

    Type(IDC_CALIBRATION, "128");
    ShowTab(0);
    EXPECT_EQ(config.m_nCalibration, 128);
    EXPECT_EQ(config.m_bCalDirty, 1) << "the form never clears the note";
}

TEST_F(Form, SmartBeaconingAndTimeSlottingExcludeEachOther) {
    Click(IDC_TIMESLOT_ENABLE);
    ExpectTiming(true, true, false);
    Click(IDC_SMARTBEACON_ENABLE);
    ExpectBoxes(false, true);
    ExpectTiming(false, false, true);
    Click(IDC_TIMESLOT_ENABLE);
    ExpectBoxes(true, false);
    ExpectTiming(true, true, false);
    Click(IDC_TIMESLOT_ENABLE);  // unchecking changes no other box
    ExpectBoxes(false, false);
    ExpectTiming(false, true, false);

    Click(IDC_MICE_ENABLE);
    ExpectMicE(false);
    Click(IDC_MICE_ENABLE);
    ExpectMicE(true);
}

TEST_F(Form, ARecordWithBothBoxesSetShowsBothAndDisabledFieldsAreSaved) {
    config.m_bTimeSlot[0] = 1;
    config.m_bSmartBeacon[0] = 1;
    config.m_nTxInterval[0] = 77;
    form.ConfigToForm();
    ExpectBoxes(true, true);
    ExpectTiming(true, false, true);
    config.m_nTxInterval[0] = 0;
    form.FormToConfig();
    EXPECT_EQ(config.m_bTimeSlot[0], 1);
    EXPECT_EQ(config.m_bSmartBeacon[0], 1);
    EXPECT_EQ(config.m_nTxInterval[0], 77) << "the disabled Transmit Every is saved too";
}

TEST_F(Form, FieldsAreReadAsTyped) {
    Type(IDC_SYMBOL, "ab");
    Type(IDC_SYMBOL_TABLE, "");
    Type(IDC_TX_DELAY, "");
    Type(IDC_QUIET_TIME, "12abc");
    Type(IDC_FAST_RATE, "99999999999");
    Type(IDC_CALLSIGN, std::string(25, 'C'));
    Type(IDC_DIGI_PATH, std::string(150, 'P'));
    Type(IDC_STATUS_TEXT, std::string(250, 's'));
    form.FormToConfig();
    EXPECT_EQ(config.m_cSymbol[0], 'a');
    EXPECT_EQ(config.m_cSymbolTable[0], '\0');
    EXPECT_EQ(config.m_nTxDelay[0], 0);
    EXPECT_EQ(config.m_nQuietTime[0], 12);
    EXPECT_EQ(config.m_nFastRate[0], INT_MAX);
    EXPECT_EQ(std::string(config.m_szCallsign[0]), std::string(19, 'C'));
    EXPECT_EQ(std::string(config.m_szPath[0]), std::string(99, 'P'));
    EXPECT_EQ(std::string(config.m_szStatus[0]), std::string(199, 's'));
    EXPECT_STREQ(config.m_szCallsign[1], "NOCALL");

    form.ConfigToForm();
    EXPECT_EQ(Text(IDC_SYMBOL), "a");
    EXPECT_EQ(Text(IDC_SYMBOL_TABLE), "");
}

TEST_F(Form, SlotFlagsFollowTheOffsetOnlyWhenTimeSlotted) {
    Click(IDC_TIMESLOT_ENABLE);
    const struct {
        const char* offset;
        int minute, tenMinutes;
    } cases[] = {{"120", 1, 0}, {"600", 1, 1}, {"0", 1, 1}, {"15", 0, 0}};
    for (const auto& c : cases) {
        Type(IDC_SLOT_OFFSET, c.offset);
        form.FormToConfig();
        EXPECT_EQ(config.m_bSlotMinute[0], c.minute) << c.offset;
        EXPECT_EQ(config.m_bSlotTenMinute[0], c.tenMinutes) << c.offset;
    }

    Click(IDC_TIMESLOT_ENABLE);
    config.m_bSlotMinute[0] = 1;
    config.m_bSlotTenMinute[0] = 1;
    form.FormToConfig();  // offset 15, not time-slotted: the flags keep their values
    EXPECT_EQ(config.m_bSlotMinute[0], 1);
    EXPECT_EQ(config.m_bSlotTenMinute[0], 1);
}

TEST_F(Form, MicEIndexOutsideItsListIsSavedAsNone) {
    config.m_nMicEMessage[0] = 8;
    config.m_nMicEPath[0] = 15;
    form.ConfigToForm();
    EXPECT_EQ(controls[IDC_MICE_MESSAGE].selection, -1);
    EXPECT_EQ(controls[IDC_MICE_PATH].selection, 15);
    form.FormToConfig();
    EXPECT_EQ(config.m_nMicEMessage[0], -1);
    EXPECT_EQ(config.m_nMicEPath[0], 15);
}

}  // namespace
}  // namespace wb::test
