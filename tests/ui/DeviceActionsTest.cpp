// SPDX-License-Identifier: GPL-3.0-or-later
// The seven device actions on fake controls, a fake host and the in-memory serial port: the
// messages and their order, the record and form afterwards, the bytes sent, and the failures.
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/DeviceRecord.h"
#include "tests/ui/WindowFixture.h"

namespace wb::test {
namespace {

using namespace res;
using Bytes = std::vector<BYTE>;

constexpr BYTE kEsc = 0x1B;
constexpr const char* kBanner = "Wrenbeacon 1.0";
constexpr const char* kCalWarning = "New Calibration value should be written before Testing Tones";
constexpr const char* kCalCaption = "Calibration not written";

const Bytes kVersionQuery = {kEsc, kEsc, 'V'};
const Bytes kUpload = {kEsc, 'U'};

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

Bytes ImageOf(CTrackerConfig config) {
    BYTE bytes[200] = {};
    Messages told;
    EXPECT_EQ(config.EncodeImage(bytes, 200, told), 128);
    return Bytes(bytes, bytes + 128);
}

// What the beacon answers, queued in the order the exchanges read: every exchange but the tone
// test first reads what the line holds (nothing here), then the answer.
void AnswerVersion(FakeSerialBackend& beacon, const std::string& banner = kBanner) {
    beacon.QueueRead(Bytes{});
    beacon.QueueRead(banner);
}
void AnswerUpload(FakeSerialBackend& beacon, const Bytes& image) {
    beacon.QueueRead(Bytes{});
    beacon.QueueRead(image);
}
void TakeDownload(FakeSerialBackend& beacon) {
    beacon.QueueRead(Bytes{});
}

// The image that Write Configuration sends for the form as it stands.
Bytes ImageOfForm(WindowRig& rig) {
    CTrackerConfig copy = rig.config;
    ui::ConfigForm(rig.controls, copy).FormToConfig();
    return ImageOf(copy);
}

using Actions = WindowFixture;

TEST_F(Actions, ReadVersionShowsTheBannerAndLeavesTheFormAlone) {
    Type(IDC_CALIBRATION, "150");
    AnswerVersion(backend);
    Click(IDC_READ_VERSION);
    EXPECT_EQ(Shown(), (BoxList{{kBanner, "Wrenbeacon Version"}}));
    EXPECT_EQ(Text(IDC_CALIBRATION), "150");
    EXPECT_TRUE(config == CTrackerConfig()) << "the record is untouched";
    EXPECT_EQ(backend.written(), kVersionQuery);
    EXPECT_FALSE(backend.holding());
    EXPECT_EQ(host.runs, 1);
    EXPECT_EQ(host.begun, 0) << "no progress for the banner";
}

TEST_F(Actions, ReadVersionTellsWhatIsNoWrenbeacon) {
    const struct {
        const char* answer;
        const char* shown;
    } cases[] = {
        {"Wrongbeacon 1.0", "Wrenbeacon Not Found"},
        {"Wren", "Wrenbeacon Not Found"},
        {"", "Wrenbeacon Not Found"},  // silence
        {"wrenBEACON with a banner longer than 29", "wrenBEACON with a banner long"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        WindowRig rig;
        AnswerVersion(rig.backend, c.answer);
        rig.Click(IDC_READ_VERSION);
        ASSERT_EQ(rig.messages.messages().size(), 1u);
        EXPECT_EQ(rig.messages.texts()[0], c.shown);
        EXPECT_FALSE(rig.backend.holding());
    }
}

TEST_F(Actions, EveryActionOpensThePortTheListSelects) {
    controls[IDC_COM_PORT].selection = -1;
    Type(IDC_CALIBRATION, "150");
    for (int id : {IDC_READ_VERSION, IDC_READ_CONFIG, IDC_WRITE_CONFIG, IDC_SEND_1200}) {
        Click(id);
    }
    EXPECT_EQ(Shown(), (BoxList{{"Invalid Com Port Number", ""},
                                {"Invalid Com Port Number", ""},
                                {"Invalid Com Port Number", ""},
                                {kCalWarning, kCalCaption},
                                {"Invalid Com Port Number", ""}}));
    EXPECT_TRUE(backend.log().empty());

    controls[IDC_COM_PORT].selection = 2;
    Click(IDC_STOP_SENDING);
    ASSERT_FALSE(backend.log().empty());
    EXPECT_EQ(backend.log()[0], "open 3");
}

TEST_F(Actions, ReadConfigurationShowsTheDevicesValuesOnTheSameTab) {
    const Bytes image = ImageOf(DeviceRecord());
    Type(IDC_CALIBRATION, "150");
    ShowTab(1);  // saves the edit: the calibration is noted as changed
    ASSERT_EQ(config.m_bCalDirty, 1);
    Type(IDC_CALLSIGN, "N0EDIT");  // not saved: lost to the read
    AnswerVersion(backend);
    AnswerUpload(backend, image);
    AnswerUpload(backend, image);

    Click(IDC_READ_CONFIG);
    EXPECT_EQ(Shown(), (BoxList{{"Read Successful", "Wrenbeacon Read"}}));
    EXPECT_EQ(controls[IDC_PROFILE_TAB].selection, 1);
    EXPECT_EQ(config.m_nProfile, 1);
    EXPECT_EQ(Text(IDC_CALLSIGN), "W2XYZ-7");
    EXPECT_EQ(Text(IDC_DIGI_PATH), "WIDE1-1");
    EXPECT_EQ(Text(IDC_TX_INTERVAL), "300");
    EXPECT_EQ(Text(IDC_CALIBRATION), "140");
    EXPECT_STREQ(config.m_szCallsign[0], "K1ABC-9");
    EXPECT_EQ(config.m_bCalDirty, 0);
    EXPECT_EQ(backend.written(), Cat({kVersionQuery, kUpload, kUpload}));
    EXPECT_EQ(host.runs, 1) << "one background run for the whole exchange";
    EXPECT_EQ(host.begun, 1);
    EXPECT_EQ(host.ended, 1);
    EXPECT_EQ(host.expected, 260);
    EXPECT_EQ(host.moved, 260);
}

TEST_F(Actions, AFailedReadKeepsTheRecordAndUnsavedEdits) {
    const Bytes image = ImageOf(DeviceRecord());
    Bytes shorter(image.begin(), image.end() - 1);
    Bytes other = image;
    other[2] ^= 1;
    Bytes damaged = image;
    damaged[0] = 0xF0;  // the Primary address block's offset lies past the end
    const struct {
        const char* name;
        std::vector<Bytes> uploads;  // empty: the version query finds nobody
        bool uploadFails;
        std::vector<std::string> shown;
    } cases[] = {
        {"short", {shorter, shorter}, false, {"Read Failed"}},
        {"unstable", {image, other}, false, {"Read Failed"}},
        {"port error", {}, true, {"ComPort read failed", "Read Failed"}},
        {"silent", {}, false, {"Wrenbeacon Not Found"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowRig rig;
        if (c.uploads.empty() && !c.uploadFails) {
            rig.backend.QueueRead(Bytes{});
        } else {
            AnswerVersion(rig.backend);
        }
        for (const Bytes& upload : c.uploads) {
            AnswerUpload(rig.backend, upload);
        }
        if (c.uploadFails) {
            rig.backend.QueueRead(Bytes{});
            rig.backend.QueueReadFailure();
        }
        rig.Type(IDC_CALLSIGN, "N0EDIT");
        rig.Click(IDC_READ_CONFIG);
        EXPECT_EQ(rig.messages.texts(), c.shown);
        EXPECT_EQ(rig.Text(IDC_CALLSIGN), "N0EDIT");
        EXPECT_TRUE(rig.config == CTrackerConfig()) << "the record is untouched";
        EXPECT_EQ(rig.host.ended, 1);
        EXPECT_FALSE(rig.backend.holding());
    }

    AnswerVersion(backend);
    AnswerUpload(backend, damaged);
    AnswerUpload(backend, damaged);
    Click(IDC_READ_CONFIG);
    ASSERT_EQ(messages.texts().size(), 2u);
    EXPECT_EQ(messages.texts()[0].rfind("The configuration image is damaged", 0), 0u);
    EXPECT_EQ(messages.texts()[1], "Read Failed");
    EXPECT_TRUE(config == CTrackerConfig());
}

TEST_F(Actions, WriteConfigurationShowsWhatTheDeviceNowHolds) {
    Type(IDC_SYMBOL, "");
    Type(IDC_SYMBOL_TABLE, "");
    Type(IDC_CALIBRATION, "140");
    const Bytes image = ImageOfForm(*this);
    AnswerVersion(backend);
    TakeDownload(backend);
    AnswerUpload(backend, image);

    Click(IDC_WRITE_CONFIG);
    EXPECT_EQ(Shown(), (BoxList{{"Write Successful", "Wrenbeacon Write"}}));
    // Success says nothing of an incomplete configuration.
    EXPECT_EQ(messages.messages().back().detail, "");
    EXPECT_EQ(Text(IDC_TX_DELAY), "253");
    EXPECT_EQ(Text(IDC_QUIET_TIME), "1525");
    EXPECT_EQ(Text(IDC_SYMBOL), "-");
    EXPECT_EQ(Text(IDC_SYMBOL_TABLE), "/");
    EXPECT_EQ(config.m_bCalDirty, 0);
    EXPECT_EQ(image[2], 140);
    EXPECT_EQ(backend.written(), Cat({kVersionQuery, {kEsc, 'D'}, image, kUpload}));
    EXPECT_EQ(host.expected, 260);
    EXPECT_EQ(host.moved, 260);

    messages.clear();
    Click(IDC_SEND_2200);
    EXPECT_TRUE(messages.messages().empty()) << "a write clears the calibration warning";
}

TEST_F(Actions, AFailedWriteKeepsTheFormsValuesAndTheCalibrationWarning) {
    enum Script { kShortReadBack, kCorruptReadBack, kNotFound, kLineGone };
    const struct {
        Script script;
        const char* shown;
        int bytesSent;
    } cases[] = {
        {kShortReadBack, "Write Failed (code 128 127)", 3 + 130 + 2},
        {kCorruptReadBack, "Write Failed", 3 + 130 + 2},
        {kNotFound, "Wrenbeacon Not Found", 3},
        {kLineGone, "ComPort write failed", 3 + 40},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        WindowRig rig;
        rig.Type(IDC_TX_DELAY, "300");
        rig.Type(IDC_CALIBRATION, "140");
        rig.Type(IDC_SYMBOL, "");
        Bytes image = ImageOfForm(rig);
        AnswerVersion(rig.backend, c.script == kNotFound ? "Wrong" : kBanner);
        TakeDownload(rig.backend);
        if (c.script == kShortReadBack) {
            image.pop_back();
        } else if (c.script == kCorruptReadBack) {
            image[40] ^= 0x20;
        } else if (c.script == kLineGone) {
            rig.backend.Fail(FakeSerialBackend::Call::WriteByte, 3 + 41);
        }
        AnswerUpload(rig.backend, image);

        rig.Click(IDC_WRITE_CONFIG);
        EXPECT_EQ(rig.messages.texts(), std::vector<std::string>{c.shown});
        EXPECT_EQ(static_cast<int>(rig.backend.written().size()), c.bytesSent);
        EXPECT_EQ(rig.config.m_nTxDelay[0], 300) << "the record keeps the form's values";
        EXPECT_EQ(rig.Text(IDC_SYMBOL), "") << "the form is not refreshed";
        EXPECT_FALSE(rig.backend.holding());

        rig.messages.clear();
        rig.Click(IDC_SEND_BOTH);
        EXPECT_EQ(rig.messages.texts().front(), kCalWarning) << "the warning stays in force";
    }
}

TEST_F(Actions, ARefusedImageNeverOpensThePort) {
    // Eight digipeaters on each profile, with different callsigns, leave no room for both.
    Type(IDC_DIGI_PATH, "A1,A2,A3,A4,A5,A6,A7,A8");
    ShowTab(1);
    Type(IDC_CALLSIGN, "W2XYZ");
    Type(IDC_DIGI_PATH, "B1,B2,B3,B4,B5,B6,B7,B8");
    Click(IDC_WRITE_CONFIG);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].caption, "");
    EXPECT_TRUE(backend.log().empty());
    EXPECT_EQ(host.runs, 0);
}

// A fault of the port's own that throws ends the action with a box, not the program: the port
// goes back to the system, the progress ends and the next action runs.
TEST(ActionException, StopsTheActionReleasesThePortAndLeavesTheWindowUsable) {
    using Call = FakeSerialBackend::Call;
    const struct {
        int button;
        void (*script)(FakeSerialBackend&);
        bool incomplete;  // the image was going out: the beacon may hold part of it
    } cases[] = {
        {IDC_WRITE_CONFIG,
         [](FakeSerialBackend& b) {
             AnswerVersion(b);
             TakeDownload(b);
             b.Throw(Call::WriteByte, 3 + 2 + 50);  // in the image
         },
         true},
        {IDC_READ_VERSION, [](FakeSerialBackend& b) { b.Throw(Call::SetTimeouts, 1); }, false},
        {IDC_SEND_BOTH, [](FakeSerialBackend& b) { b.Throw(Call::WriteByte, 2); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        WindowRig rig;
        c.script(rig.backend);
        rig.Click(c.button);
        ASSERT_EQ(rig.Shown(),
                  (BoxList{{"The action stopped because of an unexpected error. Nothing more was "
                            "sent to the beacon.",
                            ""}}));
        const std::string& detail = rig.messages.messages()[0].detail;
        EXPECT_EQ(detail.rfind("thrown by call", 0), 0u);
        EXPECT_EQ(detail.find("may now hold an incomplete configuration") != std::string::npos,
                  c.incomplete)
            << detail;
        EXPECT_FALSE(rig.backend.holding());
        EXPECT_FALSE(rig.window.Actions().IsBusy());
        EXPECT_EQ(rig.host.begun, rig.host.ended);

        rig.messages.clear();
        AnswerVersion(rig.backend);
        rig.Click(IDC_READ_VERSION);
        EXPECT_EQ(rig.Shown(), (BoxList{{kBanner, "Wrenbeacon Version"}}));
    }
}

TEST_F(Actions, EachToneButtonStopsThenSendsItsCode) {
    const std::pair<int, BYTE> buttons[] = {
        {IDC_SEND_1200, '1'}, {IDC_SEND_2200, '2'}, {IDC_SEND_BOTH, '3'}, {IDC_STOP_SENDING, 'x'}};
    for (const auto& [id, code] : buttons) {
        SCOPED_TRACE(code);
        WindowRig rig;
        rig.Click(id);
        EXPECT_EQ(rig.backend.written(), (Bytes{kEsc, kEsc, 'x', kEsc, kEsc, code}));
        const CallLog& log = rig.backend.log();
        EXPECT_EQ(std::count(log.begin(), log.end(), "sleep 50"), 1);
        EXPECT_EQ(std::count_if(log.begin(), log.end(),
                                [](const std::string& call) { return call.starts_with("read"); }),
                  0)
            << "the tone test reads nothing";
        EXPECT_TRUE(rig.messages.messages().empty());
    }
}

TEST_F(Actions, AnEditedCalibrationWarnsBeforeEveryToneAndTheToneGoesOn) {
    Type(IDC_CALIBRATION, "150");
    Click(IDC_SEND_1200);
    backend.FailOpen(2, "busy");
    Click(IDC_STOP_SENDING);
    EXPECT_EQ(Shown(), (BoxList{{kCalWarning, kCalCaption},
                                {kCalWarning, kCalCaption},
                                {"Count not aquire Com Port", ""}}));
    EXPECT_EQ(messages.messages()[2].detail, "busy");
    EXPECT_EQ(backend.written(), (Bytes{kEsc, kEsc, 'x', kEsc, kEsc, '1'}));
    EXPECT_EQ(config.m_nCalibration, 150) << "the tone saved the form";
}

TEST_F(Actions, ASecondActionNeverStartsInsideTheFirst) {
    const auto tryEverything = [this] {
        for (int id : {IDC_READ_VERSION, IDC_READ_CONFIG, IDC_WRITE_CONFIG, IDC_SEND_1200,
                       IDC_SEND_2200, IDC_SEND_BOTH, IDC_STOP_SENDING}) {
            window.OnCommand(id);
        }
    };
    host.whileRunning = tryEverything;
    AnswerVersion(backend);
    Click(IDC_READ_VERSION);
    EXPECT_EQ(host.runs, 1);
    EXPECT_EQ(backend.written(), kVersionQuery);

    // Nor from a box the action raises on the window's thread.
    Type(IDC_CALIBRATION, "150");
    MessageSink recorder = SetMessageSink([&](const Message&) { tryEverything(); });
    Click(IDC_SEND_1200);
    SetMessageSink(recorder);
    EXPECT_EQ(host.runs, 2);
    EXPECT_EQ(backend.written().size(), 3u + 6u);
    EXPECT_FALSE(window.Actions().IsBusy());
}

}  // namespace
}  // namespace wb::test
