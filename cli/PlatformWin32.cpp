#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <io.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "cli/Platform.h"

namespace wb::cli {
namespace {

// Opens the named port itself, as the platform backend opens COMn; the rest of the exchange
// goes through that backend with the handle.
class DeviceBackend final : public SerialBackend {
public:
    DeviceBackend(SerialBackend& inner, std::string device)
        : m_inner(inner), m_device(std::move(device)) {}

    PortHandle Open(int, std::string& reason) override {
        const std::string path =
            m_device.rfind("\\\\.\\", 0) == 0 ? m_device : "\\\\.\\" + m_device;
        HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
                reason = "There is no " + m_device + " on this computer.";
            } else if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) {
                reason = m_device + " is busy: another program holds the port.";
            } else {
                reason = m_device + ": system error " + std::to_string(error);
            }
            return kInvalidPort;
        }
        return static_cast<PortHandle>(reinterpret_cast<std::intptr_t>(handle));
    }
    bool GetState(PortHandle port) override { return m_inner.GetState(port); }
    bool SetState(PortHandle port) override { return m_inner.SetState(port); }
    bool SetTimeouts(PortHandle port, const CommTimeouts& t) override {
        return m_inner.SetTimeouts(port, t);
    }
    bool WriteByte(PortHandle port, BYTE byte, int& written) override {
        return m_inner.WriteByte(port, byte, written);
    }
    bool Read(PortHandle port, BYTE* buffer, int count, int& received,
              const TransferObserver& progress) override {
        return m_inner.Read(port, buffer, count, received, progress);
    }
    bool Close(PortHandle port) override { return m_inner.Close(port); }
    void Sleep(int ms) override { m_inner.Sleep(ms); }

private:
    SerialBackend& m_inner;
    std::string m_device;
};

}  // namespace

bool StderrIsTerminal() {
    return _isatty(_fileno(stderr)) != 0;
}

std::filesystem::path UserDataFolder() {
    if (const wchar_t* data = _wgetenv(L"LOCALAPPDATA"); data != nullptr && *data != L'\0') {
        return std::filesystem::path(data) / "wrenbeacon";
    }
    return {};
}

std::unique_ptr<SerialBackend> MakeDeviceBackend(SerialBackend& inner, const std::string& device) {
    return std::make_unique<DeviceBackend>(inner, device);
}

}  // namespace wb::cli
