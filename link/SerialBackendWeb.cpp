// SPDX-License-Identifier: GPL-3.0-or-later
// The serial backend of the browser: Web Serial through the page's transport (web/WebSerial.js),
// which keeps one reader loop per open port filling a byte queue. Each call waits for the
// browser through Asyncify, so the channel above stays blocking. The line settings are handed to
// the port as it opens; the read rules (count, silence after a byte, total limit), the pause
// after a byte and what a failed open tells the user are kept here.
#include <emscripten.h>

#include <algorithm>
#include <string>

#include "link/SerialBackend.h"

namespace {

// clang-format off
EM_ASYNC_JS(int, wb_serial_open, (int port, char* reason, int reasonSize), {
    return await Module.wbSerial.open(port, reason, reasonSize);
});
// The port list's entries after COM1 to COM4 are opened by the name the page gave them.
EM_ASYNC_JS(int, wb_serial_open_named, (const char* name, char* reason, int reasonSize), {
    return await Module.wbSerial.open(UTF8ToString(name), reason, reasonSize);
});
EM_JS(int, wb_serial_usable, (int handle), {
    return Module.wbSerial.usable(handle) ? 1 : 0;
});
EM_ASYNC_JS(int, wb_serial_write, (int handle, int byte, int limit), {
    return await Module.wbSerial.write(handle, byte, limit);
});
EM_ASYNC_JS(int, wb_serial_take, (int handle, BYTE* buffer, int count, double deadline), {
    return await Module.wbSerial.take(handle, buffer, count, deadline);
});
EM_JS(double, wb_serial_handed_at, (int handle), {
    return Module.wbSerial.handedAt(handle);
});
EM_JS(double, wb_serial_last_arrival, (int handle), {
    return Module.wbSerial.lastArrival(handle);
});
EM_ASYNC_JS(int, wb_serial_close, (int handle), {
    return await Module.wbSerial.close(handle);
});
EM_ASYNC_JS(void, wb_serial_sleep_until, (double due), {
    await Module.wbSerial.sleepUntil(due);
});
EM_JS(double, wb_serial_now, (), {
    return Module.wbSerial.now();
});
// clang-format on

// What the transport's open answers besides a handle; the text then holds the port's name.
constexpr int kNoPort = 0;  // the text says why
constexpr int kRefused = -1;
constexpr int kGone = -2;

int Handle(wb::PortHandle port) {
    return static_cast<int>(port);
}

// The browser says only that the system refused the port, for whatever reason.
std::string RefusedDetail(const std::string& name) {
    return name +
           " is busy: another program holds the port, or another tab or window of this "
           "browser. Close that one and try again. If nothing else has it, the browser may lack "
           "the right to use it: on Linux, join the group that owns the port (usually "
           "'dialout'), then log out and in again.";
}

std::string GoneDetail(const std::string& name) {
    return name + " is no longer there: plug the adapter in again and choose it in the port list.";
}

class WebSerialBackend final : public wb::SerialBackend {
public:
    wb::PortHandle Open(int port, std::string& reason) override {
        char text[512] = {};
        return Opened(wb_serial_open(port, text, sizeof text), text, reason);
    }

    wb::PortHandle OpenNamed(const std::string& name, std::string& reason) override {
        char text[512] = {};
        return Opened(wb_serial_open_named(name.c_str(), text, sizeof text), text, reason);
    }

    // Web Serial takes 4800 baud, 8 data bits, no parity and one stop bit as the port opens;
    // what is left to check is that the port is still there.
    bool GetState(wb::PortHandle port) override { return wb_serial_usable(Handle(port)) != 0; }
    bool SetState(wb::PortHandle port) override { return wb_serial_usable(Handle(port)) != 0; }

    bool SetTimeouts(wb::PortHandle port, const wb::CommTimeouts& timeouts) override {
        m_timeouts = timeouts;
        return wb_serial_usable(Handle(port)) != 0;
    }

    bool WriteByte(wb::PortHandle port, BYTE byte, int& written) override {
        const int limit = m_timeouts.writeTotalConstant + m_timeouts.writeTotalMultiplier;
        const int result = wb_serial_write(Handle(port), byte, limit);
        m_pauseFrom = result >= 0 ? wb_serial_handed_at(Handle(port)) : 0;
        written = result > 0 ? 1 : 0;
        return result >= 0;
    }

    bool Read(wb::PortHandle port, BYTE* buffer, int count, int& received,
              const wb::TransferObserver& progress) override {
        received = 0;
        const double start = wb_serial_now();
        const double total =
            start + m_timeouts.readTotalConstant + m_timeouts.readTotalMultiplier * double(count);
        double lastByte = start;
        while (received < count) {
            const double deadline =
                received > 0 ? std::min(total, lastByte + m_timeouts.readInterval) : total;
            const int got =
                wb_serial_take(Handle(port), buffer + received, count - received, deadline);
            if (got < 0) {
                return false;  // the port is gone
            }
            if (got == 0) {
                break;  // the limit ran out: no failure
            }
            received += got;
            // Bytes that waited in the queue count as arriving when the read began.
            lastByte = std::max(start, wb_serial_last_arrival(Handle(port)));
            if (progress) {
                progress(got);
            }
        }
        return true;
    }

    bool Close(wb::PortHandle port) override { return wb_serial_close(Handle(port)) != 0; }

    // The pause after a byte counts from the moment the byte was handed to the port, as the line
    // sees it: the wait for the browser to take the byte is part of the pause, not added to it.
    void Sleep(int milliseconds) override {
        const double from = m_pauseFrom > 0 ? m_pauseFrom : wb_serial_now();
        m_pauseFrom = 0;
        wb_serial_sleep_until(from + milliseconds);
    }

private:
    static wb::PortHandle Opened(int handle, const char* text, std::string& reason) {
        if (handle > kNoPort) {
            return static_cast<wb::PortHandle>(handle);
        }
        reason = handle == kRefused ? RefusedDetail(text)
                 : handle == kGone  ? GoneDetail(text)
                                    : text;
        return wb::kInvalidPort;
    }

    wb::CommTimeouts m_timeouts{};
    double m_pauseFrom = 0;  // when the byte that the next pause follows was handed over
};

}  // namespace

namespace wb {

std::unique_ptr<SerialBackend> MakePlatformBackend() {
    return std::make_unique<WebSerialBackend>();
}

}  // namespace wb
