// SPDX-License-Identifier: GPL-3.0-or-later
// The contract every backend keeps. Times are lower bounds on a real line (its far end can only
// be late, and a read that a busy machine ends by holding the far end back is not judged) and
// exact on the fake. How promptly a real line gives up waiting (a read that has its count, a
// read or a write on a line that hangs up) is measured by bench/bench_line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/link/contract/LineContract.h"

namespace wb::test {

void LineContract::SetUp() {
    target = GetParam().make();
    if (!target) {
        GTEST_SKIP() << "no line to test here";
    }
    port = std::make_unique<CComPort>(target->Backend());
    ASSERT_FALSE(port->Open());
}

void LineContract::TearDown() {
    if (port && port->IsOpen()) {
        port->Close();
    }
    port.reset();
    target.reset();
}

namespace {

using Texts = std::vector<std::string>;

// The bytes a terminal or a driver might act on (XON, XOFF, CR, LF, NUL, 0xFF, DEL, ^C, ^D,
// ^Z, ESC) and a few plain ones.
const std::vector<BYTE> kAwkward = {0x11, 0x13, 0x0D, 0x0A, 0x00, 0xFF, 0x7F,
                                    0x03, 0x04, 0x1A, 0x1B, 0x55, 0x80};

std::vector<BYTE> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// The target's backend with the time of every one-byte write call noted.
class TimedBackend final : public SerialBackend {
public:
    explicit TimedBackend(LineTarget& target) : m_target(target), m_inner(target.Backend()) {}
    PortHandle Open(int port, std::string& reason) override { return m_inner.Open(port, reason); }
    bool GetState(PortHandle port) override { return m_inner.GetState(port); }
    bool SetState(PortHandle port) override { return m_inner.SetState(port); }
    bool SetTimeouts(PortHandle port, const CommTimeouts& t) override {
        return m_inner.SetTimeouts(port, t);
    }
    bool WriteByte(PortHandle port, BYTE byte, int& written) override {
        writes.push_back(m_target.Now());
        return m_inner.WriteByte(port, byte, written);
    }
    bool Read(PortHandle port, BYTE* buffer, int count, int& received,
              const TransferObserver& progress) override {
        return m_inner.Read(port, buffer, count, received, progress);
    }
    bool Close(PortHandle port) override { return m_inner.Close(port); }
    void Sleep(int milliseconds) override { m_inner.Sleep(milliseconds); }

    std::vector<Ms> writes;

private:
    LineTarget& m_target;
    SerialBackend& m_inner;
};

// Whether the line fell silent for 50 ms before a read ended at `end`, which ends it as it must:
// a busy machine can hold the far end's bytes back that long, and a test whose bytes were meant
// to come closer shows nothing then. The host sees the silence where the backend tells of bytes
// as they come (`arrivals`), the peer where it was itself held back.
bool FellSilent(LineTarget& target, const std::vector<Ms>& arrivals, Ms end) {
    if (target.ExactTime()) {
        return false;
    }
    if (arrivals.size() > 1) {
        return end - arrivals.back() >= Ms(49);
    }
    const std::vector<Ms> sent = target.Peer().SentTimes();
    for (std::size_t i = 1; i < sent.size(); ++i) {
        if (sent[i] - sent[i - 1] >= Ms(40)) {
            return true;
        }
    }
    return false;
}

TEST_P(LineContract, WritesEveryByteValueExactlyEachFollowedByItsPause) {
    ASSERT_FALSE(port->Close());
    TimedBackend timed(*target);
    CComPort paced(timed);
    ASSERT_FALSE(paced.Open());
    const int count = static_cast<int>(kAwkward.size());
    EXPECT_FALSE(paced.Write(kAwkward.data(), count));
    const Ms end = target->Now();
    EXPECT_EQ(target->Peer().Received(kAwkward.size(), Ms(3000)), kAwkward);
    EXPECT_FALSE(paced.Close());
    EXPECT_TRUE(messages.texts().empty());

    ASSERT_EQ(timed.writes.size(), kAwkward.size());
    for (std::size_t i = 1; i < timed.writes.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_GE(timed.writes[i] - timed.writes[i - 1], Ms(10));
    }
    EXPECT_GE(end - timed.writes.back(), Ms(10));  // the last byte has its pause too
    if (target->ExactTime()) {
        EXPECT_EQ(end - timed.writes.front(), Ms(10) * count);
    }
}

TEST_P(LineContract, ReadsEveryByteValueExactly) {
    target->Peer().Send(kAwkward);
    std::vector<BYTE> buffer(29);
    const int n = port->Read(buffer.data(), 29);
    ASSERT_EQ(n, static_cast<int>(kAwkward.size()));
    buffer.resize(static_cast<std::size_t>(n));
    EXPECT_EQ(buffer, kAwkward);
    EXPECT_TRUE(messages.texts().empty());
}

TEST_P(LineContract, ReadReturnsAtTheCountAndLeavesTheRestForTheNextRead) {
    int reported = 0;
    port->SetTransferObserver([&](int bytes) { reported += bytes; });
    target->Peer().Send(Bytes("12345678"));
    BYTE buffer[16] = {};
    const Ms start = target->Now();
    ASSERT_EQ(port->Read(buffer, 5), 5);
    if (target->ExactTime()) {
        EXPECT_EQ(target->Now(), start);  // did not wait for more
    }
    EXPECT_EQ(std::string(buffer, buffer + 5), "12345");
    ASSERT_EQ(port->Read(buffer, 16), 3);
    EXPECT_EQ(std::string(buffer, buffer + 3), "678");
    EXPECT_EQ(reported, 8);
    EXPECT_TRUE(messages.texts().empty());
}

TEST_P(LineContract, ReadEndsFiftyMillisecondsAfterItsLastByte) {
    // Six bytes 15 ms apart: shorter gaps do not end the read. The last comes at 125 ms or later.
    std::vector<Ms> arrivals;
    port->SetTransferObserver([&](int) { arrivals.push_back(target->Now()); });
    const Ms start = target->Now();
    target->Peer().Send(Bytes("ABCDEF"), Ms(50), Ms(15));
    BYTE buffer[29];
    const int n = port->Read(buffer, 29);
    const Ms elapsed = target->Now() - start;
    if (n < 6 && FellSilent(*target, arrivals, start + elapsed)) {
        GTEST_SKIP() << "the line fell silent for 50 ms: the machine held its bytes back";
    }
    ASSERT_EQ(n, 6);
    EXPECT_EQ(std::string(buffer, buffer + n), "ABCDEF");
    EXPECT_GE(elapsed, Ms(125 + 50));
    if (target->ExactTime()) {
        EXPECT_EQ(elapsed, Ms(125 + 50));
    }
}

TEST_P(LineContract, QuietReadRunsToItsTotalLimitAndIsNoFailure) {
    BYTE buffer[29];
    const Ms start = target->Now();
    EXPECT_EQ(port->Read(buffer, 29), 0);
    const Ms elapsed = target->Now() - start;
    EXPECT_GE(elapsed, Ms(300 + 2 * 29));
    if (target->ExactTime()) {
        EXPECT_EQ(elapsed, Ms(300 + 2 * 29));
    }
    EXPECT_TRUE(messages.texts().empty());
}

TEST_P(LineContract, TotalLimitEndsAReadWhileBytesKeepComing) {
    std::vector<Ms> arrivals;  // where the backend tells of bytes as they come
    port->SetTransferObserver([&](int) { arrivals.push_back(target->Now()); });
    target->Peer().Send(std::vector<BYTE>(100, 'x'), Ms(0), Ms(20));
    BYTE buffer[100];
    const Ms start = target->Now();
    const int n = port->Read(buffer, 100);
    const Ms elapsed = target->Now() - start;
    if (elapsed < Ms(300 + 2 * 100) && FellSilent(*target, arrivals, start + elapsed)) {
        GTEST_SKIP() << "the line fell silent for 50 ms: the machine held its bytes back";
    }
    EXPECT_GE(elapsed, Ms(300 + 2 * 100));
    if (target->ExactTime()) {
        EXPECT_EQ(elapsed, Ms(300 + 2 * 100));
    }
    EXPECT_GT(n, 0);
    EXPECT_LT(n, 100);
    EXPECT_TRUE(messages.texts().empty());
}

TEST_P(LineHangUpInRead, HangUpEndsAReadAtOnceWithTheChannelsMessage) {
    if (!target->SeesHangUpInRead()) {
        GTEST_SKIP() << "a read on this platform's emulated port takes a hang-up for silence";
    }
    const Ms start = target->Now();
    target->Peer().HangUp(Ms(100));
    BYTE buffer[100];
    EXPECT_EQ(port->Read(buffer, 100), 0);
    const Ms elapsed = target->Now() - start;
    EXPECT_GE(elapsed, Ms(100));
    if (target->ExactTime()) {
        EXPECT_EQ(elapsed, Ms(100));  // did not wait out its total limit
    }
    EXPECT_EQ(messages.texts(), Texts{"ComPort read failed"});
    EXPECT_FALSE(port->Close());
}

TEST_P(LineContract, HangUpEndsAWriteAtOnceWithTheChannelsMessage) {
    target->Peer().HangUp(Ms(25));
    const std::vector<BYTE> data(40, 0x55);
    const Ms start = target->Now();
    EXPECT_TRUE(port->Write(data.data(), 40));
    if (target->ExactTime()) {
        EXPECT_EQ(target->Now() - start, Ms(30));  // stopped at the first byte after the hang-up
    }
    EXPECT_EQ(messages.texts(), Texts{"ComPort write failed"});
    EXPECT_FALSE(port->Close());
}

TEST_P(LineExclusive, SecondOpenOfAHeldPortIsRefused) {
    if (!target->RefusesSecondOpen()) {
        GTEST_SKIP() << "this platform lets a second open through";
    }
    CComPort other(target->Backend());
    EXPECT_TRUE(other.Open());
    EXPECT_FALSE(other.IsOpen());
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Count not aquire Com Port");
    EXPECT_NE(messages.messages()[0].detail.find("is busy: another program holds the port"),
              std::string::npos)
        << messages.messages()[0].detail;

    // Once the first one lets go, the other gets the port.
    EXPECT_FALSE(port->Close());
    EXPECT_FALSE(other.Open());
    EXPECT_FALSE(other.Close());
}

}  // namespace
}  // namespace wb::test
