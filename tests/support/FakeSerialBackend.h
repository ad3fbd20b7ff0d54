// SPDX-License-Identifier: GPL-3.0-or-later
// An in-memory serial port for tests: scripted results per call, a log of every call, and a
// virtual clock that the pauses, the read limits and the write limit advance (nothing sleeps).
#pragma once

#include <chrono>
#include <deque>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "link/DeviceProtocol.h"
#include "link/SerialBackend.h"

namespace wb::test {

using CallLog = std::vector<std::string>;

class FakeSerialBackend final : public SerialBackend {
public:
    using Duration = std::chrono::milliseconds;
    enum class Call { Open, GetState, SetState, SetTimeouts, WriteByte, Close };

    // The nth call of that kind (counted from 1 over the fake's life) fails. An open fails with
    // `reason` as its detail.
    void Fail(Call call, int nth = 1);
    void FailOpen(int nth, std::string reason);
    // The nth one-byte write succeeds but reports nothing written, after its 302 ms ran out.
    void WriteTimesOut(int nth);
    // The nth call of that kind throws std::runtime_error("thrown by call <kind> <nth>"), as a
    // backend with a fault of its own would.
    void Throw(Call call, int nth);

    // What the device sends during the following reads, in order: each read that finds nothing
    // waiting gets the next of these at once, and a read with nothing queued gets nothing (a
    // quiet line). Bytes beyond the count asked for stay waiting for the next read.
    void QueueRead(std::vector<BYTE> bytes);
    void QueueRead(const std::string& text);
    void QueueReadFailure();

    // Bytes that reach the line at set times: the first `after` from now, the others `gap`
    // apart. Reads take them as a port would: until the count, until the read's interval passes
    // after a byte, or until its total limit.
    void Arrive(std::vector<BYTE> bytes, Duration after = {}, Duration gap = {});
    // The line drops `after` from now, as an unplugged adapter: reads and writes then fail at
    // once, opens fail, a close succeeds.
    void HangUp(Duration after = {});

    // Every call, in order: "open 1", "get state", "set state", "timeouts 50 2 300 2 300",
    // "write 1b", "sleep 10", "read 29", "close", with " failed" or " timed out" appended when
    // scripted so. A call with a handle that is not the open one logs "bad handle"; an open while
    // the port is held is refused as a real exclusive port refuses it ("open 1 busy").
    const CallLog& log() const { return m_log; }
    void ClearLog() { m_log.clear(); }

    // Every byte handed to a write call that succeeded, in order.
    const std::vector<BYTE>& written() const { return m_written; }
    // True while the fake holds a port that has not been closed.
    bool holding() const { return m_open != kInvalidPort; }
    // The virtual time since the fake was made: the pauses asked for, reads as long as they
    // would take on a real line, 302 ms for each write that timed out. Other calls take none.
    Duration now() const { return m_now; }

    PortHandle Open(int port, std::string& reason) override;
    // Logged as "open NAME".
    PortHandle OpenNamed(const std::string& name, std::string& reason) override;
    bool GetState(PortHandle port) override;
    bool SetState(PortHandle port) override;
    bool SetTimeouts(PortHandle port, const CommTimeouts& timeouts) override;
    bool WriteByte(PortHandle port, BYTE byte, int& written) override;
    bool Read(PortHandle port, BYTE* buffer, int count, int& received,
              const TransferObserver& progress) override;
    bool Close(PortHandle port) override;
    void Sleep(int milliseconds) override;

private:
    struct Reply {
        std::vector<BYTE> bytes;
        bool fails = false;
    };
    struct Arrival {
        Duration at;
        BYTE byte;
    };

    PortHandle OpenAs(const std::string& logged, const std::string& name, std::string& reason);
    // Counts the call and tells whether it was scripted to fail.
    bool Failing(Call call);
    bool KnownHandle(PortHandle port);
    bool HungUp() const { return m_hangUpAt && *m_hangUpAt <= m_now; }

    std::map<Call, int> m_calls;
    std::map<Call, std::set<int>> m_failures;
    std::map<Call, std::set<int>> m_throws;
    std::map<int, std::string> m_openReasons;
    std::set<int> m_writeTimeouts;
    std::deque<Reply> m_replies;
    std::deque<Arrival> m_input;  // in time order
    std::optional<Duration> m_hangUpAt;
    CommTimeouts m_timeouts = device::kTimeouts;
    Duration m_now{};
    CallLog m_log;
    std::vector<BYTE> m_written;
    PortHandle m_open = kInvalidPort;
    int m_nextHandle = 3;
};

// Expected logs, to be joined with Join.
CallLog OpenLog(int port = 1);                       // a successful open with its settings
CallLog WriteLog(std::initializer_list<int> bytes);  // each byte with its pause
CallLog WriteLog(const std::vector<BYTE>& bytes);
CallLog Join(std::initializer_list<CallLog> parts);

}  // namespace wb::test
