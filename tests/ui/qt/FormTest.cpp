// SPDX-License-Identifier: GPL-3.0-or-later
// The form on the real Qt dialog: what its widgets show and give back, typing rules, the tab bar
// and the check boxes wired to the form's rules (the rules themselves: tests/ui/ConfigFormTest).
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <climits>
#include <string>

#include "link/PortList.h"
#include "res/Resources.h"
#include "tests/ui/qt/DialogFixture.h"

namespace wb::test {
namespace {

using namespace res;

constexpr int kSmartBeaconFields[] = {IDC_SLOW_SPEED,   IDC_SLOW_RATE,      IDC_FAST_SPEED,
                                      IDC_FAST_RATE,    IDC_MIN_TURN_ANGLE, IDC_TURN_SLOPE,
                                      IDC_MIN_TURN_TIME};

class Form : public DialogFixture {
protected:
    // What the Time Slotting and SmartBeaconing boxes enable.
    void ExpectTiming(bool slotOffset, bool interval, bool smartBeaconing) const {
        EXPECT_EQ(Enabled(IDC_SLOT_OFFSET), slotOffset);
        EXPECT_EQ(Enabled(IDC_TX_INTERVAL), interval);
        for (int id : kSmartBeaconFields) {
            EXPECT_EQ(Enabled(id), smartBeaconing) << id;
        }
    }
    void ExpectMicE(bool enabled) const {
        for (int id : {IDC_FORCE_PRINTABLE, IDC_MICE_MESSAGE, IDC_MICE_PATH}) {
            EXPECT_EQ(Enabled(id), enabled) << id;
        }
    }
    void ExpectBoxes(bool timeSlot, bool smartBeaconing) const {
        EXPECT_EQ(Box(IDC_TIMESLOT_ENABLE)->isChecked(), timeSlot);
        EXPECT_EQ(Box(IDC_SMARTBEACON_ENABLE)->isChecked(), smartBeaconing);
    }
};

using FormStartup = Form;

TEST_F(FormStartup, ShowsThePrimaryDefaultsOnCom1) {
    EXPECT_EQ(Tabs()->count(), 2);
    EXPECT_EQ(Tabs()->tabText(0), "Primary");
    EXPECT_EQ(Tabs()->tabText(1), "Seconday");
    EXPECT_EQ(Tabs()->currentIndex(), 0);
    EXPECT_EQ(dlg->m_config.m_nProfile, 0);

    const std::pair<int, const char*> fields[] = {
        {IDC_CALLSIGN, "NOCALL"}, {IDC_DIGI_PATH, "WIDE3-3"}, {IDC_STATUS_TEXT, "Wrenbeacon"},
        {IDC_CALIBRATION, "128"}, {IDC_TX_DELAY, "250"},      {IDC_SYMBOL, "-"},
        {IDC_SYMBOL_TABLE, "/"},  {IDC_STATUS_EVERY, "3"},    {IDC_TX_INTERVAL, "60"},
        {IDC_SLOT_OFFSET, "15"},  {IDC_SLOW_SPEED, "2"},      {IDC_FAST_SPEED, "65"},
        {IDC_SLOW_RATE, "1800"},  {IDC_FAST_RATE, "90"},      {IDC_MIN_TURN_ANGLE, "27"},
        {IDC_TURN_SLOPE, "255"},  {IDC_MIN_TURN_TIME, "5"},   {IDC_QUIET_TIME, "1500"},
    };
    for (const auto& [id, text] : fields) {
        EXPECT_EQ(Text(id), text) << id;
    }
    EXPECT_TRUE(Box(IDC_ALTITUDE)->isChecked());
    EXPECT_TRUE(Box(IDC_VALID_ONLY)->isChecked());
    EXPECT_TRUE(Box(IDC_MICE_ENABLE)->isChecked());
    EXPECT_FALSE(Box(IDC_FORCE_PRINTABLE)->isChecked());
    ExpectBoxes(false, false);
    EXPECT_EQ(List(IDC_MICE_MESSAGE)->currentText(), "Off Duty");
    EXPECT_EQ(List(IDC_MICE_PATH)->currentText(), "Conventional");
    EXPECT_EQ(List(IDC_COM_PORT)->currentIndex(), 0);
    EXPECT_TRUE(List(IDC_COM_PORT)->currentText().startsWith("COM1 - "));
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(FormStartup, EnablesOnlyWhatTheBoxesAllow) {
    ExpectTiming(false, true, false);
    ExpectMicE(true);
}

TEST_F(FormStartup, SavingUntouchedControlsLeavesTheDefaults) {
    TheForm().FormToConfig();
    EXPECT_TRUE(dlg->m_config == CTrackerConfig()) << "the record is untouched";
}

// The machine's ports with what each one is, listed again when the list drops down.
TEST_F(FormStartup, PortListShowsThisMachinesPortsAndIsReadAgainOnDroppingDown) {
    QComboBox* ports = List(IDC_COM_PORT);
    const std::vector<PortEntry> machine = ListPlatformPorts();
    ASSERT_EQ(ports->count(), static_cast<int>(machine.size()));
    for (int i = 0; i < ports->count(); ++i) {
        const PortEntry& entry = machine[static_cast<std::size_t>(i)];
        EXPECT_EQ(ports->itemText(i).toStdString(), entry.label);
        EXPECT_EQ(ports->itemData(i, Qt::ToolTipRole).toString().toStdString(), entry.tip);
    }
    setenv("WRENBEACON_COM2", "/dev/wb-plugged-in-later", 1);
    ports->showPopup();
    unsetenv("WRENBEACON_COM2");
    EXPECT_EQ(ports->itemText(1), "COM2 - /dev/wb-plugged-in-later (WRENBEACON_COM2)");
    EXPECT_EQ(ports->currentIndex(), 0);
    EXPECT_GE(ports->view()->width(), ports->fontMetrics().horizontalAdvance(ports->itemText(1)));
    ports->hidePopup();
}

TEST_F(FormStartup, EveryControlExplainsItselfAndTheLineUnderTheFormCountsAsTheUserTypes) {
    for (const res::ControlTooltip& tip : ConfigTooltips()) {
        EXPECT_EQ(dlg->GetDlgItem(tip.id)->toolTip().toStdString(), tip.text) << tip.id;
    }
    auto* usage = qobject_cast<QLabel*>(dlg->GetDlgItem(IDC_IMAGE_USAGE));
    ASSERT_NE(usage, nullptr);
    EXPECT_TRUE(usage->isVisible());
    EXPECT_EQ(usage->text(), "Uses 56 of 128 bytes");
    Edit(IDC_STATUS_TEXT)->setFocus();
    QTest::keyClicks(Edit(IDC_STATUS_TEXT), QString(70, 's'));
    EXPECT_EQ(usage->text(), "Needs 137 of 128 bytes: a status text will be cut");
    EXPECT_LE(usage->heightForWidth(usage->width()), usage->height()) << "the warning fits";
    Click(IDC_SMARTBEACON_ENABLE);  // ten more bytes for its settings
    EXPECT_EQ(usage->text(), "Needs 147 of 128 bytes: a status text will be cut");
}

using FormTabs = Form;

TEST_F(FormTabs, EditsSurviveRoundTripsOnBothProfiles) {
    Type(IDC_CALLSIGN, "k1abc");
    Type(IDC_TX_DELAY, "300");
    Click(IDC_FORCE_PRINTABLE);
    List(IDC_MICE_PATH)->setCurrentIndex(3);

    ShowTab(1);
    EXPECT_EQ(dlg->m_config.m_nProfile, 1);
    EXPECT_STREQ(dlg->m_config.m_szCallsign[0], "K1ABC");
    EXPECT_EQ(dlg->m_config.m_nTxDelay[0], 300);
    EXPECT_EQ(dlg->m_config.m_bForcePrintable[0], 1);
    EXPECT_EQ(dlg->m_config.m_nMicEPath[0], 3);
    EXPECT_EQ(Text(IDC_CALLSIGN), "NOCALL");
    EXPECT_EQ(Text(IDC_TX_DELAY), "250");
    EXPECT_FALSE(Box(IDC_FORCE_PRINTABLE)->isChecked());
    EXPECT_EQ(List(IDC_MICE_PATH)->currentIndex(), 0);

    Type(IDC_CALLSIGN, "W2XYZ");
    Type(IDC_TX_INTERVAL, "120");
    ShowTab(0);
    EXPECT_EQ(dlg->m_config.m_nProfile, 0);
    EXPECT_EQ(Text(IDC_CALLSIGN), "K1ABC");
    EXPECT_EQ(Text(IDC_TX_DELAY), "300");
    EXPECT_EQ(Text(IDC_TX_INTERVAL), "60");
    EXPECT_TRUE(Box(IDC_FORCE_PRINTABLE)->isChecked());
    EXPECT_EQ(List(IDC_MICE_PATH)->currentIndex(), 3);

    ShowTab(1);
    EXPECT_EQ(Text(IDC_CALLSIGN), "W2XYZ");
    EXPECT_EQ(Text(IDC_TX_INTERVAL), "120");
    EXPECT_STREQ(dlg->m_config.m_szCallsign[1], "W2XYZ");
    EXPECT_EQ(dlg->m_config.m_nTxInterval[1], 120);
    EXPECT_EQ(dlg->m_config.m_nTxInterval[0], 60);
}

using FormEnables = Form;

TEST_F(FormEnables, SmartBeaconingAndTimeSlottingExcludeEachOther) {
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
}

TEST_F(FormEnables, MicEBoxEnablesItsThreeControls) {
    Click(IDC_MICE_ENABLE);
    EXPECT_FALSE(Box(IDC_MICE_ENABLE)->isChecked());
    ExpectMicE(false);
    Click(IDC_MICE_ENABLE);
    ExpectMicE(true);
}

using FormValues = Form;

TEST_F(FormValues, IntegersAreReadAsTheirLeadingNumber) {
    Type(IDC_TX_DELAY, "");
    Type(IDC_TX_INTERVAL, "1a2b");  // typing lets the digits through only
    EXPECT_EQ(Text(IDC_TX_INTERVAL), "12");

    QApplication::clipboard()->setText("12abc");
    QLineEdit* quiet = Edit(IDC_QUIET_TIME);
    quiet->setFocus();
    quiet->selectAll();
    QTest::keyClick(quiet, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(IDC_QUIET_TIME), "12abc") << "pasting is not filtered";

    dlg->SetFieldText(IDC_FAST_RATE, "99999999999");

    TheForm().FormToConfig();
    EXPECT_EQ(dlg->m_config.m_nTxDelay[0], 0);
    EXPECT_EQ(dlg->m_config.m_nTxInterval[0], 12);
    EXPECT_EQ(dlg->m_config.m_nQuietTime[0], 12);
    EXPECT_EQ(dlg->m_config.m_nFastRate[0], INT_MAX);
}

TEST_F(FormValues, CallsignAndPathBecomeCapitalsAsTyped) {
    Type(IDC_CALLSIGN, "k1abc-7");
    Type(IDC_DIGI_PATH, "wide1-1");
    Type(IDC_STATUS_TEXT, "Mixed case");
    EXPECT_EQ(Text(IDC_CALLSIGN), "K1ABC-7");
    EXPECT_EQ(Text(IDC_DIGI_PATH), "WIDE1-1");
    EXPECT_EQ(Text(IDC_STATUS_TEXT), "Mixed case");
    dlg->SetFieldText(IDC_CALLSIGN, "lower");  // the program's own text stays as it is
    EXPECT_EQ(Text(IDC_CALLSIGN), "lower");
}

TEST_F(FormValues, TextsAreCutByTheRecordOnly) {
    const std::string callsign(25, 'C');
    const std::string path(150, 'P');
    const std::string status(250, 's');
    dlg->SetFieldText(IDC_CALLSIGN, callsign.c_str());
    dlg->SetFieldText(IDC_DIGI_PATH, path.c_str());
    dlg->SetFieldText(IDC_STATUS_TEXT, status.c_str());
    EXPECT_EQ(dlg->GetFieldText(IDC_STATUS_TEXT), status) << "the getter cuts nothing";
    TheForm().FormToConfig();
    EXPECT_EQ(std::string(dlg->m_config.m_szCallsign[0]), callsign.substr(0, 19));
    EXPECT_EQ(std::string(dlg->m_config.m_szPath[0]), path.substr(0, 99));
    EXPECT_EQ(std::string(dlg->m_config.m_szStatus[0]), status.substr(0, 199));
    EXPECT_STREQ(dlg->m_config.m_szCallsign[1], "NOCALL");
}

TEST_F(FormValues, MicEIndexOutsideItsListIsSavedAsNone) {
    dlg->m_config.m_nMicEMessage[0] = 9;
    dlg->m_config.m_nMicEPath[0] = 16;
    TheForm().ConfigToForm();
    EXPECT_EQ(List(IDC_MICE_MESSAGE)->currentIndex(), -1);
    EXPECT_EQ(List(IDC_MICE_PATH)->currentIndex(), -1);
    TheForm().FormToConfig();
    EXPECT_EQ(dlg->m_config.m_nMicEMessage[0], -1);
    EXPECT_EQ(dlg->m_config.m_nMicEPath[0], -1);

    dlg->m_config.m_nMicEPath[0] = 15;
    TheForm().ConfigToForm();
    EXPECT_EQ(List(IDC_MICE_PATH)->currentText(), "West + WIDE");
}

TEST_F(FormValues, TextTypedIntoAListIsNeverRead) {
    QComboBox* message = List(IDC_MICE_MESSAGE);
    message->setCurrentIndex(2);
    message->lineEdit()->setFocus();
    message->lineEdit()->selectAll();
    QTest::keyClicks(message->lineEdit(), "Emergency!");
    TheForm().FormToConfig();
    EXPECT_EQ(dlg->m_config.m_nMicEMessage[0], 2);
}

}  // namespace
}  // namespace wb::test
