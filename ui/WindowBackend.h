// SPDX-License-Identifier: GPL-3.0-or-later
// The serial backend a window talks through: the platform's, traced into the file that
// WRENBEACON_TRACE names when it is set (every open and close, every byte with its time, every
// message shown), so that a user can send the trace with a bug report.
#pragma once

#include <memory>

#include "link/SerialBackend.h"
#include "link/TracingBackend.h"

namespace wb::ui {

class WindowBackend {
public:
    // Reads WRENBEACON_TRACE. The trace sees the messages of the sink installed before this
    // object, so a window installs its message boxes first. When the file cannot be created the
    // user is told and the window works untraced.
    WindowBackend();
    WindowBackend(const WindowBackend&) = delete;
    WindowBackend& operator=(const WindowBackend&) = delete;

    SerialBackend& Get() { return m_trace ? *m_trace : *m_platform; }
    bool IsTracing() const { return m_trace != nullptr; }

private:
    std::unique_ptr<SerialBackend> m_platform;
    std::unique_ptr<TracingBackend> m_trace;
};

}  // namespace wb::ui
