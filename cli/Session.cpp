// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Session.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <iterator>

#include "cli/Platform.h"
#include "config/ImageLayout.h"
#include "config/ValueChanges.h"
#include "core/PathText.h"
#include "link/PortList.h"

namespace wb::cli {
namespace {

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// "COM1" to "COM4" in any letter case give 1 to 4; anything else is a device, 0.
int PortNumber(const std::string& name) {
    const std::string upper = Upper(name);
    for (int n = 1; n <= 4; ++n) {
        if (upper == "COM" + std::to_string(n)) {
            return n;
        }
    }
    return 0;
}

// A name from `wrenbeacon ports` (a port's name, the device it opens as, or its stable id)
// stands for that port's device; anything else is opened as given.
std::string PortToOpen(const std::string& name, const Environment& env) {
    const PortScan scan = env.scanPorts ? env.scanPorts() : ScanPlatformPorts();
    for (const PortEntry& entry : ListPorts(scan, [](const char* n) { return std::getenv(n); })) {
        const bool windows = scan.numbering == ComNumbering::ByName;
        for (const std::string* known : {&entry.name, &entry.device, &entry.identity}) {
            if (!entry.device.empty() && !known->empty() &&
                (windows ? Upper(*known) == Upper(name) : *known == name)) {
                return entry.device;
            }
        }
    }
    return name;
}

}  // namespace

// A bar of # signs and the byte count, redrawn in place with a carriage return.
class Session::Progress {
public:
    Progress(std::ostream& err, const char* label, int total)
        : m_err(err), m_label(label), m_total(total) {
        Draw();
    }

    void Add(int bytes) {
        m_done = std::min(m_total, m_done + bytes);
        Draw();
    }

    ~Progress() { m_err << "\n" << std::flush; }

private:
    void Draw() {
        constexpr int kWidth = 30;
        const int filled = m_total > 0 ? m_done * kWidth / m_total : kWidth;
        m_err << "\r" << m_label << " [" << std::string(static_cast<std::size_t>(filled), '#')
              << std::string(static_cast<std::size_t>(kWidth - filled), '.') << "] " << m_done
              << "/" << m_total << " bytes" << std::flush;
    }

    std::ostream& m_err;
    std::string m_label;
    int m_total;
    int m_done = 0;
};

Session::Session(Environment& env, GlobalOptions options)
    : m_env(env), m_options(std::move(options)) {
    // The window's texts, printed as the default sink prints them, on this run's stderr.
    m_previousSink = SetMessageSink([this](const Message& m) {
        EndProgress();
        m_env.err << (m.caption.empty() ? "Error" : m.caption) << ": " << m.text << "\n";
        if (!m.detail.empty()) {
            m_env.err << "  " << m.detail << "\n";
        }
        m_env.err << std::flush;
    });
}

Session::~Session() {
    EndProgress();
    m_port.reset();
    m_trace.reset();  // gives back the printing sink it wrapped
    SetMessageSink(m_previousSink);
}

bool Session::Begin() {
    const int number = PortNumber(m_options.port);
    if (number == 0 && m_options.port.empty()) {
        ShowError("--port needs COM1 to COM4 or the path of a serial device");
        return false;
    }
    SerialBackend* backend = &m_env.backend;
    if (!m_options.trace.empty()) {
        std::string reason;
        m_trace = TracingBackend::ToFile(*backend, PathFromUtf8(m_options.trace), reason);
        if (!m_trace) {
            ShowError(reason.c_str());
            return false;
        }
        backend = m_trace.get();
    }
    m_port = std::make_unique<CComPort>(*backend);
    if (number != 0) {
        m_port->SetPort(number);
    } else {
        m_port->SetPortName(PortToOpen(m_options.port, m_env));
    }
    return true;
}

void Session::Tell(const char* text, const char* caption) {
    if (!m_options.quiet) {
        ShowMessageBox(text, caption);
    }
}

void Session::Note(const std::string& line) {
    if (!m_options.quiet) {
        EndProgress();
        m_env.err << line << "\n" << std::flush;
    }
}

void Session::ShowProgress(const char* label, int total) {
    EndProgress();
    if (!m_env.errIsTerminal || m_options.quiet) {
        return;
    }
    m_progress = std::make_unique<Progress>(m_env.err, label, total);
    m_port->SetTransferObserver([this](int bytes) {
        if (m_progress) {
            m_progress->Add(bytes);
        }
    });
}

void Session::EndProgress() {
    if (m_port) {
        m_port->SetTransferObserver(nullptr);
    }
    m_progress.reset();
}

exchange::ProgressStart Session::ProgressOf(const char* label) {
    return [this, label](int bytes) { ShowProgress(label, bytes); };
}

bool Session::ReadBeacon(std::vector<BYTE>& image, CTrackerConfig& config) {
    const bool failed = exchange::VerifiedRead(*m_port, ProgressOf("Reading"), config, image);
    EndProgress();
    return failed;
}

bool Session::WriteBeacon(const std::vector<BYTE>& image, const std::string& advice,
                          exchange::Banner banner) {
    const bool failed =
        exchange::VerifiedWrite(*m_port, ProgressOf("Writing"), image, advice, banner);
    EndProgress();
    return failed;
}

void Session::WarnOfChanges(const CTrackerConfig& record) {
    for (const ValueChange& change : ValueChanges(record)) {
        EndProgress();
        m_env.err << "Warning: " << DescribeChange(change) << "\n";
    }
    m_env.err << std::flush;
}

}  // namespace wb::cli
