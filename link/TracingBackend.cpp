// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/TracingBackend.h"

#include <cstdio>
#include <ctime>
#include <fstream>
#include <utility>

#include "link/PortMap.h"

namespace wb {
namespace {

std::string Hex(const BYTE* bytes, int count) {
    std::string out;
    for (int k = 0; k < count; ++k) {
        char text[4];
        std::snprintf(text, sizeof text, k == 0 ? "%02X" : " %02X", bytes[k]);
        out += text;
    }
    return out;
}

std::string Outcome(bool ok) {
    return ok ? "" : " failed";
}

}  // namespace

TracingBackend::TracingBackend(SerialBackend& inner, std::unique_ptr<std::ostream> out,
                               DeviceNamer namer)
    : m_inner(inner),
      m_out(std::move(out)),
      m_namer(namer ? std::move(namer) : DeviceNamer(ComPortDevice)),
      m_start(std::chrono::steady_clock::now()) {
    const std::time_t now = std::time(nullptr);
    char started[32] = "?";
    if (const std::tm* local = std::localtime(&now)) {
        std::strftime(started, sizeof started, "%Y-%m-%d %H:%M:%S", local);
    }
    *m_out << "# Wrenbeacon serial trace, started " << started
           << "; times in ms since then. > to the beacon, < from it." << std::endl;
    m_previous = SetMessageSink([this](const Message& m) { TraceMessage(m); });
}

TracingBackend::~TracingBackend() {
    SetMessageSink(m_previous);
}

std::unique_ptr<TracingBackend> TracingBackend::ToFile(SerialBackend& inner,
                                                       const std::filesystem::path& path,
                                                       std::string& reason, DeviceNamer namer) {
    auto file = std::make_unique<std::ofstream>(path, std::ios::trunc);
    if (!*file) {
        reason = "Cannot create the trace file " + path.string();
        return nullptr;
    }
    return std::make_unique<TracingBackend>(inner, std::move(file), std::move(namer));
}

void TracingBackend::Line(const std::string& text) {
    std::lock_guard<std::mutex> lock(m_mutex);
    const std::chrono::duration<double, std::milli> at = std::chrono::steady_clock::now() - m_start;
    char stamp[24];
    std::snprintf(stamp, sizeof stamp, "%10.1f ", at.count());
    // Flushed line by line, so that a trace stays whole up to a crash.
    *m_out << stamp << text << std::endl;
}

void TracingBackend::TraceMessage(const Message& m) {
    Line("message " + (m.caption.empty() ? std::string("Error") : m.caption) + ": " + m.text +
         (m.detail.empty() ? "" : " | " + m.detail));
    ForwardMessage(m_previous, m);
}

PortHandle TracingBackend::Open(int port, std::string& reason) {
    m_device = m_namer(port);
    const PortHandle handle = m_inner.Open(port, reason);
    const std::string what = "open COM" + std::to_string(port) + " (" +
                             (m_device.empty() ? "no device" : m_device) + ")";
    Line(handle == kInvalidPort ? what + " failed: " + reason : what);
    return handle;
}

PortHandle TracingBackend::OpenNamed(const std::string& name, std::string& reason) {
    m_device = name;
    const PortHandle handle = m_inner.OpenNamed(name, reason);
    Line(handle == kInvalidPort ? "open " + name + " failed: " + reason : "open " + name);
    return handle;
}

bool TracingBackend::GetState(PortHandle port) {
    const bool ok = m_inner.GetState(port);
    Line("get line settings" + Outcome(ok));
    return ok;
}

bool TracingBackend::SetState(PortHandle port) {
    const bool ok = m_inner.SetState(port);
    Line("set line settings 4800 8N1" + Outcome(ok));
    return ok;
}

bool TracingBackend::SetTimeouts(PortHandle port, const CommTimeouts& t) {
    const bool ok = m_inner.SetTimeouts(port, t);
    char text[96];
    std::snprintf(text, sizeof text,
                  "set time-outs interval %d, read %d + %d/byte, write %d + %d/byte",
                  t.readInterval, t.readTotalConstant, t.readTotalMultiplier, t.writeTotalConstant,
                  t.writeTotalMultiplier);
    Line(text + Outcome(ok));
    return ok;
}

bool TracingBackend::WriteByte(PortHandle port, BYTE byte, int& written) {
    const bool ok = m_inner.WriteByte(port, byte, written);
    Line("> " + Hex(&byte, 1) + (!ok ? " failed" : written == 0 ? " timed out" : ""));
    return ok;
}

bool TracingBackend::Read(PortHandle port, BYTE* buffer, int count, int& received,
                          const TransferObserver& progress) {
    int seen = 0;
    // Each chunk as it arrives, so that the trace shows when the beacon's bytes came.
    const TransferObserver chunk = [&](int n) {
        Line("< " + Hex(buffer + seen, n));
        seen += n;
        if (progress) {
            progress(n);
        }
    };
    const bool ok = m_inner.Read(port, buffer, count, received, chunk);
    if (received > seen) {
        Line("< " + Hex(buffer + seen, received - seen));  // a backend that told no chunks
    }
    Line("read of " + std::to_string(count) + " ended with " + std::to_string(received) + " bytes" +
         Outcome(ok));
    return ok;
}

bool TracingBackend::Close(PortHandle port) {
    const bool ok = m_inner.Close(port);
    Line("close (" + m_device + ")" + Outcome(ok));
    return ok;
}

void TracingBackend::Sleep(int milliseconds) {
    m_inner.Sleep(milliseconds);
}

}  // namespace wb
