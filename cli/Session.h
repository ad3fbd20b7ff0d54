// SPDX-License-Identifier: GPL-3.0-or-later
// What one run of the tool shares between its parts: the options before the command, the
// printing message sink, the serial chain (device, trace, channel) and the progress bar.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/Platform.h"
#include "cli/Tool.h"
#include "config/ConfigFile.h"
#include "core/MessageSink.h"
#include "exchange/VerifiedExchange.h"
#include "link/ComPort.h"
#include "link/TracingBackend.h"

namespace wb::cli {

struct GlobalOptions {
    std::string port = "COM1";  // COM1 to COM4, a name from `ports`, or a device path
    std::string trace;          // file, or empty for none
    bool quiet = false;
};

class Session {
public:
    Session(Environment& env, GlobalOptions options);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Sets up the port and the trace; false (told) when the options cannot be used.
    bool Begin();

    Environment& env() { return m_env; }
    const GlobalOptions& options() const { return m_options; }
    CComPort& Port() { return *m_port; }

    // An outcome the window shows in a box ("Write Successful"); left out with --quiet.
    void Tell(const char* text, const char* caption);
    // A line of information on stderr; left out with --quiet.
    void Note(const std::string& line);

    // Counts the bytes the channel moves from now on towards a bar of `total` bytes, drawn on
    // stderr when it is a terminal and the run is not quiet. End() finishes the line.
    void ShowProgress(const char* label, int total);
    void EndProgress();

    // The window's verified read and write (exchange/VerifiedExchange.h) with a progress bar.
    // True (told) on failure.
    bool ReadBeacon(std::vector<BYTE>& image, CTrackerConfig& config);
    bool WriteBeacon(const std::vector<BYTE>& image, const std::string& advice,
                     exchange::Banner banner);

    // The values of `record` that its image cannot hold, one warning line each on stderr, also
    // with --quiet: the window's line under the form says the same.
    void WarnOfChanges(const CTrackerConfig& record);

private:
    class Progress;

    exchange::ProgressStart ProgressOf(const char* label);

    Environment& m_env;
    GlobalOptions m_options;
    MessageSink m_previousSink;
    std::unique_ptr<TracingBackend> m_trace;
    std::unique_ptr<CComPort> m_port;
    std::unique_ptr<Progress> m_progress;
};

}  // namespace wb::cli
