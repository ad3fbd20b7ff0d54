// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DeviceActions.h"

#include <exception>
#include <vector>

#include "core/MessageSink.h"
#include "exchange/VerifiedExchange.h"
#include "link/DeviceProtocol.h"
#include "res/ResourceIds.h"

namespace wb::ui {
namespace {

using namespace wb::device;

constexpr const char* kReadQuestion =
    "Reading replaces the changes that were not written to the beacon. Read anyway?";
constexpr const char* kStopped =
    "The action stopped because of an unexpected error. Nothing more was sent to the beacon.";

// Marks the actions busy for one handler, boxes included.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : m_busy(busy) { m_busy = true; }
    ~BusyScope() { m_busy = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& m_busy;
};

ToneState ToneOf(char code) {
    switch (code) {
        case kTone1200:
            return ToneState::Tone1200;
        case kTone2200:
            return ToneState::Tone2200;
        case kToneBoth:
            return ToneState::Both;
        default:
            return ToneState::Off;
    }
}

const char* ToneGroupTitle(ToneState tone) {
    switch (tone) {
        case ToneState::Off:
            break;
        case ToneState::Tone1200:
            return "Tone Test - sending 1200 Hz";
        case ToneState::Tone2200:
            return "Tone Test - sending 2200 Hz";
        case ToneState::Both:
            return "Tone Test - sending both tones";
        case ToneState::Unknown:
            return "Tone Test - tone state unknown";
    }
    return "Tone Test";
}

}  // namespace

DeviceActions::DeviceActions(ControlAccess& controls, ConfigForm& form, CTrackerConfig& config,
                             CComPort& port, ActionHost& host, CleanRecord& clean)
    : m_controls(controls),
      m_form(form),
      m_config(config),
      m_port(port),
      m_host(host),
      m_clean(clean) {
    m_port.SetTransferObserver([this](int bytes) {
        m_moved += bytes;
        m_host.AddProgress(bytes);
    });
}

void DeviceActions::SelectPort() {
    if (m_selectPort) {
        m_selectPort();
        return;
    }
    m_port.SetPort(m_controls.GetListSelection(res::IDC_COM_PORT) + 1);
}

bool DeviceActions::RunExchange(const std::function<bool()>& work) {
    return m_host.RunInBackground([&] {
        try {
            return work();
        } catch (const std::exception& e) {
            return Stopped(e.what());
        } catch (...) {
            return Stopped("An exception that says nothing about itself.");
        }
    });
}

// On the thread of the exchange, which has ended: the port goes back to the system, so that the
// next action can open it, and the user hears why nothing more happens and, when the image was
// going out, what that means for the beacon.
bool DeviceActions::Stopped(const std::string& what) {
    const std::string consequence = m_port.FailureConsequence();
    m_port.SetFailureNote({});
    if (m_port.IsOpen()) {
        m_port.Close();
    }
    return ShowError(kStopped, consequence.empty() ? what : what + "\n" + consequence);
}

bool DeviceActions::RunImageExchange(const std::function<bool()>& moveImage) {
    m_host.BeginProgress();
    const bool failed = RunExchange(moveImage);
    m_host.EndProgress();
    return failed;
}

void DeviceActions::OnReadVersion() {
    if (m_busy) {
        return;
    }
    BusyScope busy(m_busy);
    SelectPort();
    char banner[kBannerAreaSize] = {};
    if (RunExchange([&] { return m_port.ReadVersion(banner, kBannerQuerySize); })) {
        return;
    }
    ShowMessageBox(banner, "Wrenbeacon Version");
}

void DeviceActions::OnReadConfig() {
    if (m_busy) {
        return;
    }
    BusyScope busy(m_busy);
    if (m_clean.FormDiffers() &&
        !m_host.AskQuestion({kReadQuestion, "Wrenbeacon Read", {}}, "Read", "Cancel")) {
        return;
    }
    SelectPort();
    // Decoded on the worker into a copy; the record changes here, on the window's thread.
    CTrackerConfig read = m_config;
    std::vector<BYTE> image;
    if (RunImageExchange(
            [&] { return exchange::VerifiedRead(m_port, ExpectImage(), read, image); })) {
        return;
    }
    m_config = read;
    m_clean.Note();
    m_form.ConfigToForm();
    ShowMessageBox("Read Successful", "Wrenbeacon Read");
}

void DeviceActions::OnWriteConfig() {
    if (m_busy) {
        return;
    }
    BusyScope busy(m_busy);
    SelectPort();
    m_form.FormToConfig();
    BYTE image[kImageAreaSize] = {};
    Messages told;
    const int count = m_config.EncodeImage(image, kImageAreaSize, told);
    ShowMessages(told);  // the notice of a cut text goes before the write, a refusal instead
    if (count == 0) {
        return;  // the port is never opened
    }
    const std::span<const BYTE> sent(image, static_cast<std::size_t>(count));
    if (RunImageExchange(
            [&] { return exchange::VerifiedWrite(m_port, ExpectImage(), sent, m_writeAdvice); })) {
        return;
    }
    // The very bytes that were sent and verified go back into the record.
    told.clear();
    if (m_config.DecodeImage(image, count, told)) {
        ShowMessages(told);
        return;
    }
    m_clean.Note();
    m_form.ConfigToForm();
    ShowMessageBox("Write Successful", "Wrenbeacon Write");
}

exchange::ProgressStart DeviceActions::ExpectImage() {
    return [this](int bytes) { m_host.ExpectProgress(bytes); };
}

// True when it failed. A command that failed before any byte went out changed nothing; one that
// failed later may have left any tone on.
bool DeviceActions::RunTone(char code) {
    const int before = m_moved.load();
    const bool failed = RunExchange([&] { return m_port.SendTone(code); });
    m_tonePort = m_port.m_nPort;
    m_tonePortName = m_port.PortName();
    if (!failed) {
        ShowTone(ToneOf(code));
    } else if (m_moved.load() != before) {
        ShowTone(ToneState::Unknown);
    }
    return failed;
}

void DeviceActions::ShowTone(ToneState tone) {
    m_tone = tone;
    m_controls.SetFieldText(res::IDC_TONE_GROUP, ToneGroupTitle(tone));
}

void DeviceActions::SendTone(char code) {
    if (m_busy) {
        return;
    }
    BusyScope busy(m_busy);
    SelectPort();
    m_form.FormToConfig();
    if (m_config.m_bCalDirty) {
        ShowMessageBox("New Calibration value should be written before Testing Tones",
                       "Calibration not written");
    }
    RunTone(code);
}

void DeviceActions::StopToneOnClose() {
    if (m_busy || m_tone == ToneState::Off) {
        return;
    }
    BusyScope busy(m_busy);
    if (m_tonePortName.empty()) {
        m_port.SetPort(m_tonePort);
    } else {
        m_port.SetPortName(m_tonePortName);
    }
    RunTone(kToneOff);
}

void DeviceActions::OnSend1200() {
    SendTone(kTone1200);
}
void DeviceActions::OnSend2200() {
    SendTone(kTone2200);
}
void DeviceActions::OnSendBoth() {
    SendTone(kToneBoth);
}
void DeviceActions::OnStopSending() {
    SendTone(kToneOff);
}

}  // namespace wb::ui
