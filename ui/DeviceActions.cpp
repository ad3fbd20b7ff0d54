// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DeviceActions.h"

#include "config/ImageLayout.h"
#include "core/MessageSink.h"
#include "link/DeviceProtocol.h"
#include "res/ResourceIds.h"

namespace wb::ui {
namespace {

using namespace wb::device;

// Both a verified read and a verified write move two exchanges of a two-byte command and the
// image: what their progress counts towards.
static_assert(sizeof(kUpload) == sizeof(kDownload));
constexpr int kImageTraffic = 2 * (static_cast<int>(sizeof(kUpload)) + image::kSize);

constexpr const char* kReadQuestion =
    "Reading replaces the changes that were not written to the beacon. Read anyway?";
constexpr const char* kIncompleteWrite = "The beacon may now hold an incomplete configuration.";

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

// While it lives, every message shown once `applies` says so gets `detail` as a further line.
class DetailFrom {
public:
    DetailFrom(std::function<bool()> applies, std::string detail)
        : m_applies(std::move(applies)), m_detail(std::move(detail)) {
        m_previous = SetMessageSink([this](const Message& m) { Forward(m); });
    }
    ~DetailFrom() { SetMessageSink(m_previous); }
    DetailFrom(const DetailFrom&) = delete;
    DetailFrom& operator=(const DetailFrom&) = delete;

private:
    void Forward(Message m) const {
        if (m_applies()) {
            m.detail += (m.detail.empty() ? "" : "\n") + m_detail;
        }
        ForwardMessage(m_previous, m);
    }

    std::function<bool()> m_applies;
    std::string m_detail;
    MessageSink m_previous;
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

bool DeviceActions::RunImageExchange(const std::function<bool()>& moveImage) {
    m_host.BeginProgress();
    const bool failed = m_host.RunInBackground([&] {
        char banner[kBannerAreaSize] = {};
        if (m_port.ReadVersion(banner, kBannerQuerySize)) {
            return true;
        }
        m_host.ExpectProgress(kImageTraffic);
        return moveImage();
    });
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
    if (m_host.RunInBackground([&] { return m_port.ReadVersion(banner, kBannerQuerySize); })) {
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
    BYTE image[kImageAreaSize] = {};
    int count = 0;
    const bool failed = RunImageExchange([&] {
        count = m_port.ReadImage(image, kImageAreaSize);
        return false;
    });
    if (failed) {
        return;
    }
    if (count != image::kSize || m_config.DecodeImage(image, image::kSize)) {
        ShowMessageBox("Read Failed", "Wrenbeacon Read");
        return;
    }
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
    const int count = m_config.EncodeImage(image, kImageAreaSize);
    if (count == 0) {
        return;  // the encoder has said why; the port is never opened
    }
    // Once a byte of the download has moved, a failure may have left the beacon holding part of
    // the new image: every message from then on says so.
    // The success box that follows is no such message: the detail ends with the exchange.
    std::atomic<int> movedAtDownload{-1};
    bool failed = false;
    {
        const DetailFrom detail(
            [&] {
                const int from = movedAtDownload.load();
                return from >= 0 && m_moved.load() > from;
            },
            std::string(kIncompleteWrite) + " " + m_writeAdvice);
        failed = RunImageExchange([&] {
            movedAtDownload = m_moved.load();
            return m_port.WriteImage(image, count);
        });
    }
    // The very bytes that were sent and verified go back into the record.
    if (failed || m_config.DecodeImage(image, count)) {
        return;
    }
    m_clean.Note();
    m_form.ConfigToForm();
    ShowMessageBox("Write Successful", "Wrenbeacon Write");
}

// True when it failed. A command that failed before any byte went out changed nothing; one that
// failed later may have left any tone on.
bool DeviceActions::RunTone(char code) {
    const int before = m_moved.load();
    const bool failed = m_host.RunInBackground([&] { return m_port.SendTone(code); });
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
