#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "cli/Platform.h"
#include "link/PortMap.h"

namespace wb::cli {
namespace {

// COM1 becomes the device through the variable the window's mapping reads first, so that the
// device is opened, locked and set up exactly as the window would.
class DeviceBackend final : public SerialBackend {
public:
    DeviceBackend(SerialBackend& inner, const std::string& device) : m_inner(inner) {
        if (const char* old = std::getenv(m_variable.c_str())) {
            m_old = old;
        }
        setenv(m_variable.c_str(), device.c_str(), 1);
    }
    ~DeviceBackend() override {
        if (m_old) {
            setenv(m_variable.c_str(), m_old->c_str(), 1);
        } else {
            unsetenv(m_variable.c_str());
        }
    }
    DeviceBackend(const DeviceBackend&) = delete;
    DeviceBackend& operator=(const DeviceBackend&) = delete;

    PortHandle Open(int port, std::string& reason) override { return m_inner.Open(port, reason); }
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
    const std::string m_variable = PortVariableName(1);
    std::optional<std::string> m_old;
};

}  // namespace

bool StderrIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

std::filesystem::path UserDataFolder() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data == '/') {
        return std::filesystem::path(data) / "wrenbeacon";
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return std::filesystem::path(home) / ".local" / "share" / "wrenbeacon";
    }
    return {};
}

std::unique_ptr<SerialBackend> MakeDeviceBackend(SerialBackend& inner, const std::string& device) {
    return std::make_unique<DeviceBackend>(inner, device);
}

}  // namespace wb::cli
