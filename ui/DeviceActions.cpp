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

}  // namespace

DeviceActions::DeviceActions(ControlAccess& controls, ConfigForm& form, CTrackerConfig& config,
                             CComPort& port, ActionHost& host)
    : m_controls(controls), m_form(form), m_config(config), m_port(port), m_host(host) {
    m_port.SetTransferObserver([&host](int bytes) { host.AddProgress(bytes); });
}

void DeviceActions::SelectPort() {
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
    const bool failed = RunImageExchange([&] { return m_port.WriteImage(image, count); });
    // The very bytes that were sent and verified go back into the record.
    if (failed || m_config.DecodeImage(image, count)) {
        return;
    }
    m_form.ConfigToForm();
    ShowMessageBox("Write Successful", "Wrenbeacon Write");
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
    m_host.RunInBackground([&] { return m_port.SendTone(code); });
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
