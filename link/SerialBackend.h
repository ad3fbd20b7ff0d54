// SPDX-License-Identifier: GPL-3.0-or-later
// What the serial channel needs from the operating system, one small interface with one
// implementation per platform (chosen by the build) and an in-memory one for tests.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/Types.h"

namespace wb {

// An open port as the backend knows it: a file descriptor on POSIX, a HANDLE on Windows.
// Both fit an intptr_t, and both systems use -1 for "no port".
enum class PortHandle : std::intptr_t {};
inline constexpr PortHandle kInvalidPort{-1};

// Told the number of bytes each time bytes go out or come in.
using TransferObserver = std::function<void(int bytes)>;

// Read and write time limits in milliseconds, as the serial line keeps them.
struct CommTimeouts {
    int readInterval;          // a read ends this long after its last byte
    int readTotalMultiplier;   // added to a read's total limit per byte asked for
    int readTotalConstant;     // a read of n bytes ends at the latest constant + multiplier * n
    int writeTotalMultiplier;  // the same for a write of n bytes
    int writeTotalConstant;
};

// Every call but Open and Sleep takes the handle Open returned. The boolean results follow
// the system calls they stand for: true means the call succeeded.
class SerialBackend {
public:
    virtual ~SerialBackend() = default;

    // Opens COM`port` for exclusive reading and writing. On failure returns kInvalidPort and
    // sets `reason` to a line for the user: the system's reason and what to do about it.
    virtual PortHandle Open(int port, std::string& reason) = 0;

    // Opens the port `name` as Open opens COMn: a port beyond COM1 to COM4 from the port list
    // ("COM7", "ttyUSB4") or a device path ("/dev/ttyUSB0"). A backend that knows its ports by
    // number only refuses every name.
    virtual PortHandle OpenNamed(const std::string& name, std::string& reason);

    // Reads the port's current line settings and keeps them for SetState.
    virtual bool GetState(PortHandle port) = 0;

    // Applies the settings GetState read, changed to 4800 baud, 8 data bits, no parity and one
    // stop bit (plus whatever raw byte transfer needs on this platform).
    virtual bool SetState(PortHandle port) = 0;

    virtual bool SetTimeouts(PortHandle port, const CommTimeouts& timeouts) = 0;

    // Writes one byte. `written` is 1 when it went out, 0 when the write time limit ran out.
    virtual bool WriteByte(PortHandle port, BYTE byte, int& written) = 0;

    // One read of up to `count` bytes, bounded by the time-outs. `received` may be anything from
    // 0 to count; running out of time is no failure. `progress`, when set, hears of every chunk.
    virtual bool Read(PortHandle port, BYTE* buffer, int count, int& received,
                      const TransferObserver& progress) = 0;

    virtual bool Close(PortHandle port) = 0;

    virtual void Sleep(int milliseconds) = 0;
};

// The backend of the platform this program was built for.
std::unique_ptr<SerialBackend> MakePlatformBackend();

}  // namespace wb
