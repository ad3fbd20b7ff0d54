// Serial ports of Windows through the communications calls of kernel32. The system keeps the
// time-outs and applies them to every ReadFile and WriteFile.
#include <windows.h>

#include <cstdint>
#include <string>

#include "link/DeviceProtocol.h"
#include "link/PortMap.h"
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

std::string OpenFailureDetail(const std::string& name, DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return "There is no " + name +
                   " on this computer. Check that the adapter is plugged in, and which port "
                   "number Device Manager gives it.";
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return name +
                   " is busy: another program holds the port. Close that program and "
                   "try again.";
        default:
            return name + ": " + SystemMessage(error);
    }
}

class Win32Backend final : public SerialBackend {
public:
    PortHandle Open(int port, std::string& reason) override {
        const std::string name = ComPortDevice(port);
        // The \\.\ prefix reaches every port number, COM10 and above too.
        const std::string path = "\\\\.\\" + name;
        HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            reason = OpenFailureDetail(name, GetLastError());
            return kInvalidPort;
        }
        return static_cast<PortHandle>(reinterpret_cast<std::intptr_t>(handle));
    }

    bool GetState(PortHandle port) override {
        m_current = {};
        m_current.DCBlength = sizeof m_current;
        return GetCommState(Handle(port), &m_current) != 0;
    }

    // Only the four line fields change; handshake and flow control stay as the port had them.
    bool SetState(PortHandle port) override {
        DCB line = m_current;
        line.BaudRate = device::kBaudRate;
        line.ByteSize = device::kDataBits;
        line.Parity = NOPARITY;
        line.StopBits = ONESTOPBIT;
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
    return std::make_unique<Win32Backend>();
}

}  // namespace wb
