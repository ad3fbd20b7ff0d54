// SPDX-License-Identifier: GPL-3.0-or-later
// A serial backend that passes every call on to another one unchanged and writes a trace for
// bug reports: each open and close with the device's name, every byte each way in hex with its
// time in milliseconds, and every message shown to the user meanwhile. The calls, their order,
// their arguments and their results are exactly those of the backend it wraps, so tracing
// cannot change the pacing or what a read returns.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>

#include "core/MessageSink.h"
#include "link/SerialBackend.h"

namespace wb {

// The device a port number opens, as the trace names it.
using DeviceNamer = std::function<std::string(int port)>;

class TracingBackend final : public SerialBackend {
public:
    // Traces into `out`. While the object lives, every message goes through it to the sink that
    // was installed before (the default one when none was).
    TracingBackend(SerialBackend& inner, std::unique_ptr<std::ostream> out, DeviceNamer namer);
    ~TracingBackend() override;
    TracingBackend(const TracingBackend&) = delete;
    TracingBackend& operator=(const TracingBackend&) = delete;

    // A trace into the file `path` (replaced), ports named as the platform maps them. Null when
    // the file cannot be created; `reason` then says why.
    static std::unique_ptr<TracingBackend> ToFile(SerialBackend& inner,
                                                  const std::filesystem::path& path,
                                                  std::string& reason, DeviceNamer namer = nullptr);

    PortHandle Open(int port, std::string& reason) override;
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
    void Line(const std::string& text);
    void TraceMessage(const Message& message);

    SerialBackend& m_inner;
    std::unique_ptr<std::ostream> m_out;
    DeviceNamer m_namer;
    std::string m_device;  // of the port last opened
    std::chrono::steady_clock::time_point m_start;
    std::mutex m_mutex;  // exchanges and messages may come from different threads
    MessageSink m_previous;
};

}  // namespace wb
