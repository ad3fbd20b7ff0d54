// SPDX-License-Identifier: GPL-3.0-or-later
// The POSIX backend (Linux, macOS), declared apart so that tests can stand in for what a
// pseudo-terminal cannot show: a line whose hardware handshake holds written bytes back.
#pragma once

#include <termios.h>

#include "link/DeviceProtocol.h"
#include "link/SerialBackend.h"

namespace wb {

class PosixSerialBackend : public SerialBackend {
public:
    PortHandle Open(int port, std::string& reason) override;
    PortHandle OpenNamed(const std::string& name, std::string& reason) override;
    bool GetState(PortHandle port) override;
    bool SetState(PortHandle port) override;
    bool SetTimeouts(PortHandle port, const CommTimeouts& timeouts) override;
    // Counts the byte as written only once it has left the output queue within the write limit,
    // as a Windows port does; a byte held back (CTS low under hardware flow control) is not.
    bool WriteByte(PortHandle port, BYTE byte, int& written) override;
    bool Read(PortHandle port, BYTE* buffer, int count, int& received,
              const TransferObserver& progress) override;
    // After a byte was held back, discards the output queue first, so that the close never waits
    // for the driver's closing time (30 s by default) on a line that does not move.
    bool Close(PortHandle port) override;
    void Sleep(int milliseconds) override;

protected:
    // Bytes written to `fd` and not yet sent (TIOCOUTQ), or -1 with errno set. A pseudo-terminal
    // passes bytes on at once and always reports 0.
    virtual int OutputQueued(int fd);
    virtual void DiscardOutput(int fd);

private:
    // `port` is the COMn that maps to `device`, or 0 for a port opened by name.
    PortHandle OpenDevice(int port, const std::string& device, std::string& reason);

    termios m_current{};
    CommTimeouts m_timeouts = device::kTimeouts;
    bool m_heldBack = false;  // a byte ran out of time in the output queue since the last close
};

}  // namespace wb
