// SPDX-License-Identifier: GPL-3.0-or-later
// What the browser's backend does beyond the contract: the browser's refusals, a write the
// device does not take, when bytes reach the port, the byte queue between reads, and the page
// letting go of its ports as it goes.
#include <emscripten.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/ComPort.h"
#include "tests/link/contract/WebLine.h"
#include "tests/support/MessageRecorder.h"

namespace wb::test {
namespace {

using Texts = std::vector<std::string>;

// clang-format off
EM_JS(void, wb_test_close_all, (), {
    Module.wbSerial.closeAll();
});
// clang-format on

std::vector<BYTE> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

class WebSerialBackend : public testing::Test {
protected:
    WebLine line;
    MessageRecorder messages;
    CComPort port{line.Backend()};
};

TEST_F(WebSerialBackend, OpensWithTheBeaconsLineSettingsOrSaysWhyNot) {
    ASSERT_FALSE(port.Open());
    EXPECT_EQ(
        line.OpenOptions(),
        R"({"baudRate":4800,"dataBits":8,"parity":"none","stopBits":1,"flowControl":"none"})");
    ASSERT_FALSE(port.Close());

    struct Case {
        const char* name;
        void (*arrange)(WebLine&, CComPort&);
        const char* detail;
    };
    const Case cases[] = {
        {"held by another program", [](WebLine& l, CComPort&) { l.HoldElsewhere(true); },
         "USB serial 0403:6001 is busy: another program holds the port"},
        {"no such entry",
         [](WebLine& l, CComPort& p) {
             l.HoldElsewhere(false);
             p.SetPort(2);
         },
         "There is no such entry in the port list."},
        {"gone",
         [](WebLine& l, CComPort& p) {
             l.Remove();
             p.SetPort(1);
         },
         "USB serial 0403:6001 is no longer there"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        c.arrange(line, port);
        EXPECT_TRUE(port.Open());
        EXPECT_FALSE(port.IsOpen());
        ASSERT_EQ(messages.texts(), Texts{"Count not aquire Com Port"});
        EXPECT_NE(messages.messages()[0].detail.find(c.detail), std::string::npos)
            << messages.messages()[0].detail;
    }
}

TEST_F(WebSerialBackend, AWriteTheDeviceDoesNotTakeRunsOutAndTheCloseStillEnds) {
    ASSERT_FALSE(port.Open());
    line.StallWrites(true);
    const BYTE data[] = {0x41, 0x42};
    const Ms start = line.Now();
    EXPECT_TRUE(port.Write(data, 2));
    EXPECT_GE(line.Now() - start, Ms(2 * 302));
    EXPECT_EQ(messages.texts(), Texts{"ComPort write mismatch"});
    EXPECT_FALSE(port.Close());
    EXPECT_FALSE(line.PortOpen());

    // The bytes that were not taken are dropped with the exchange, not sent with the next one.
    line.StallWrites(false);
    ASSERT_FALSE(port.Open());
    EXPECT_FALSE(port.Write(data + 1, 1));
    EXPECT_FALSE(port.Close());
    EXPECT_EQ(line.Peer().Received(3, Ms(0)), std::vector<BYTE>{0x42});
    EXPECT_EQ(messages.texts(), Texts{"ComPort write mismatch"});
}

// The beacon drops a byte that comes sooner than it can take it: the pause must hold where the
// port sees the bytes, also when handing a byte over takes a while.
TEST_F(WebSerialBackend, BytesReachThePortAtLeastTheirPauseApart) {
    line.SlowHandOver(true);
    ASSERT_FALSE(port.Open());
    const std::vector<BYTE> data(20, 0x55);
    EXPECT_FALSE(port.Write(data.data(), 20));
    EXPECT_FALSE(port.Close());
    EXPECT_FALSE(port.SendTone('1'));  // stop, 50 ms, the tone: its own exchange

    const std::vector<double> at = line.Arrivals();
    ASSERT_EQ(at.size(), 26u);
    for (std::size_t i = 1; i < at.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_GE(at[i] - at[i - 1], i == 23 ? 10.0 + 50.0 : 10.0);
    }
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(WebSerialBackend, BytesOutsideAReadWaitForTheNextOne) {
    ASSERT_FALSE(port.Open());
    line.Peer().Send(Bytes("AB"));  // while the host writes
    const std::vector<BYTE> command(5, 0x1B);
    EXPECT_FALSE(port.Write(command.data(), 5));
    BYTE buffer[29] = {};
    ASSERT_EQ(port.Read(buffer, 29), 2);
    EXPECT_EQ(std::string(buffer, buffer + 2), "AB");
    line.Peer().Send(Bytes("CD"));  // after that read has ended on its silence
    line.Backend().Sleep(30);
    ASSERT_EQ(port.Read(buffer, 29), 2);
    EXPECT_EQ(std::string(buffer, buffer + 2), "CD");
    EXPECT_TRUE(messages.texts().empty());
}

// Bytes the device sent in time count, although the page was too busy to take them in before
// the read's silence ran out.
TEST_F(WebSerialBackend, BytesThatCameWhileThePageWasBusyCountAsInTime) {
    ASSERT_FALSE(port.Open());
    port.SetTransferObserver([](int) {
        const double until = emscripten_get_now() + 120;
        while (emscripten_get_now() < until) {
        }
    });
    line.Peer().Send(Bytes("ABCDEF"), Ms(0), Ms(20));
    BYTE buffer[29] = {};
    ASSERT_EQ(port.Read(buffer, 29), 6);
    EXPECT_EQ(std::string(buffer, buffer + 6), "ABCDEF");
}

TEST_F(WebSerialBackend, APageThatGoesAwayLetsGoOfItsPorts) {
    ASSERT_FALSE(port.Open());
    wb_test_close_all();
    line.Backend().Sleep(20);  // the port closes in the background
    EXPECT_FALSE(line.PortOpen());
    CComPort next(line.Backend());  // as the reloaded page
    EXPECT_FALSE(next.Open());
    EXPECT_FALSE(next.Close());
    EXPECT_TRUE(messages.texts().empty());
}

}  // namespace
}  // namespace wb::test
