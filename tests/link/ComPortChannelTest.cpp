// SPDX-License-Identifier: GPL-3.0-or-later
// The channel operations against the in-memory port: calls, messages and the port's state.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "link/ComPort.h"
#include "tests/support/FakeSerialBackend.h"
#include "tests/support/MessageRecorder.h"

namespace wb::test {
namespace {

using Call = FakeSerialBackend::Call;
using Texts = std::vector<std::string>;

class ChannelTest : public ::testing::Test {
protected:
    // Opens the port and forgets the calls that took.
    void OpenPort() {
        ASSERT_FALSE(port.Open());
        fake.ClearLog();
    }

    FakeSerialBackend fake;
    MessageRecorder messages;
    CComPort port{fake};
};

TEST_F(ChannelTest, StartsClosedOnPortOneAndStoresAnyPortNumber) {
    EXPECT_EQ(port.m_nPort, 1);
    EXPECT_EQ(port.m_hPort, kInvalidPort);
    for (int n : {0, 4, 7, -3}) {
        port.SetPort(n);
        EXPECT_EQ(port.m_nPort, n);
    }
    EXPECT_TRUE(fake.log().empty());
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(ChannelTest, OpenAppliesSettingsAndTimeoutsInOrder) {
    port.SetPort(4);
    EXPECT_FALSE(port.Open());
    EXPECT_EQ(fake.log(), OpenLog(4));
    EXPECT_TRUE(port.IsOpen());
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(ChannelTest, OpenRefusesPortNumbersOutsideOneToFour) {
    for (int n : {0, 5, -1}) {
        port.SetPort(n);
        EXPECT_TRUE(port.Open());
        EXPECT_FALSE(port.IsOpen());
    }
    EXPECT_TRUE(fake.log().empty());
    EXPECT_EQ(messages.texts(), Texts(3, "Invalid Com Port Number"));
}

TEST_F(ChannelTest, SystemOpenFailureIsToldWithItsReasonAndLeavesThePortClosed) {
    fake.FailOpen(1, "COM1 is busy");
    EXPECT_TRUE(port.Open());
    EXPECT_EQ(fake.log(), CallLog{"open 1 failed"});
    EXPECT_FALSE(port.IsOpen());
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Count not aquire Com Port");
    EXPECT_EQ(messages.messages()[0].detail, "COM1 is busy");
    EXPECT_EQ(messages.messages()[0].caption, "");
}

struct LateOpenFailure {
    Call call;
    const char* message;
    CallLog log;
};

TEST_F(ChannelTest, FailuresAfterTheSystemOpenKeepThePortHeldUntilTheNextOpen) {
    const LateOpenFailure cases[] = {
        {Call::GetState, "GetCommState failed", {"open 1", "get state failed"}},
        {Call::SetState, "SetCommState failed", {"open 1", "get state", "set state failed"}},
        {Call::SetTimeouts,
         "SetCommTimeouts failed",
         {"open 1", "get state", "set state", "timeouts 50 2 300 2 300 failed"}},
    };
    for (const LateOpenFailure& c : cases) {
        SCOPED_TRACE(c.message);
        FakeSerialBackend backend;
        MessageRecorder recorder;
        CComPort channel(backend);
        backend.Fail(c.call);

        EXPECT_TRUE(channel.Open());
        EXPECT_EQ(backend.log(), c.log);
        EXPECT_TRUE(channel.IsOpen());
        EXPECT_TRUE(backend.holding());

        backend.ClearLog();
        EXPECT_FALSE(channel.Open());
        EXPECT_EQ(backend.log(), Join({{"close"}, OpenLog()}));
        EXPECT_EQ(recorder.texts(), Texts{c.message});
    }
}

TEST_F(ChannelTest, HeldPortIsClosedBeforeAnInvalidNumberIsRefused) {
    fake.Fail(Call::GetState);
    EXPECT_TRUE(port.Open());
    fake.ClearLog();
    port.SetPort(5);
    EXPECT_TRUE(port.Open());
    EXPECT_EQ(fake.log(), CallLog{"close"});
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(messages.texts(), (Texts{"GetCommState failed", "Invalid Com Port Number"}));
}

TEST_F(ChannelTest, OpenGoesOnWhenClosingTheHeldPortFails) {
    fake.Fail(Call::SetState);
    fake.Fail(Call::Close);
    EXPECT_TRUE(port.Open());
    fake.ClearLog();
    // The open is tried, and an exclusive port still held refuses it.
    EXPECT_TRUE(port.Open());
    EXPECT_EQ(fake.log(), (CallLog{"close failed", "open 1 busy"}));
    EXPECT_EQ(messages.texts(),
              (Texts{"SetCommState failed", "ComPort Close failed", "Count not aquire Com Port"}));
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(ChannelTest, ClosedPortRefusesReadWriteAndClose) {
    BYTE buffer[4] = {};
    EXPECT_TRUE(port.Write(buffer, 2));
    EXPECT_TRUE(port.Write(buffer, 0));
    EXPECT_EQ(port.Read(buffer, 4), 0);
    EXPECT_TRUE(port.Close());
    EXPECT_TRUE(fake.log().empty());
    EXPECT_EQ(messages.texts(), Texts(4, "ComPort Invalid"));
}

TEST_F(ChannelTest, WriteSendsOneByteAtATimeEachFollowedByItsPause) {
    OpenPort();
    const BYTE data[] = {0x1B, 0x00, 0xFF, 0x55};
    EXPECT_FALSE(port.Write(data, 4));
    EXPECT_EQ(fake.log(), WriteLog({0x1B, 0x00, 0xFF, 0x55}));
    EXPECT_TRUE(messages.texts().empty());

    fake.ClearLog();
    EXPECT_FALSE(port.Write(data, 0));
    EXPECT_TRUE(fake.log().empty());
}

TEST_F(ChannelTest, FailedWriteCallStopsAtOnceAndKeepsThePortOpen) {
    OpenPort();
    fake.Fail(Call::WriteByte, 2);
    const BYTE data[] = {1, 2, 3, 4};
    EXPECT_TRUE(port.Write(data, 4));
    EXPECT_EQ(fake.log(), (CallLog{"write 01", "sleep 10", "write 02 failed"}));
    EXPECT_EQ(messages.texts(), Texts{"ComPort write failed"});
    EXPECT_TRUE(port.IsOpen());
}

TEST_F(ChannelTest, UnwrittenBytesAreToldOnceAfterTheLastByte) {
    OpenPort();
    fake.WriteTimesOut(2);
    fake.WriteTimesOut(3);
    const BYTE data[] = {1, 2, 3, 4};
    EXPECT_TRUE(port.Write(data, 4));
    EXPECT_EQ(fake.log(), (CallLog{"write 01", "sleep 10", "write 02 timed out", "sleep 10",
                                   "write 03 timed out", "sleep 10", "write 04", "sleep 10"}));
    EXPECT_EQ(messages.texts(), Texts{"ComPort write mismatch"});
    EXPECT_TRUE(port.IsOpen());
}

TEST_F(ChannelTest, ReadMakesExactlyOneCallAndLeavesTheRestOfTheBuffer) {
    OpenPort();
    fake.QueueRead("abc");
    BYTE buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), BYTE{0x7E});
    EXPECT_EQ(port.Read(buffer, 8), 3);
    EXPECT_EQ(fake.log(), CallLog{"read 8"});
    EXPECT_EQ(std::string(buffer, buffer + 4), "abc\x7E");

    // A quiet line is no failure.
    EXPECT_EQ(port.Read(buffer, 8), 0);
    // A negative count asks for nothing.
    EXPECT_EQ(port.Read(buffer, -1), 0);
    EXPECT_EQ(fake.log(), (CallLog{"read 8", "read 8", "read 0"}));
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(ChannelTest, FailedReadIsToldAndKeepsThePortOpen) {
    OpenPort();
    fake.QueueReadFailure();
    BYTE buffer[8];
    EXPECT_EQ(port.Read(buffer, 8), 0);
    EXPECT_EQ(messages.texts(), Texts{"ComPort read failed"});
    EXPECT_TRUE(port.IsOpen());
}

TEST_F(ChannelTest, FailedCloseKeepsTheHandleForTheNextClose) {
    OpenPort();
    fake.Fail(Call::Close);
    const PortHandle held = port.m_hPort;
    EXPECT_TRUE(port.Close());
    EXPECT_EQ(port.m_hPort, held);
    EXPECT_EQ(messages.texts(), Texts{"ComPort Close failed"});

    EXPECT_FALSE(port.Close());
    EXPECT_EQ(port.m_hPort, kInvalidPort);
    EXPECT_FALSE(fake.holding());
    EXPECT_EQ(fake.log(), (CallLog{"close failed", "close"}));
}

TEST_F(ChannelTest, ObserverHearsOfWrittenBytesAfterTheirPauseAndOfReceivedOnes) {
    std::vector<std::string> heard;
    port.SetTransferObserver(
        [&](int bytes) { heard.push_back(std::to_string(bytes) + " after " + fake.log().back()); });
    OpenPort();
    fake.WriteTimesOut(2);
    const BYTE data[] = {1, 2, 3};
    port.Write(data, 3);
    fake.QueueRead("hello");
    BYTE buffer[16];
    port.Read(buffer, 16);
    EXPECT_EQ(heard, (std::vector<std::string>{"1 after sleep 10", "1 after sleep 10",
                                               "5 after read 16"}));
}

}  // namespace
}  // namespace wb::test
