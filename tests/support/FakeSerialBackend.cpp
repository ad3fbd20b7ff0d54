// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/FakeSerialBackend.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace wb::test {
namespace {

std::string Hex(int byte) {
    char text[8];
    std::snprintf(text, sizeof text, "%02x", byte & 0xFF);
    return text;
}

}  // namespace

void FakeSerialBackend::Fail(Call call, int nth) {
    m_failures[call].insert(nth);
}

void FakeSerialBackend::FailOpen(int nth, std::string reason) {
    Fail(Call::Open, nth);
    m_openReasons[nth] = std::move(reason);
}

void FakeSerialBackend::Throw(Call call, int nth) {
    m_throws[call].insert(nth);
}

void FakeSerialBackend::WriteTimesOut(int nth) {
    m_writeTimeouts.insert(nth);
}

void FakeSerialBackend::QueueRead(std::vector<BYTE> bytes) {
    m_replies.push_back({std::move(bytes), false});
}

void FakeSerialBackend::QueueRead(const std::string& text) {
    QueueRead(std::vector<BYTE>(text.begin(), text.end()));
}

void FakeSerialBackend::QueueReadFailure() {
    m_replies.push_back({{}, true});
}

void FakeSerialBackend::Arrive(std::vector<BYTE> bytes, Duration after, Duration gap) {
    Duration at = m_now + after;
    for (BYTE byte : bytes) {
        const auto later =
            std::upper_bound(m_input.begin(), m_input.end(), at,
                             [](Duration t, const Arrival& arrival) { return t < arrival.at; });
        m_input.insert(later, {at, byte});
        at += gap;
    }
}

void FakeSerialBackend::HangUp(Duration after) {
    m_hangUpAt = m_now + after;
}

bool FakeSerialBackend::Failing(Call call) {
    const int nth = ++m_calls[call];
    if (m_throws[call].contains(nth)) {
        throw std::runtime_error("thrown by call " + std::to_string(static_cast<int>(call)) + " " +
                                 std::to_string(nth));
    }
    return m_failures[call].contains(nth);
}

bool FakeSerialBackend::KnownHandle(PortHandle port) {
    if (port == m_open && port != kInvalidPort) {
        return true;
    }
    m_log.push_back("bad handle");
    return false;
}

PortHandle FakeSerialBackend::Open(int port, std::string& reason) {
    return OpenAs(std::to_string(port), "COM" + std::to_string(port), reason);
}

PortHandle FakeSerialBackend::OpenNamed(const std::string& name, std::string& reason) {
    return OpenAs(name, name, reason);
}

PortHandle FakeSerialBackend::OpenAs(const std::string& logged, const std::string& name,
                                     std::string& reason) {
    const bool fails = Failing(Call::Open);
    m_log.push_back("open " + logged + (fails ? " failed" : ""));
    if (fails) {
        reason = m_openReasons[m_calls[Call::Open]];
        return kInvalidPort;
    }
    if (m_open != kInvalidPort || HungUp()) {
        m_log.back() += HungUp() ? " gone" : " busy";
        reason = name + (HungUp() ? " is gone" : " is busy: another program holds the port.");
        return kInvalidPort;
    }
    m_open = static_cast<PortHandle>(m_nextHandle++);
    return m_open;
}

bool FakeSerialBackend::GetState(PortHandle port) {
    const bool fails = Failing(Call::GetState);
    m_log.push_back(fails ? "get state failed" : "get state");
    return KnownHandle(port) && !fails;
}

bool FakeSerialBackend::SetState(PortHandle port) {
    const bool fails = Failing(Call::SetState);
    m_log.push_back(fails ? "set state failed" : "set state");
    return KnownHandle(port) && !fails;
}

bool FakeSerialBackend::SetTimeouts(PortHandle port, const CommTimeouts& t) {
    const bool fails = Failing(Call::SetTimeouts);
    char text[64];
    std::snprintf(text, sizeof text, "timeouts %d %d %d %d %d", t.readInterval,
                  t.readTotalMultiplier, t.readTotalConstant, t.writeTotalMultiplier,
                  t.writeTotalConstant);
    m_log.push_back(std::string(text) + (fails ? " failed" : ""));
    if (!KnownHandle(port) || fails) {
        return false;
    }
    m_timeouts = t;
    return true;
}

bool FakeSerialBackend::WriteByte(PortHandle port, BYTE byte, int& written) {
    written = 0;
    const bool fails = Failing(Call::WriteByte);
    const bool timesOut = m_writeTimeouts.contains(m_calls[Call::WriteByte]);
    m_log.push_back("write " + Hex(byte) +
                    (fails      ? " failed"
                     : HungUp() ? " hung up"
                     : timesOut ? " timed out"
                                : ""));
    if (!KnownHandle(port) || fails || HungUp()) {
        return false;
    }
    if (timesOut) {
        m_now += Duration(m_timeouts.writeTotalConstant + m_timeouts.writeTotalMultiplier);
        return true;
    }
    m_written.push_back(byte);
    written = 1;
    return true;
}

bool FakeSerialBackend::Read(PortHandle port, BYTE* buffer, int count, int& received,
                             const TransferObserver& progress) {
    received = 0;
    Reply reply;
    if (m_input.empty() && !m_replies.empty()) {
        reply = std::move(m_replies.front());
        m_replies.pop_front();
        Arrive(std::move(reply.bytes));
    }
    m_log.push_back("read " + std::to_string(count) + (reply.fails ? " failed" : ""));
    if (!KnownHandle(port) || reply.fails) {
        return false;
    }
    const Duration total =
        m_now + Duration(m_timeouts.readTotalConstant + m_timeouts.readTotalMultiplier * count);
    Duration deadline = total;
    bool ok = true;
    while (received < count) {
        const bool byteDue = !m_input.empty() && m_input.front().at <= deadline;
        const Duration next = byteDue ? std::max(m_now, m_input.front().at) : deadline;
        if (m_hangUpAt && *m_hangUpAt <= next) {
            m_now = std::max(m_now, *m_hangUpAt);
            m_log.back() += " hung up";
            ok = false;
            break;
        }
        m_now = next;
        if (!byteDue) {
            break;
        }
        buffer[received++] = m_input.front().byte;
        m_input.pop_front();
        deadline = std::min(total, m_now + Duration(m_timeouts.readInterval));
    }
    if (progress && received > 0) {
        progress(received);
    }
    return ok;
}

bool FakeSerialBackend::Close(PortHandle port) {
    const bool fails = Failing(Call::Close);
    m_log.push_back(fails ? "close failed" : "close");
    if (!KnownHandle(port) || fails) {
        return false;
    }
    m_open = kInvalidPort;
    return true;
}

void FakeSerialBackend::Sleep(int milliseconds) {
    m_log.push_back("sleep " + std::to_string(milliseconds));
    m_now += Duration(milliseconds);
}

CallLog OpenLog(int port) {
    return {"open " + std::to_string(port), "get state", "set state", "timeouts 50 2 300 2 300"};
}

CallLog WriteLog(const std::vector<BYTE>& bytes) {
    CallLog log;
    for (BYTE byte : bytes) {
        log.push_back("write " + Hex(byte));
        log.push_back("sleep 10");
    }
    return log;
}

CallLog WriteLog(std::initializer_list<int> bytes) {
    return WriteLog(std::vector<BYTE>(bytes.begin(), bytes.end()));
}

CallLog Join(std::initializer_list<CallLog> parts) {
    CallLog all;
    for (const CallLog& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

}  // namespace wb::test
