// SPDX-License-Identifier: GPL-3.0-or-later
// The device commands against the in-memory port: bytes, read sizes, messages, port state.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "link/ComPort.h"
#include "tests/support/FakeSerialBackend.h"
#include "tests/support/MessageRecorder.h"

namespace wb::test {
namespace {

using Call = FakeSerialBackend::Call;
using Texts = std::vector<std::string>;

const CallLog kVersionQuery = WriteLog({0x1B, 0x1B, 0x56});
const CallLog kDownloadCommand = WriteLog({0x1B, 0x44});
const CallLog kUploadCommand = WriteLog({0x1B, 0x55});

std::vector<BYTE> Image() {
    std::vector<BYTE> image(128);
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<BYTE>(i * 7 + 0x1B);
    }
    return image;
}

// A quiet flush read, then `answer`.
template <typename Answer>
void QueueAnswer(FakeSerialBackend& fake, const Answer& answer) {
    fake.QueueRead(std::vector<BYTE>{});
    fake.QueueRead(answer);
}

CallLog DownloadLog(const std::vector<BYTE>& image) {
    return Join({OpenLog(), {"read 100"}, kDownloadCommand, WriteLog(image), {"close"}});
}

CallLog UploadLog(int size) {
    const std::string read = "read " + std::to_string(size);
    return Join({OpenLog(), {read}, kUploadCommand, {read, "close"}});
}

class CommandTest : public ::testing::Test {
protected:
    void ExpectClosed() const {
        EXPECT_FALSE(port.IsOpen());
        EXPECT_FALSE(fake.holding());
    }

    FakeSerialBackend fake;
    MessageRecorder messages;
    CComPort port{fake};
};

// --- Version query ---

TEST_F(CommandTest, VersionQueryFlushesAsksAndKeepsTheAnswerAsText) {
    fake.QueueRead(std::string(24, '#'));  // waiting bytes, swallowed by the flush read
    fake.QueueRead("Wrenbeacon 1.2");
    char buffer[32];
    std::memset(buffer, 0x7E, sizeof buffer);
    EXPECT_FALSE(port.ReadVersion(buffer, 30));
    EXPECT_EQ(fake.log(), Join({OpenLog(), {"read 29"}, kVersionQuery, {"read 29", "close"}}));
    EXPECT_STREQ(buffer, "Wrenbeacon 1.2");
    EXPECT_TRUE(messages.texts().empty());
    ExpectClosed();
}

// The banner word counts in any case, and only at the very start of the answer.
TEST_F(CommandTest, OnlyAnswersStartingWithTheBannerWordAreAccepted) {
    const std::pair<std::string, bool> answers[] = {
        {"WRENBEACON", true},       {"wrenbeacon", true},
        {"wReNbEaCoN rev B", true}, {"", false},
        {"Wrenbeaco", false},       {" Wrenbeacon", false},
        {"Wrenbeacox 1.0", false},  {std::string("Wren\0beacon", 11), false},
        {"Tracker 1.0", false}};
    for (const auto& [answer, accepted] : answers) {
        SCOPED_TRACE(answer);
        messages.clear();
        QueueAnswer(fake, answer);
        char buffer[32];
        EXPECT_EQ(port.ReadVersion(buffer, 30), !accepted);
        EXPECT_EQ(messages.texts(), accepted ? Texts{} : Texts{"Wrenbeacon Not Found"});
        if (accepted) {
            EXPECT_STREQ(buffer, answer.c_str());
        }
        EXPECT_EQ(fake.log().back(), "close");
        ExpectClosed();
    }
}

TEST_F(CommandTest, LongAnswerIsCutAndAlwaysTerminatedWithinTheSize) {
    QueueAnswer(fake, "Wrenbeacon " + std::string(40, 'v'));
    char buffer[32];
    std::memset(buffer, 0x7E, sizeof buffer);
    EXPECT_FALSE(port.ReadVersion(buffer, 30));
    EXPECT_EQ(std::strlen(buffer), 29u);
    EXPECT_EQ(buffer[30], 0x7E);
    EXPECT_EQ(buffer[31], 0x7E);
}

TEST_F(CommandTest, FailedReadsAreToldAndTheQueryGoesOn) {
    fake.QueueReadFailure();
    fake.QueueRead("Wrenbeacon");
    char buffer[32];
    EXPECT_FALSE(port.ReadVersion(buffer, 30));
    EXPECT_EQ(messages.texts(), Texts{"ComPort read failed"});

    messages.clear();
    fake.QueueRead(std::vector<BYTE>{});
    fake.QueueReadFailure();
    std::strcpy(buffer, "Wrenbeacon from before");
    EXPECT_TRUE(port.ReadVersion(buffer, 30));
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(messages.texts(), (Texts{"ComPort read failed", "Wrenbeacon Not Found"}));
    ExpectClosed();
}

TEST_F(CommandTest, VersionQueryWithNoRoomForAnAnswerWritesNothingToTheBuffer) {
    char buffer[4] = {'W', 'x', 'y', 'z'};
    EXPECT_TRUE(port.ReadVersion(buffer, 0));
    EXPECT_EQ(std::string(buffer, 4), "Wxyz");
    EXPECT_EQ(messages.texts(), Texts{"Wrenbeacon Not Found"});
}

// --- Download and upload ---

TEST_F(CommandTest, DownloadSendsCommandThenImageAndReadsNoAnswer) {
    const std::vector<BYTE> image = Image();
    EXPECT_FALSE(port.Download(image.data(), 128));
    EXPECT_EQ(fake.log(), DownloadLog(image));
    EXPECT_TRUE(messages.texts().empty());
    ExpectClosed();
}

TEST_F(CommandTest, UploadOverwritesTheFlushedBytesFromTheStart) {
    fake.QueueRead("flushed bytes");
    fake.QueueRead("ima");
    BYTE buffer[200];
    EXPECT_EQ(port.Upload(buffer, 200), 3);
    EXPECT_EQ(fake.log(), UploadLog(200));
    EXPECT_EQ(std::string(buffer, buffer + 13), "imashed bytes");
    ExpectClosed();
}

TEST_F(CommandTest, UploadAnswerReadFailureCountsNothing) {
    fake.QueueRead(std::vector<BYTE>{});
    fake.QueueReadFailure();
    BYTE buffer[200];
    EXPECT_EQ(port.Upload(buffer, 200), 0);
    EXPECT_EQ(messages.texts(), Texts{"ComPort read failed"});
    ExpectClosed();
}

// Each command's failures in its own exchange: where it stops, what is told, and that the port
// is closed again except where the open itself left it held.
struct ExchangeFailure {
    std::string command;
    const char* name;
    std::function<void(FakeSerialBackend&)> script;
    Texts messages;
    CallLog log;  // empty: not compared
    bool held;
};

bool RunExchange(CComPort& port, const std::string& command) {
    const std::vector<BYTE> image = Image();
    BYTE buffer[200];
    char text[32];
    if (command == "version") {
        return port.ReadVersion(text, 30);
    }
    if (command == "download") {
        return port.Download(image.data(), 128);
    }
    if (command == "upload") {
        return port.Upload(buffer, 200) == 0;
    }
    return port.SendTone('1');
}

TEST(CommandFailures, EveryExchangeStopsAtItsFirstFailure) {
    const std::vector<BYTE> image = Image();
    const auto fail = [](Call call, int nth = 1) {
        return [=](FakeSerialBackend& f) { f.Fail(call, nth); };
    };
    const auto failOpen = [](FakeSerialBackend& f) { f.FailOpen(1, "gone"); };
    const auto failFinalClose = [](const char* answer) {
        return [=](FakeSerialBackend& f) {
            QueueAnswer(f, answer);
            f.Fail(Call::Close);
        };
    };
    const CallLog openFailed = {"open 1 failed"};
    // clang-format off
    const ExchangeFailure cases[] = {
        {"version", "open", failOpen, {"Count not aquire Com Port"}, openFailed, false},
        {"version", "settings", fail(Call::SetState), {"SetCommState failed"},
         {"open 1", "get state", "set state failed"}, true},
        {"version", "write", fail(Call::WriteByte, 3), {"ComPort write failed"},
         Join({OpenLog(), {"read 29"}, WriteLog({0x1B, 0x1B}), {"write 56 failed", "close"}}), false},
        {"version", "close", failFinalClose("Wrenbeacon"), {"ComPort Close failed"},
         Join({OpenLog(), {"read 29"}, kVersionQuery, {"read 29", "close failed"}}), true},
        {"download", "open", failOpen, {"Count not aquire Com Port"}, openFailed, false},
        {"download", "command write", fail(Call::WriteByte, 2), {"ComPort write failed"},
         Join({OpenLog(), {"read 100"}, WriteLog({0x1B}), {"write 44 failed", "close"}}), false},
        {"download", "image write", fail(Call::WriteByte, 4), {"ComPort write failed"},
         Join({OpenLog(), {"read 100"}, kDownloadCommand, WriteLog({image[0]}),
               {"write 22 failed", "close"}}), false},
        {"download", "image byte unwritten", [](FakeSerialBackend& f) { f.WriteTimesOut(130); },
         {"ComPort write mismatch"}, {}, false},
        {"download", "close", fail(Call::Close), {"ComPort Close failed"}, {}, true},
        {"upload", "open", fail(Call::GetState), {"GetCommState failed"},
         {"open 1", "get state failed"}, true},
        {"upload", "write", fail(Call::WriteByte), {"ComPort write failed"},
         Join({OpenLog(), {"read 200", "write 1b failed", "close"}}), false},
        {"upload", "close", failFinalClose("image"), {"ComPort Close failed"}, {}, true},
        {"tone", "open", fail(Call::SetTimeouts), {"SetCommTimeouts failed"},
         {"open 1", "get state", "set state", "timeouts 50 2 300 2 300 failed"}, true},
        {"tone", "stop write", fail(Call::WriteByte, 2), {"ComPort write failed"},
         Join({OpenLog(), WriteLog({0x1B}), {"write 1b failed", "close"}}), false},
        {"tone", "code write", fail(Call::WriteByte, 6), {"ComPort write failed"},
         Join({OpenLog(), WriteLog({0x1B, 0x1B, 0x78}), {"sleep 50"}, WriteLog({0x1B, 0x1B}),
               {"write 31 failed", "close"}}), false},
        {"tone", "close", fail(Call::Close), {"ComPort Close failed"}, {}, true},
    };
    // clang-format on
    for (const ExchangeFailure& c : cases) {
        SCOPED_TRACE(c.command + " / " + c.name);
        FakeSerialBackend fake;
        MessageRecorder messages;
        CComPort port(fake);
        c.script(fake);
        EXPECT_TRUE(RunExchange(port, c.command));
        EXPECT_EQ(messages.texts(), c.messages);
        if (!c.log.empty()) {
            EXPECT_EQ(fake.log(), c.log);
        }
        EXPECT_EQ(port.IsOpen(), c.held);
        EXPECT_EQ(fake.holding(), c.held);
    }
}

TEST_F(CommandTest, NextCommandClosesAPortLeftHeldByAFailedOpen) {
    fake.Fail(Call::GetState);
    char text[32];
    EXPECT_TRUE(port.ReadVersion(text, 30));
    fake.ClearLog();
    QueueAnswer(fake, "Wrenbeacon");
    EXPECT_FALSE(port.ReadVersion(text, 30));
    EXPECT_EQ(fake.log(),
              Join({{"close"}, OpenLog(), {"read 29"}, kVersionQuery, {"read 29", "close"}}));
    EXPECT_EQ(messages.texts(), Texts{"GetCommState failed"});
}

// --- Verified write ---

TEST_F(CommandTest, VerifiedWriteDownloadsThenReadsBackIntoTwoHundredBytes) {
    const std::vector<BYTE> image = Image();
    fake.QueueRead(std::vector<BYTE>{});  // the download's flush
    fake.QueueRead(std::vector<BYTE>{});  // the upload's flush
    fake.QueueRead(image);
    EXPECT_FALSE(port.WriteImage(image.data(), 128));
    EXPECT_EQ(fake.log(), Join({DownloadLog(image), UploadLog(200)}));
    EXPECT_TRUE(messages.texts().empty());
    ExpectClosed();
}

TEST_F(CommandTest, VerifiedWriteTellsACountOrByteDifference) {
    const std::vector<BYTE> image = Image();
    std::vector<BYTE> changed = image;
    changed[127] ^= 0x01;
    std::vector<BYTE> longer = image;
    longer.push_back(0x00);
    struct Case {
        std::vector<BYTE> readBack;
        const char* message;
    };
    const Case cases[] = {
        {std::vector<BYTE>(image.begin(), image.end() - 1), "Write Failed (code 128 127)"},
        {longer, "Write Failed (code 128 129)"},
        {{}, "Write Failed (code 128 0)"},
        {changed, "Write Failed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        FakeSerialBackend backend;
        MessageRecorder recorder;
        CComPort channel(backend);
        QueueAnswer(backend, std::vector<BYTE>{});
        backend.QueueRead(c.readBack);
        EXPECT_TRUE(channel.WriteImage(image.data(), 128));
        EXPECT_EQ(recorder.texts(), Texts{c.message});
        EXPECT_FALSE(channel.IsOpen());
    }
}

TEST_F(CommandTest, VerifiedWriteStopsAfterAFailedDownloadAndCountsAFailedReadBackAsZero) {
    const std::vector<BYTE> image = Image();
    fake.FailOpen(1, "gone");
    EXPECT_TRUE(port.WriteImage(image.data(), 128));
    EXPECT_EQ(fake.log(), CallLog{"open 1 failed"});
    EXPECT_EQ(messages.texts(), Texts{"Count not aquire Com Port"});

    messages.clear();
    fake.FailOpen(3, "gone");
    EXPECT_TRUE(port.WriteImage(image.data(), 128));
    EXPECT_EQ(messages.texts(), (Texts{"Count not aquire Com Port", "Write Failed (code 128 0)"}));
    ExpectClosed();
}

// --- Verified read ---

TEST_F(CommandTest, VerifiedReadKeepsTheFirstUploadWhenBothAgree) {
    const std::vector<BYTE> image = Image();
    for (int i = 0; i < 2; ++i) {
        QueueAnswer(fake, image);
    }
    BYTE buffer[200] = {};
    EXPECT_EQ(port.ReadImage(buffer, 150), 128);
    EXPECT_EQ(fake.log(), Join({UploadLog(150), UploadLog(200)}));
    EXPECT_TRUE(std::equal(image.begin(), image.end(), buffer));
    EXPECT_TRUE(messages.texts().empty());
    ExpectClosed();
}

TEST_F(CommandTest, VerifiedReadGivesZeroSilentlyWhenUploadsDisagreeOrNothingCame) {
    const std::vector<BYTE> image = Image();
    std::vector<BYTE> changed = image;
    changed[0] ^= 0x80;
    const std::vector<BYTE> shorter(image.begin(), image.end() - 1);
    struct Case {
        const char* name;
        std::vector<BYTE> first, second;
        int exchanges;
    };
    const Case cases[] = {
        {"nothing came", {}, image, 1},
        {"count differs", image, shorter, 2},
        {"byte differs", image, changed, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeSerialBackend backend;
        MessageRecorder recorder;
        CComPort channel(backend);
        QueueAnswer(backend, c.first);
        QueueAnswer(backend, c.second);
        BYTE buffer[200];
        EXPECT_EQ(channel.ReadImage(buffer, 200), 0);
        EXPECT_TRUE(recorder.texts().empty());
        EXPECT_EQ(std::count(backend.log().begin(), backend.log().end(), "close"), c.exchanges);
        EXPECT_FALSE(channel.IsOpen());
    }
}

// --- Tone test ---

TEST_F(CommandTest, ToneSendsStopPausesThenTheCodeAndReadsNothing) {
    for (char code : {'1', '2', '3', 'x'}) {
        SCOPED_TRACE(code);
        fake.ClearLog();
        EXPECT_FALSE(port.SendTone(code));
        EXPECT_EQ(fake.log(), Join({OpenLog(),
                                    WriteLog({0x1B, 0x1B, 0x78}),
                                    {"sleep 50"},
                                    WriteLog({0x1B, 0x1B, code}),
                                    {"close"}}));
    }
    EXPECT_TRUE(messages.texts().empty());
    ExpectClosed();
}

}  // namespace
}  // namespace wb::test
