// SPDX-License-Identifier: GPL-3.0-or-later
// Serial ports of Windows through the communications calls of kernel32. The system keeps the
// time-outs and applies them to every ReadFile and WriteFile.
#include <windows.h>

#include <timeapi.h>

#include <cstdint>
#include <string>

#include "link/DeviceProtocol.h"
#include "link/OpenFailure.h"
#include "link/PortMap.h"
#include "link/PortScan.h"
#include "link/SerialBackend.h"

namespace wb {
namespace {

HANDLE Handle(PortHandle port) {
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(port));
}

std::string SystemMessage(DWORD error) {
    char text[256] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, text, sizeof text, nullptr);
    std::string message(text, length);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
        message.pop_back();
    }
    return message;
}

std::string SystemOpenFailure(const std::string& name, DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            // An adapter that Windows has no driver for has no port: worth saying.
            return WindowsOpenFailureDetail(name, WindowsOpenError::NotFound, {},
                                            ScanPlatformPorts().adapters);
        case ERROR_ACCESS_DENIED:  // what Windows answers for a port another program has open
        case ERROR_SHARING_VIOLATION:
            return WindowsOpenFailureDetail(name, WindowsOpenError::InUse, {}, {});
        default:
            return WindowsOpenFailureDetail(name, WindowsOpenError::Other, SystemMessage(error),
                                            {});
    }
}

// Sleep(10) otherwise rounds up to the system tick (15.6 ms by default), which makes a write of
// the image about 1.5 s longer than its pauses. Held from the first backend to the program's end.
class TimerResolution {
public:
    TimerResolution() : m_raised(timeBeginPeriod(1) == TIMERR_NOERROR) {}
    ~TimerResolution() {
        if (m_raised) {
            timeEndPeriod(1);
        }
    }
    TimerResolution(const TimerResolution&) = delete;
    TimerResolution& operator=(const TimerResolution&) = delete;

private:
    bool m_raised;
};

// The line must pass every byte value both ways unchanged: with XON/XOFF left on by another
// program (or `mode COMn: xon=on`), a calibration of 0x13 or 0x11 in the image would stop the
// line or vanish. Handshake lines (RTS, DTR, CTS, DSR) stay as the port had them; the write time
// limit bounds a byte that they hold back.
DCB LineSettings(DCB line) {
    line.BaudRate = device::kBaudRate;
    line.ByteSize = device::kDataBits;
    line.Parity = NOPARITY;
    line.StopBits = ONESTOPBIT;
    line.fBinary = TRUE;
    line.fParity = FALSE;
    line.fOutX = FALSE;
    line.fInX = FALSE;
    line.fNull = FALSE;
    line.fErrorChar = FALSE;
    line.fAbortOnError = FALSE;
    line.fDsrSensitivity = FALSE;
    return line;
}

class Win32Backend final : public SerialBackend {
public:
    PortHandle Open(int port, std::string& reason) override {
        return OpenNamed(ComPortDevice(port), reason);
    }

    PortHandle OpenNamed(const std::string& name, std::string& reason) override {
        // The \\.\ prefix reaches every port number, COM10 and above too.
        const bool prefixed = name.rfind("\\\\.\\", 0) == 0;
        const std::string path = prefixed ? name : "\\\\.\\" + name;
        HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            reason = SystemOpenFailure(prefixed ? name.substr(4) : name, error);
            return kInvalidPort;
        }
        // Clears an error state another program left (which would fail every read and write
        // with fAbortOnError) and the count of bytes lost before.
        DWORD errors = 0;
        ClearCommError(handle, &errors, nullptr);
        return static_cast<PortHandle>(reinterpret_cast<std::intptr_t>(handle));
    }

    bool GetState(PortHandle port) override {
        m_current = {};
        m_current.DCBlength = sizeof m_current;
        return GetCommState(Handle(port), &m_current) != 0;
    }

    bool SetState(PortHandle port) override {
        DCB line = LineSettings(m_current);
        return SetCommState(Handle(port), &line) != 0;
    }

    bool SetTimeouts(PortHandle port, const CommTimeouts& timeouts) override {
        COMMTIMEOUTS limits{};
        limits.ReadIntervalTimeout = static_cast<DWORD>(timeouts.readInterval);
        limits.ReadTotalTimeoutMultiplier = static_cast<DWORD>(timeouts.readTotalMultiplier);
        limits.ReadTotalTimeoutConstant = static_cast<DWORD>(timeouts.readTotalConstant);
        limits.WriteTotalTimeoutMultiplier = static_cast<DWORD>(timeouts.writeTotalMultiplier);
        limits.WriteTotalTimeoutConstant = static_cast<DWORD>(timeouts.writeTotalConstant);
        return SetCommTimeouts(Handle(port), &limits) != 0;
    }

    bool WriteByte(PortHandle port, BYTE byte, int& written) override {
        DWORD count = 0;
        const BOOL ok = WriteFile(Handle(port), &byte, 1, &count, nullptr);
        written = static_cast<int>(count);
        return ok != 0;
    }

    bool Read(PortHandle port, BYTE* buffer, int count, int& received,
              const TransferObserver& progress) override {
        DWORD got = 0;
        const BOOL ok = ReadFile(Handle(port), buffer, static_cast<DWORD>(count), &got, nullptr);
        received = static_cast<int>(got);
        if (ok != 0 && got > 0 && progress) {
            progress(received);
        }
        return ok != 0;
    }

    bool Close(PortHandle port) override { return CloseHandle(Handle(port)) != 0; }

    void Sleep(int ms) override { ::Sleep(static_cast<DWORD>(ms)); }

private:
    DCB m_current{};
};

}  // namespace

std::unique_ptr<SerialBackend> MakePlatformBackend() {
    static const TimerResolution resolution;
    return std::make_unique<Win32Backend>();
}

}  // namespace wb
