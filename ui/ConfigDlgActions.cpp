// The seven device actions of the "Configure" and "Tone Test" groups. The exchanges with the
// device run on a worker thread (ActionRunner) so that the window keeps painting; the form and
// the record are only touched here, on the window's thread, before and after them.
#include "core/MessageSink.h"
#include "res/ResourceIds.h"
#include "ui/ConfigDlg.h"

namespace {

constexpr int kBannerArea = 32;
constexpr int kBannerSize = 30;  // the query keeps at most 29 characters and the NUL
constexpr int kImageArea = 200;
constexpr int kImageSize = 128;
// Both a verified read and a verified write move two exchanges of a two-byte command and the
// 128-byte image: what their progress counts towards.
constexpr int kImageTraffic = 2 * (2 + kImageSize);

constexpr char kTone1200 = '1';
constexpr char kTone2200 = '2';
constexpr char kToneBoth = '3';
constexpr char kToneStop = 'x';

}  // namespace

void CConfigDlg::SelectPort() {
    m_port.SetPort(GetListSelection(wb::res::IDC_COM_PORT) + 1);
}

bool CConfigDlg::RunImageExchange(const std::function<bool()>& moveImage) {
    m_progress->Begin();
    const bool failed = m_runner.Run([&] {
        char banner[kBannerArea] = {};
        if (m_port.ReadVersion(banner, kBannerSize)) {
            return true;
        }
        m_progress->Expect(kImageTraffic);
        return moveImage();
    });
    m_progress->End();
    return failed;
}

void CConfigDlg::OnReadVersion() {
    if (m_runner.IsBusy()) {
        return;
    }
    SelectPort();
    char banner[kBannerArea] = {};
    if (m_runner.Run([&] { return m_port.ReadVersion(banner, kBannerSize); })) {
        return;
    }
    ShowMessageBox(banner, "Wrenbeacon Version");
}

void CConfigDlg::OnReadConfig() {
    if (m_runner.IsBusy()) {
        return;
    }
    SelectPort();
    BYTE image[kImageArea] = {};
    int count = 0;
    const bool failed = RunImageExchange([&] {
        count = m_port.ReadImage(image, kImageArea);
        return false;
    });
    if (failed) {
        return;
    }
    if (count != kImageSize || m_config.DecodeImage(image, kImageSize)) {
        ShowMessageBox("Read Failed", "Wrenbeacon Read");
        return;
    }
    ConfigToForm();
    ShowMessageBox("Read Successful", "Wrenbeacon Read");
}

void CConfigDlg::OnWriteConfig() {
    if (m_runner.IsBusy()) {
        return;
    }
    SelectPort();
    FormToConfig();
    BYTE image[kImageArea] = {};
    const int count = m_config.EncodeImage(image, kImageArea);
    if (count == 0) {
        return;  // the encoder has said why; the port is never opened
    }
    const bool failed = RunImageExchange([&] { return m_port.WriteImage(image, count); });
    // The very bytes that were sent and verified go back into the record.
    if (failed || m_config.DecodeImage(image, count)) {
        return;
    }
    ConfigToForm();
    ShowMessageBox("Write Successful", "Wrenbeacon Write");
}

void CConfigDlg::SendTone(char code) {
    if (m_runner.IsBusy()) {
        return;
    }
    SelectPort();
    FormToConfig();
    if (m_config.m_bCalDirty) {
        ShowMessageBox("New Calibration value should be written before Testing Tones",
                       "Calibration not written");
    }
    m_runner.Run([&] { return m_port.SendTone(code); });
}

void CConfigDlg::OnSend1200() {
    SendTone(kTone1200);
}
void CConfigDlg::OnSend2200() {
    SendTone(kTone2200);
}
void CConfigDlg::OnSendBoth() {
    SendTone(kToneBoth);
}
void CConfigDlg::OnStopSending() {
    SendTone(kToneStop);
}
