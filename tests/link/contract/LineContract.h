// SPDX-License-Identifier: GPL-3.0-or-later
// What CComPort relies on from a backend, written once and run against each backend with the
// far end of its line: the in-memory fake, the POSIX backend on a pseudo-terminal, the Win32
// backend under Wine against a peer in another process.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "link/ComPort.h"
#include "link/SerialBackend.h"
#include "tests/support/MessageRecorder.h"

namespace wb::test {

using Ms = std::chrono::milliseconds;

// The device's end of the line. Every call returns at once; what it schedules happens on the
// peer's own time, which starts no later than the call.
class LinePeer {
public:
    virtual ~LinePeer() = default;
    // Sends `bytes` to the host: the first `after` from now, the others `gap` apart.
    virtual void Send(const std::vector<BYTE>& bytes, Ms after = Ms(0), Ms gap = Ms(0)) = 0;
    // The bytes that reached the device from the host since the last call, waiting at most
    // `limit` for `count` of them.
    virtual std::vector<BYTE> Received(std::size_t count, Ms limit) = 0;
    // Drops the line `after` from now, as an unplugged adapter.
    virtual void HangUp(Ms after = Ms(0)) = 0;
    // When the peer put each byte sent so far on the line, on a clock of its own: a busy machine
    // can hold it back. Empty where sending is exact (the fake).
    virtual std::vector<Ms> SentTimes() { return {}; }
};

// One backend with a line whose far end the tests play. COM1 maps to that line while it lives.
class LineTarget {
public:
    virtual ~LineTarget() = default;
    virtual SerialBackend& Backend() = 0;
    virtual LinePeer& Peer() = 0;
    // The time since the target was made: real, or the fake's virtual clock.
    virtual Ms Now() = 0;
    // True where time is virtual: the limits then hold exactly, not only as lower bounds.
    virtual bool ExactTime() const = 0;
    // False where the platform lets a second open of a held port through.
    virtual bool RefusesSecondOpen() const { return true; }
    // False where a read on a line that hangs up runs on as if the line were quiet.
    virtual bool SeesHangUpInRead() const { return true; }
};

struct LineKind {
    std::string name;                                   // the test's parameter name
    std::function<std::unique_ptr<LineTarget>()> make;  // null: the line is not there to test
};

// Each case opens COM1 on a fresh target first.
class LineContract : public testing::TestWithParam<LineKind> {
protected:
    void SetUp() override;
    void TearDown() override;

    MessageRecorder messages;
    std::unique_ptr<LineTarget> target;
    std::unique_ptr<CComPort> port;
};

// Exclusive access and a hang-up seen by a read, apart so that the instance name can say where
// they cannot be checked.
class LineExclusive : public LineContract {};
class LineHangUpInRead : public LineContract {};

inline void PrintTo(const LineKind& kind, std::ostream* out) {
    *out << kind.name;
}

inline std::string LineKindName(const testing::TestParamInfo<LineKind>& info) {
    return info.param.name;
}

}  // namespace wb::test
