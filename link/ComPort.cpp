// SPDX-License-Identifier: GPL-3.0-or-later
#include "ComPort.h"

#include <algorithm>
#include <string>
#include <utility>

#include "core/MessageSink.h"
#include "link/DeviceProtocol.h"

using wb::kInvalidPort;

CComPort::CComPort(wb::SerialBackend& backend)
    : m_nPort(1), m_hPort(kInvalidPort), m_backend(backend) {}

CComPort::~CComPort() = default;

void CComPort::SetPort(int port) {
    m_nPort = port;
    m_szPortName.clear();
}

void CComPort::SetPortName(std::string name) {
    m_nPort = 0;
    m_szPortName = std::move(name);
}

void CComPort::SetFailureNote(std::string note) {
    m_note = std::move(note);
    m_noteFrom = m_written;
}

std::string CComPort::FailureConsequence() const {
    return m_written == m_noteFrom ? std::string() : m_note;
}

bool CComPort::Fail(const char* text, const std::string& detail) const {
    if (m_note.empty() || m_written == m_noteFrom) {
        return ShowError(text, detail);
    }
    return ShowError(text, detail.empty() ? m_note : detail + "\n" + m_note);
}

void CComPort::SetTransferObserver(std::function<void(int bytes)> observer) {
    m_observer = std::move(observer);
}

void CComPort::SetAnswerObserver(std::function<void()> observer) {
    m_answerObserver = std::move(observer);
}

bool CComPort::Open() {
    if (IsOpen()) {
        Close();  // a port left held by an earlier failed Open; the outcome does not matter
    }
    // A port chosen by name has no number to judge; every other rule is the same for it.
    const bool named = !m_szPortName.empty();
    if (!named && (m_nPort < wb::device::kFirstPort || m_nPort > wb::device::kLastPort)) {
        return Fail("Invalid Com Port Number");
    }
    std::string reason;
    m_hPort = named ? m_backend.OpenNamed(m_szPortName, reason) : m_backend.Open(m_nPort, reason);
    if (!IsOpen()) {
        return Fail("Count not aquire Com Port", reason);
    }
    // From here on a failure leaves the port held; the next Open closes it.
    if (!m_backend.GetState(m_hPort)) {
        return Fail("GetCommState failed");
    }
    if (!m_backend.SetState(m_hPort)) {
        return Fail("SetCommState failed");
    }
    if (!m_backend.SetTimeouts(m_hPort, wb::device::kTimeouts)) {
        return Fail("SetCommTimeouts failed");
    }
    return false;
}

bool CComPort::Write(const BYTE* data, int count) {
    if (!IsOpen()) {
        return Fail("ComPort Invalid");
    }
    int total = 0;
    for (int i = 0; i < count; ++i) {
        int written = 0;
        if (!m_backend.WriteByte(m_hPort, data[i], written)) {
            return Fail("ComPort write failed");
        }
        m_backend.Sleep(wb::device::kBytePauseMs);
        total += written;
        m_written += written;
        if (m_observer && written > 0) {
            m_observer(written);
        }
    }
    // A byte that ran out of time does not stop the others; it is told once, at the end.
    if (total != count) {
        return Fail("ComPort write mismatch");
    }
    return false;
}

int CComPort::Read(BYTE* buffer, int count) {
    if (!IsOpen()) {
        Fail("ComPort Invalid");
        return 0;
    }
    int received = 0;
    if (!m_backend.Read(m_hPort, buffer, std::max(count, 0), received, m_observer)) {
        Fail("ComPort read failed");
        return 0;
    }
    return received;
}

bool CComPort::Close() {
    if (!IsOpen()) {
        return Fail("ComPort Invalid");
    }
    if (!m_backend.Close(m_hPort)) {
        return Fail("ComPort Close failed");  // the handle stays, to be closed again later
    }
    m_hPort = kInvalidPort;
    return false;
}
