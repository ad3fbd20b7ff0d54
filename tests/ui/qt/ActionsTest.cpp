// SPDX-License-Identifier: GPL-3.0-or-later
// The device actions end to end: the real Qt dialog against a simulated beacon on a terminal.
// Every read takes about 2.5 s and every write about 3.3 s, so only a few round trips run here;
// the actions' rules and failures are tested on the in-memory port (tests/ui/DeviceActionsTest).
#include <QApplication>
#include <QGroupBox>
#include <QSettings>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/DeviceRecord.h"
#include "tests/support/TempDir.h"
#include "tests/ui/qt/AnswerBox.h"
#include "tests/ui/qt/BeaconFixture.h"

namespace wb::test {
namespace {

using namespace res;
using namespace std::chrono_literals;

constexpr std::uint8_t kEsc = 0x1B;
using Sent = std::vector<std::uint8_t>;

// The image of a record whose every profile differs from the defaults.
sim::Image ImageOf(const CTrackerConfig& config) {
    CTrackerConfig copy = config;
    BYTE bytes[200] = {};
    Messages told;
    EXPECT_EQ(copy.EncodeImage(bytes, 200, told), 128);
    sim::Image image{};
    std::memcpy(image.data(), bytes, image.size());
    return image;
}

using ReadVersion = BeaconFixture;

TEST_F(ReadVersion, ShowsTheBannerAndLeavesTheFormAlone) {
    Type(IDC_CALIBRATION, "150");
    Click(IDC_READ_VERSION);
    EXPECT_EQ(Shown(), (BoxList{{"Wrenbeacon 1.0 (simulated)", "Wrenbeacon Version"}}));
    EXPECT_EQ(Text(IDC_CALIBRATION), "150");
    EXPECT_TRUE(dlg->m_config == CTrackerConfig()) << "the record is untouched";
    EXPECT_EQ(com1.HostBytes(), (Sent{kEsc, kEsc, 'V'}));
}

// WRENBEACON_TRACE makes the window trace its exchanges and the boxes it shows.
class TracedWindow : public BeaconFixture {
protected:
    TracedWindow() { setenv("WRENBEACON_TRACE", path.c_str(), 1); }
    ~TracedWindow() override { unsetenv("WRENBEACON_TRACE"); }
    std::string Trace() const {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    const TempDir temp{"wb-window-trace"};
    const std::filesystem::path path = temp.path / "trace.txt";
};

TEST_F(TracedWindow, TracesTheBytesEachWayAndTheBoxShown) {
    Click(IDC_READ_VERSION);
    ASSERT_EQ(Shown(), (BoxList{{"Wrenbeacon 1.0 (simulated)", "Wrenbeacon Version"}}));
    const std::string trace = Trace();
    EXPECT_NE(trace.find(beacon.DevicePath()), std::string::npos) << trace;
    EXPECT_NE(trace.find("> 1B"), std::string::npos) << trace;
    EXPECT_NE(trace.find("> 56"), std::string::npos) << trace;
    EXPECT_NE(trace.find("< 57"), std::string::npos) << "the banner's first byte, W" << trace;
    EXPECT_NE(trace.find("message Wrenbeacon Version: Wrenbeacon 1.0 (simulated)"),
              std::string::npos)
        << trace;
}

// With settings of its own: a damaged file counts as none, the port that answered (COM3 here) is
// remembered, and the next window starts on it where it now stands (COM2).
TEST_F(ReadVersion, PortThatAnsweredIsSelectedAtTheNextStart) {
    const TempDir folder("wb-window-settings");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString(folder.path.string()));
    const std::filesystem::path file = folder.path / "WrenbeaconConfig" / "WrenbeaconConfig.ini";
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "[port\nid=" << beacon.DevicePath() << "\n";  // no closing bracket
    unsetenv("WRENBEACON_NO_SETTINGS");
    unsetenv("WRENBEACON_COM1");
    setenv("WRENBEACON_COM3", beacon.DevicePath().c_str(), 1);
    {
        CConfigDlg first;
        EXPECT_EQ(first.GetListSelection(IDC_COM_PORT), 0);
        first.SetListSelection(IDC_COM_PORT, 2);
        qobject_cast<QPushButton*>(first.GetDlgItem(IDC_READ_VERSION))->click();
    }
    unsetenv("WRENBEACON_COM3");
    setenv("WRENBEACON_COM2", beacon.DevicePath().c_str(), 1);
    CConfigDlg next;
    unsetenv("WRENBEACON_COM2");
    setenv("WRENBEACON_NO_SETTINGS", "1", 1);
    EXPECT_EQ(next.GetListSelection(IDC_COM_PORT), 1);
    EXPECT_EQ(Shown(), (BoxList{{"Wrenbeacon 1.0 (simulated)", "Wrenbeacon Version"}}));
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "[port]\nid=" + beacon.DevicePath() + "\nname=\n");
}

using ReadConfiguration = BeaconFixture;

TEST_F(ReadConfiguration, ShowsTheDevicesValuesOnTheSameTab) {
    const CTrackerConfig device = DeviceRecord();
    beacon.SetEeprom(ImageOf(device));
    Type(IDC_CALIBRATION, "150");
    ShowTab(1);  // saves the edit: the calibration is noted as changed
    ASSERT_EQ(dlg->m_config.m_bCalDirty, 1);
    Type(IDC_CALLSIGN, "N0EDIT");  // not saved: lost to the read, once the user agrees

    SeenBox question;
    AnswerNextBox(question, "Read");
    Click(IDC_READ_CONFIG);
    EXPECT_EQ(question.text,
              "Reading replaces the changes that were not written to the beacon. Read anyway?");
    EXPECT_EQ(Shown(), (BoxList{{"Read Successful", "Wrenbeacon Read"}}));
    EXPECT_EQ(Tabs()->currentIndex(), 1);
    EXPECT_EQ(dlg->m_config.m_nProfile, 1);
    EXPECT_EQ(Text(IDC_CALLSIGN), "W2XYZ-7");
    EXPECT_EQ(Text(IDC_DIGI_PATH), "WIDE1-1");
    EXPECT_EQ(Text(IDC_TX_INTERVAL), "300");
    EXPECT_EQ(Text(IDC_CALIBRATION), "140");
    EXPECT_STREQ(dlg->m_config.m_szCallsign[0], "K1ABC-9");
    EXPECT_EQ(dlg->m_config.m_bCalDirty, 0);
    EXPECT_EQ(beacon.Uploads(), 2);
    EXPECT_EQ(beacon.Downloads(), 0);

    const ui::TransferProgress* progress = dlg->Progress();
    EXPECT_FALSE(progress->isVisible());
    EXPECT_EQ(progress->maximum(), 260);
    EXPECT_EQ(progress->value(), 260);
}

using WriteConfiguration = BeaconFixture;

TEST_F(WriteConfiguration, ShowsWhatTheDeviceNowHoldsAndClearsTheCalibrationNote) {
    Type(IDC_SYMBOL, "");
    Type(IDC_SYMBOL_TABLE, "");
    Type(IDC_CALIBRATION, "140");
    Click(IDC_WRITE_CONFIG);
    EXPECT_EQ(Shown(), (BoxList{{"Write Successful", "Wrenbeacon Write"}}));
    EXPECT_EQ(Text(IDC_TX_DELAY), "253");
    EXPECT_EQ(Text(IDC_QUIET_TIME), "1525");
    EXPECT_EQ(Text(IDC_SYMBOL), "-");
    EXPECT_EQ(Text(IDC_SYMBOL_TABLE), "/");
    EXPECT_EQ(dlg->m_config.m_bCalDirty, 0);
    EXPECT_EQ(beacon.Downloads(), 1);
    EXPECT_EQ(beacon.Eeprom()[2], 140);
    EXPECT_EQ(dlg->Progress()->value(), 260);

    messages.clear();
    Click(IDC_SEND_2200);
    EXPECT_TRUE(messages.messages().empty()) << "a write clears the calibration warning";
}

using ToneTest = BeaconFixture;

TEST_F(ToneTest, EachButtonStopsThenSendsItsCode) {
    const std::pair<int, std::uint8_t> buttons[] = {
        {IDC_SEND_1200, '1'}, {IDC_SEND_2200, '2'}, {IDC_SEND_BOTH, '3'}, {IDC_STOP_SENDING, 'x'}};
    for (const auto& [id, code] : buttons) {
        SCOPED_TRACE(code);
        beacon.ClearLog();
        Click(id);
        EXPECT_EQ(com1.HostBytes(), (Sent{kEsc, kEsc, 'x', kEsc, kEsc, code}));
        const std::vector<sim::LoggedByte> log = beacon.Log();
        ASSERT_EQ(log.size(), 6u) << "the tone test reads nothing";
        EXPECT_GE(log[3].at - log[2].at, 50ms) << "the pause between stop and code";
        EXPECT_EQ(beacon.Tone(), code);
    }
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ToneTest, ClosingTheWindowStopsATone) {
    Click(IDC_SEND_1200);
    ASSERT_EQ(beacon.Tone(), '1');
    EXPECT_EQ(qobject_cast<QGroupBox*>(dlg->GetDlgItem(IDC_TONE_GROUP))->title(),
              "Tone Test - sending 1200 Hz");
    beacon.ClearLog();
    QTest::mouseClick(Button(IDOK), Qt::LeftButton);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(beacon.Tone(), 'x');
    EXPECT_EQ(com1.HostBytes(), (Sent{kEsc, kEsc, 'x', kEsc, kEsc, 'x'}));
    EXPECT_TRUE(messages.messages().empty());
}

using WhileRunning = BeaconFixture;

TEST_F(WhileRunning, TheWindowPaintsButIgnoresTheUser) {
    struct Seen {
        bool busyCursor = false, progressShown = false, painted = false, aboutOpened = false;
    } seen;
    int paints = 0;
    struct PaintCounter : QObject {
        int* count;
        explicit PaintCounter(int* c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) {
                ++*count;
            }
            return false;
        }
    } counter(&paints);
    dlg->installEventFilter(&counter);

    QTimer::singleShot(400, [&] {
        seen.busyCursor = QApplication::overrideCursor() != nullptr &&
                          QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        seen.progressShown =
            dlg->Progress()->isVisible() && !dlg->GetDlgItem(IDC_IMAGE_USAGE)->isVisible();
        QTimer::singleShot(0, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                seen.aboutOpened = true;
                modal->close();
            }
        });
        const int before = paints;
        dlg->update();
        QTimer::singleShot(100, [&, before] { seen.painted = paints > before; });

        Click(IDC_WRITE_CONFIG);
        Click(IDC_READ_VERSION);
        Click(IDC_SEND_1200);
        Click(IDC_SMARTBEACON_ENABLE);
        ShowTab(1);
        QTest::keyClicks(Edit(IDC_CALLSIGN), "ZZ");
        QTest::keyClick(Edit(IDC_CALLSIGN), Qt::Key_F1);
        QTest::keyClick(Edit(IDC_CALLSIGN), Qt::Key_Escape);
        dlg->close();
    });
    Click(IDC_READ_CONFIG);

    EXPECT_TRUE(seen.busyCursor);
    EXPECT_TRUE(seen.progressShown);
    EXPECT_TRUE(seen.painted) << "the window went on painting";
    EXPECT_FALSE(seen.aboutOpened);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Shown(), (BoxList{{"Read Successful", "Wrenbeacon Read"}}));
    EXPECT_EQ(beacon.VersionQueries(), 1);
    EXPECT_EQ(beacon.Downloads(), 0);
    EXPECT_EQ(beacon.ToneCommands(), 0);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(Tabs()->currentIndex(), 0);
    EXPECT_FALSE(Box(IDC_SMARTBEACON_ENABLE)->isChecked());
    EXPECT_EQ(Text(IDC_CALLSIGN), "NOCALL");

    messages.clear();  // and the window takes input again
    Click(IDC_SEND_1200);
    EXPECT_EQ(beacon.ToneCommands(), 2);
}

}  // namespace
}  // namespace wb::test
