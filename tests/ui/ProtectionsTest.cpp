// SPDX-License-Identifier: GPL-3.0-or-later
// What the window does to protect the user's edits and radio, and to explain itself: the
// questions before closing, reading and opening a file, the tone that is stopped on closing, what
// a failed write says about the beacon, the line under the form and the tooltips.
#include <filesystem>
#include <string>
#include <vector>

#include "config/ValueChanges.h"
#include "res/Resources.h"
#include "tests/support/TempDir.h"
#include "tests/ui/WindowFixture.h"

namespace wb::test {
namespace {

using namespace res;
using Bytes = std::vector<BYTE>;

constexpr BYTE kEsc = 0x1B;
constexpr const char* kCloseQuestion =
    "The configuration has changes that were not written to the beacon or saved to a file. "
    "Close anyway?";
constexpr const char* kOpenQuestion =
    "Opening a file replaces the changes that were not written to the beacon or saved to a file. "
    "Open anyway?";
constexpr const char* kReadQuestion =
    "Reading replaces the changes that were not written to the beacon. Read anyway?";
constexpr const char* kIncomplete =
    "The beacon may now hold an incomplete configuration. Check the cable and press Write "
    "Configuration again, or open a configuration saved to a file and write that.";

Bytes ImageOf(CTrackerConfig config) {
    BYTE bytes[200] = {};
    Messages told;
    EXPECT_EQ(config.EncodeImage(bytes, 200, told), 128);
    return Bytes(bytes, bytes + 128);
}

void AnswerVersion(FakeSerialBackend& beacon) {
    beacon.QueueRead(Bytes{});
    beacon.QueueRead("Wrenbeacon 1.0");
}
void AnswerUpload(FakeSerialBackend& beacon, const Bytes& image) {
    beacon.QueueRead(Bytes{});
    beacon.QueueRead(image);
}
void AnswerRead(FakeSerialBackend& beacon, const Bytes& image) {
    AnswerVersion(beacon);
    AnswerUpload(beacon, image);
    AnswerUpload(beacon, image);
}
// A write whose read-back is `readBack`, or the image sent when empty.
void AnswerWrite(WindowRig& rig, Bytes readBack = {}) {
    if (readBack.empty()) {
        readBack = ImageOf(rig.window.Form().Preview());
    }
    AnswerVersion(rig.backend);
    rig.backend.QueueRead(Bytes{});
    AnswerUpload(rig.backend, readBack);
}

std::vector<std::string> QuestionTexts(const FakeHost& host) {
    std::vector<std::string> out;
    for (const Message& q : host.questions) {
        out.push_back(q.text);
    }
    return out;
}

using CloseQuestion = WindowFixture;

TEST_F(CloseQuestion, AsksOnceWhenTheFormDiffersFromTheLastRecordReadOrWritten) {
    EXPECT_TRUE(window.QueryClose()) << "untouched, the window just closes";
    EXPECT_TRUE(host.questions.empty());

    Type(IDC_STATUS_TEXT, "Mobile on I-95");
    host.answer = false;
    EXPECT_FALSE(window.QueryClose());
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, kCloseQuestion);
    EXPECT_EQ(host.questions[0].caption, "WrenbeaconConfig");
    EXPECT_EQ(host.questions[0].detail, "Close/Cancel");
    host.answer = true;
    EXPECT_TRUE(window.QueryClose());
    EXPECT_EQ(host.questions.size(), 2u);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(CloseQuestion, ComparesValuesNotKeystrokes) {
    const struct {
        const char* name;
        void (*edit)(WindowRig&);
        bool asks;
    } cases[] = {
        {"typed back",
         [](WindowRig& r) { r.Type(IDC_CALLSIGN, "K1ABC"), r.Type(IDC_CALLSIGN, "NOCALL"); },
         false},
        {"calibration back",
         [](WindowRig& r) {
             r.Type(IDC_CALIBRATION, "140");
             r.ShowTab(1);  // saved: the calibration note is set
             r.Type(IDC_CALIBRATION, "128");
         },
         false},
        {"other tab", [](WindowRig& r) { r.ShowTab(1), r.Type(IDC_TX_DELAY, "300"), r.ShowTab(0); },
         true},
        {"box", [](WindowRig& r) { r.Click(IDC_SMARTBEACON_ENABLE); }, true},
        {"list", [](WindowRig& r) { r.controls[IDC_MICE_MESSAGE].selection = 7; }, true},
        {"tab only", [](WindowRig& r) { r.ShowTab(1); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowRig rig;
        c.edit(rig);
        EXPECT_EQ(rig.window.HasUnsavedChanges(), c.asks);
        EXPECT_TRUE(rig.window.QueryClose());
        EXPECT_EQ(rig.host.questions.size(), c.asks ? 1u : 0u);
    }
}

TEST_F(CloseQuestion, AReadOrWriteOrNoteCleanMakesTheFormClean) {
    // A time-slotted image: the slot flags the form derives from the offset differ from the
    // image's, which must not count as a change.
    CTrackerConfig device;
    device.m_bTimeSlot[0] = 1;
    device.m_nTxInterval[0] = 120;
    device.m_nSlotOffset[0] = 30;
    device.SetCallsign("K1ABC");
    Type(IDC_CALLSIGN, "N0EDIT");
    AnswerRead(backend, ImageOf(device));
    Click(IDC_READ_CONFIG);
    ASSERT_EQ(messages.texts(), std::vector<std::string>{"Read Successful"});
    EXPECT_FALSE(window.HasUnsavedChanges());

    Type(IDC_TX_DELAY, "300");
    backend.Fail(FakeSerialBackend::Call::Open, 5);  // the write's download cannot open
    AnswerVersion(backend);
    Click(IDC_WRITE_CONFIG);
    EXPECT_TRUE(window.HasUnsavedChanges()) << "a failed write changes nothing";
    AnswerWrite(*this);
    Click(IDC_WRITE_CONFIG);
    EXPECT_EQ(messages.texts().back(), "Write Successful");
    EXPECT_FALSE(window.HasUnsavedChanges());

    Type(IDC_STATUS_TEXT, "Saved to a file");
    window.Form().FormToConfig();
    window.NoteClean();
    EXPECT_FALSE(window.HasUnsavedChanges());
}

TEST_F(CloseQuestion, SavingOrOpeningAFileMakesTheFormClean) {
    const TempDir temp("wb-clean");
    const std::filesystem::path file = temp.path / "saved.toml";
    Type(IDC_STATUS_TEXT, "Saved");
    ASSERT_FALSE(window.OnSaveConfigAs(file));
    EXPECT_FALSE(window.HasUnsavedChanges());
    ASSERT_FALSE(window.OnOpenConfig(file));
    EXPECT_TRUE(host.questions.empty()) << "nothing to lose";
    Type(IDC_STATUS_TEXT, "Edited");
    EXPECT_TRUE(window.HasUnsavedChanges());
    ASSERT_FALSE(window.OnOpenConfig(file));
    ASSERT_EQ(QuestionTexts(host), std::vector<std::string>{kOpenQuestion});
    EXPECT_EQ(host.questions[0].caption, "WrenbeaconConfig");
    EXPECT_EQ(host.questions[0].detail, "Open/Cancel");
    EXPECT_EQ(Text(IDC_STATUS_TEXT), "Saved");
    EXPECT_FALSE(window.HasUnsavedChanges());
}

// Cancel leaves every field and the record as they were; a file that cannot be opened replaces
// nothing, so it asks nothing either.
TEST_F(CloseQuestion, OpenAsksFirstAndCancelTouchesNothing) {
    const TempDir temp("wb-open");
    ASSERT_FALSE(window.OnSaveConfigAs(temp.path / "saved.bin"));
    Type(IDC_CALLSIGN, "N0EDIT");
    ShowTab(1);
    Type(IDC_TX_DELAY, "300");
    Type(IDC_CALIBRATION, "140");
    const CTrackerConfig record = config;
    host.answer = false;
    EXPECT_TRUE(window.OnOpenConfig(temp.path / "saved.bin"));
    ASSERT_EQ(QuestionTexts(host), std::vector<std::string>{kOpenQuestion});
    EXPECT_TRUE(config == record);
    EXPECT_EQ(Text(IDC_TX_DELAY), "300");
    EXPECT_EQ(Text(IDC_CALIBRATION), "140");
    ShowTab(0);
    EXPECT_EQ(Text(IDC_CALLSIGN), "N0EDIT");
    EXPECT_TRUE(window.HasUnsavedChanges());

    EXPECT_TRUE(window.OnOpenConfig(temp.path / "absent.toml"));
    EXPECT_EQ(host.questions.size(), 1u);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text.rfind("Cannot load the configuration file ", 0), 0u);
    EXPECT_EQ(Text(IDC_CALLSIGN), "N0EDIT");
}

TEST_F(CloseQuestion, ReadAsksFirstAndCancelTouchesNothing) {
    const Bytes image = ImageOf(CTrackerConfig());
    AnswerRead(backend, image);
    Click(IDC_READ_CONFIG);
    EXPECT_TRUE(host.questions.empty()) << "nothing to lose";

    Type(IDC_CALLSIGN, "N0EDIT");
    host.answer = false;
    backend.ClearLog();
    Click(IDC_READ_CONFIG);
    EXPECT_EQ(QuestionTexts(host), std::vector<std::string>{kReadQuestion});
    EXPECT_EQ(host.questions[0].caption, "Wrenbeacon Read");
    EXPECT_EQ(host.questions[0].detail, "Read/Cancel");
    EXPECT_TRUE(backend.log().empty()) << "the port is never opened";
    EXPECT_EQ(Text(IDC_CALLSIGN), "N0EDIT");

    host.answer = true;
    AnswerRead(backend, image);
    Click(IDC_READ_CONFIG);
    EXPECT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(Text(IDC_CALLSIGN), "NOCALL");
}

using ToneOnClose = WindowFixture;

const Bytes kStopSequence = {kEsc, kEsc, 'x', kEsc, kEsc, 'x'};

TEST_F(ToneOnClose, TheGroupShowsTheToneAndClosingStopsIt) {
    const std::pair<int, const char*> tones[] = {
        {IDC_SEND_1200, "Tone Test - sending 1200 Hz"},
        {IDC_SEND_2200, "Tone Test - sending 2200 Hz"},
        {IDC_SEND_BOTH, "Tone Test - sending both tones"},
    };
    for (const auto& [id, title] : tones) {
        SCOPED_TRACE(title);
        WindowRig rig;
        rig.controls[IDC_COM_PORT].selection = 1;
        rig.Type(IDC_CALIBRATION, "150");  // warned once, on the button only
        rig.Click(id);
        EXPECT_EQ(rig.Text(IDC_TONE_GROUP), title);
        rig.controls[IDC_COM_PORT].selection = 3;
        rig.backend.ClearLog();
        const std::size_t sent = rig.backend.written().size();

        EXPECT_TRUE(rig.window.QueryClose());
        EXPECT_EQ(rig.backend.log().front(), "open 2") << "the port the tone went to";
        EXPECT_EQ(Bytes(rig.backend.written().begin() + static_cast<long>(sent),
                        rig.backend.written().end()),
                  kStopSequence);
        EXPECT_EQ(rig.messages.messages().size(), 1u) << "no calibration warning on closing";
        EXPECT_EQ(rig.Text(IDC_TONE_GROUP), "Tone Test");
        EXPECT_EQ(rig.host.questions.size(), 1u);
    }
}

TEST_F(ToneOnClose, NothingIsSentWhenTheToneWasStoppedOrTheCloseCancelled) {
    Click(IDC_SEND_1200);
    Click(IDC_STOP_SENDING);
    EXPECT_EQ(Text(IDC_TONE_GROUP), "Tone Test");
    backend.ClearLog();
    EXPECT_TRUE(window.QueryClose());
    EXPECT_TRUE(backend.log().empty());

    Click(IDC_SEND_2200);
    Type(IDC_CALLSIGN, "N0EDIT");
    host.answer = false;
    backend.ClearLog();
    EXPECT_FALSE(window.QueryClose());
    EXPECT_TRUE(backend.log().empty());
    EXPECT_EQ(Text(IDC_TONE_GROUP), "Tone Test - sending 2200 Hz");
}

TEST_F(ToneOnClose, AToneCommandThatFailedPartWayLeavesTheStateUnknown) {
    backend.Fail(FakeSerialBackend::Call::WriteByte, 4);  // the code after the stop
    Click(IDC_SEND_1200);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"ComPort write failed"});
    EXPECT_EQ(Text(IDC_TONE_GROUP), "Tone Test - tone state unknown");

    backend.FailOpen(2, "gone");  // nothing went out: the state stays as it was
    Click(IDC_STOP_SENDING);
    EXPECT_EQ(Text(IDC_TONE_GROUP), "Tone Test - tone state unknown");

    backend.ClearLog();
    EXPECT_TRUE(window.QueryClose());
    EXPECT_EQ(Bytes(backend.written().end() - 6, backend.written().end()), kStopSequence);
    EXPECT_EQ(Text(IDC_TONE_GROUP), "Tone Test");
}

TEST(FailedWrite, SaysWhatTheBeaconMayHoldOnceTheDownloadBegan) {
    using Call = FakeSerialBackend::Call;
    const struct {
        const char* name;
        void (*script)(WindowRig&);
        std::vector<std::string> shown;
        bool began;
    } cases[] = {
        {"line gone in the image",
         [](WindowRig& r) {
             AnswerWrite(r);
             r.backend.Fail(Call::WriteByte, 3 + 2 + 60);
         },
         {"ComPort write failed"},
         true},
        {"short read-back",
         [](WindowRig& r) {
             Bytes shorter = ImageOf(r.window.Form().Preview());
             shorter.pop_back();
             AnswerWrite(r, shorter);
         },
         {"Write Failed (code 128 127)"},
         true},
        {"corrupt read-back",
         [](WindowRig& r) {
             Bytes corrupt = ImageOf(r.window.Form().Preview());
             corrupt[50] ^= 1;
             AnswerWrite(r, corrupt);
         },
         {"Write Failed"},
         true},
        {"read-back cannot open",
         [](WindowRig& r) {
             AnswerWrite(r);
             r.backend.FailOpen(3, "busy");
         },
         {"Count not aquire Com Port", "Write Failed (code 128 0)"},
         true},
        {"download cannot open",
         [](WindowRig& r) {
             AnswerVersion(r.backend);
             r.backend.FailOpen(2, "busy");
         },
         {"Count not aquire Com Port"},
         false},
        {"not found",
         [](WindowRig& r) { r.backend.QueueRead(Bytes{}); },
         {"Wrenbeacon Not Found"},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowRig rig;
        c.script(rig);
        rig.Click(IDC_WRITE_CONFIG);
        EXPECT_EQ(rig.messages.texts(), c.shown);
        for (const Message& m : rig.messages.messages()) {
            const bool told = m.detail.ends_with(kIncomplete);
            EXPECT_EQ(told, c.began) << m.text << ": " << m.detail;
        }
    }

    WindowRig rig;
    rig.window.Actions().SetWriteFailureAdvice("Open the last backup.");
    AnswerWrite(rig, Bytes(127, 0));
    rig.Click(IDC_WRITE_CONFIG);
    ASSERT_EQ(rig.messages.messages().size(), 1u);
    EXPECT_EQ(rig.messages.messages()[0].detail,
              "The beacon may now hold an incomplete configuration. Open the last backup.");
}

using UsageLine = WindowFixture;

TEST_F(UsageLine, CountsTheBytesAsTheUserTypesAndWarnsBeforeWrite) {
    // Header 28, NOCALL and WIDE3-3 with the block's trailer 17, "Wrenbeacon" and its zero 11;
    // the Secondary profile shares all of them.
    EXPECT_EQ(Text(IDC_IMAGE_USAGE), "Uses 56 of 128 bytes");

    Type(IDC_STATUS_TEXT, std::string(80, 's'));
    window.OnFormChanged();
    EXPECT_EQ(Text(IDC_IMAGE_USAGE), "Needs 137 of 128 bytes: a status text will be cut");
    Type(IDC_STATUS_TEXT, std::string(71, 's'));
    window.OnFormChanged();
    EXPECT_EQ(Text(IDC_IMAGE_USAGE), "Uses 128 of 128 bytes");

    Type(IDC_DIGI_PATH, "A1,A2,A3,A4,A5,A6,A7,A8");
    ShowTab(1);
    Type(IDC_CALLSIGN, "W2XYZ");
    Type(IDC_DIGI_PATH, "B1,B2,B3,B4,B5,B6,B7,B8");
    window.OnFormChanged();
    EXPECT_EQ(Text(IDC_IMAGE_USAGE), "Paths too long: Write will refuse them");
    EXPECT_TRUE(messages.messages().empty()) << "measuring shows nothing";

    AnswerRead(backend, ImageOf(CTrackerConfig()));
    Click(IDC_READ_CONFIG);
    EXPECT_EQ(Text(IDC_IMAGE_USAGE), "Uses 56 of 128 bytes") << "after showing what was read";
}

// A value the image cannot hold is named before Write, ahead of a cut text; each profile's
// values count, whichever tab shows.
TEST_F(UsageLine, WarnsOfAValueTheBeaconCannotHold) {
    Type(IDC_STATUS_EVERY, "256");
    Type(IDC_STATUS_TEXT, std::string(80, 's'));
    window.OnFormChanged();
    EXPECT_EQ(Text(IDC_IMAGE_USAGE), "Primary Send every: stored as 0, not 256");
    Type(IDC_STATUS_EVERY, "255");
    window.OnFormChanged();
    EXPECT_EQ(Text(IDC_IMAGE_USAGE), "Needs 137 of 128 bytes: a status text will be cut");

    ShowTab(1);
    Type(IDC_TX_INTERVAL, "65536");
    ShowTab(0);
    EXPECT_EQ(Text(IDC_IMAGE_USAGE), "Secondary Transmit Every: stored as 0, not 65536");
    EXPECT_TRUE(messages.messages().empty());
}

// A symbol no APRS map knows is said in words, after the byte count's warnings; an empty field
// counts as the default the beacon holds for it.
TEST_F(UsageLine, SaysWhenASymbolIsNotAnAprsSymbol) {
    Type(IDC_SYMBOL, "");
    window.OnFormChanged();
    EXPECT_EQ(Text(IDC_IMAGE_USAGE), "Uses 56 of 128 bytes");
    ShowTab(1);
    Type(IDC_SYMBOL_TABLE, "x");
    ShowTab(0);
    EXPECT_EQ(Text(IDC_IMAGE_USAGE), "Secondary Symbol: not an APRS symbol");
    Type(IDC_STATUS_TEXT, std::string(80, 's'));
    window.OnFormChanged();
    EXPECT_EQ(Text(IDC_IMAGE_USAGE), "Needs 137 of 128 bytes: a status text will be cut");
}

// The warnings name fields by the labels the form shows them under.
TEST(UsageLineLabels, AreTheFormsLabels) {
    CTrackerConfig record;
    for (int i = 0; i < kProfileCount; ++i) {
        record.m_bSmartBeacon[i] = record.m_bTimeSlot[i] = 1;
        for (int* field :
             {&record.m_nTxDelay[i], &record.m_nTxInterval[i], &record.m_nQuietTime[i],
              &record.m_nStatusEvery[i], &record.m_nMicEMessage[i], &record.m_nMicEPath[i],
              &record.m_nSlotOffset[i], &record.m_nMinTurnAngle[i], &record.m_nTurnSlope[i],
              &record.m_nMinTurnTime[i], &record.m_nSlowSpeed[i], &record.m_nSlowRate[i],
              &record.m_nFastSpeed[i], &record.m_nFastRate[i]}) {
            *field = 1 << 20;
        }
        record.m_cSymbol[i] = record.m_cSymbolTable[i] = '\x01';
    }
    record.m_nCalibration = -7;
    std::vector<std::string> labels;
    for (const ControlTemplate& c : ConfigDialogTemplate().controls) {
        labels.emplace_back(c.text);
    }
    const auto changes = ValueChanges(record);
    EXPECT_EQ(changes.size(), 1u + 2u * 16u) << "every field of both profiles";
    for (const ValueChange& change : changes) {
        std::string label = change.field;
        if (label.starts_with("MIC-E ")) {
            label.erase(0, 6);  // "Message:" and "Path:" in the "MIC-E Settings" group
        }
        EXPECT_NE(std::find(labels.begin(), labels.end(), label + ":"), labels.end()) << label;
    }
}

TEST(Tooltips, EveryControlOfTheFormHasOne) {
    std::vector<int> tipped;
    for (const ControlTooltip& tip : ConfigTooltips()) {
        EXPECT_NE(std::string(tip.text), "") << tip.id;
        tipped.push_back(tip.id);
    }
    for (const ControlTemplate& c : ConfigDialogTemplate().controls) {
        const bool needsTip = c.id != kStaticId && c.id != IDC_COM_PORT &&
                              c.kind != ControlKind::Tab && c.kind != ControlKind::GroupBox;
        if (needsTip) {
            EXPECT_NE(std::find(tipped.begin(), tipped.end(), c.id), tipped.end()) << c.id;
        }
    }
}

}  // namespace
}  // namespace wb::test
