// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/VerifiedExchange.h"

#include <exception>

#include "core/MessageSink.h"

namespace wb::exchange {
namespace {

static_assert(image::kSize <= device::kImageAreaSize, "an upload's area holds a whole image");

constexpr const char* kIncompleteWrite = "The beacon may now hold an incomplete configuration.";

// The port's failure note for as long as it lives. An exception that ends the write leaves it
// for whoever catches the exception to tell, and to end.
class FailureNote {
public:
    FailureNote(CComPort& port, std::string note) : m_port(port) {
        m_port.SetFailureNote(std::move(note));
    }
    ~FailureNote() {
        if (std::uncaught_exceptions() == m_unwinding) {
            m_port.SetFailureNote({});
        }
    }
    FailureNote(const FailureNote&) = delete;
    FailureNote& operator=(const FailureNote&) = delete;

private:
    CComPort& m_port;
    int m_unwinding = std::uncaught_exceptions();
};

// The banner query alone: false when a Wrenbeacon answered, true (told) otherwise.
bool CheckVersion(CComPort& port) {
    char banner[device::kBannerAreaSize] = {};
    return port.ReadVersion(banner, device::kBannerQuerySize);
}

}  // namespace

bool VerifiedRead(CComPort& port, const ProgressStart& progress, CTrackerConfig& config,
                  std::vector<BYTE>& bytes) {
    if (CheckVersion(port)) {
        return true;
    }
    if (progress) {
        progress(kImageTraffic);
    }
    BYTE area[device::kImageAreaSize] = {};
    const int count = port.ReadImage(area, device::kImageAreaSize);
    CTrackerConfig decoded = config;
    Messages told;  // why the decoder refused the image, before the verdict
    if (count != image::kSize || decoded.DecodeImage(area, image::kSize, told)) {
        told.push_back({"Read Failed", "Wrenbeacon Read", {}});
        ShowMessages(told);
        return true;
    }
    config = decoded;
    bytes.assign(area, area + image::kSize);
    return false;
}

bool VerifiedWrite(CComPort& port, const ProgressStart& progress, std::span<const BYTE> bytes,
                   const std::string& advice, Banner banner) {
    if (banner == Banner::Ask && CheckVersion(port)) {
        return true;
    }
    if (progress) {
        progress(kImageTraffic);
    }
    const FailureNote note(
        port, advice.empty() ? kIncompleteWrite : std::string(kIncompleteWrite) + " " + advice);
    return port.WriteImage(bytes.data(), static_cast<int>(bytes.size()));
}

}  // namespace wb::exchange
