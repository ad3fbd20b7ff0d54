// SPDX-License-Identifier: GPL-3.0-or-later
// Decodes arbitrary 128-byte images, and for every image that decodes, writes the record back
// and reads that image again. Bytes past the first 128 become the six texts of the record
// before it is written, so that the encoder also sees arbitrary callsigns, paths and statuses.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "config/ImageLayout.h"
#include "config/TrackerConfig.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

using wb::fuzz::Check;

constexpr int kImageSize = wb::image::kSize;

// A record far from the defaults, to show that a refused image leaves it as it was.
CTrackerConfig UnusualRecord() {
    CTrackerConfig c;
    c.m_nProfile = 1;
    for (int i = 0; i < kProfileCount; ++i) {
        std::memset(c.m_szCallsign[i], 'C' + i, kCallsignSize - 1);
        std::memset(c.m_szPath[i], ',', kPathSize - 1);
        std::memset(c.m_szStatus[i], 'S', kStatusSize - 1);
        c.m_nTxDelay[i] = -1;
        c.m_nTxInterval[i] = 0;
        c.m_nSlotOffset[i] = 1 << 30;
        c.m_nSlowRate[i] = -7;
        c.m_bTimeSlot[i] = 3;
        c.m_bSmartBeacon[i] = 1;
        c.m_bSlotMinute[i] = 1;
    }
    c.m_bCalDirty = 1;
    return c;
}

bool TextsTerminated(const CTrackerConfig& c) {
    for (int i = 0; i < kProfileCount; ++i) {
        if (std::memchr(c.m_szCallsign[i], 0, kCallsignSize) == nullptr ||
            std::memchr(c.m_szPath[i], 0, kPathSize) == nullptr ||
            std::memchr(c.m_szStatus[i], 0, kStatusSize) == nullptr) {
            return false;
        }
    }
    return true;
}

// Fails when the record does not decode from `image`; a refusal must leave it unchanged and
// say why in one error message.
bool Decodes(CTrackerConfig& c, const std::vector<BYTE>& image) {
    const CTrackerConfig before = c;
    wb::Messages told;
    const bool refused = c.DecodeImage(image.data(), static_cast<int>(image.size()), told);
    Check(TextsTerminated(c));
    Check(!refused || c == before);
    Check(told.size() == (refused ? 1u : 0u));
    Check(!refused || (!told[0].text.empty() && told[0].caption.empty()));
    return !refused;
}

// Writes the record into an exactly sized buffer; a refusal must leave buffer and record alone.
bool Encodes(CTrackerConfig& c, std::vector<BYTE>& image) {
    image.assign(kImageSize, 0xA5);
    const CTrackerConfig before = c;
    wb::Messages told;
    const int n = c.EncodeImage(image.data(), kImageSize, told);
    Check(n == 0 || n == kImageSize);
    // A refusal says why as an error; a full image at most notes a cut status text.
    Check(told.size() <= 1u);
    Check(n != 0 || (told.size() == 1u && told[0].caption.empty()));
    Check(n == 0 || told.empty() || told[0].caption == "Status Beacon Text Truncated");
    if (n == 0) {
        Check(c == before);
        for (BYTE b : image) {
            Check(b == 0xA5);
        }
    }
    return n == kImageSize;
}

// The record's six texts from `text`, split at zero bytes, through the setters.
void SetTexts(CTrackerConfig& c, const std::uint8_t* text, std::size_t size) {
    std::vector<char> rest(text, text + size);
    rest.push_back('\0');
    const char* at = rest.data();
    const char* end = rest.data() + size;
    for (int k = 0; k < 6 && at <= end; ++k) {
        c.m_nProfile = k / 3;
        if (k % 3 == 0) {
            c.SetCallsign(at);
        } else if (k % 3 == 1) {
            c.SetPath(at);
        } else {
            c.SetStatus(at);
        }
        at += std::strlen(at) + 1;
    }
}

void Run(CTrackerConfig c, const std::uint8_t* data, std::size_t size) {
    std::vector<BYTE> image(kImageSize, 0);
    std::memcpy(image.data(), data, size < kImageSize ? size : kImageSize);
    if (!Decodes(c, image)) {
        return;
    }
    if (size > kImageSize) {
        SetTexts(c, data + kImageSize, size - kImageSize);
    }
    // Every image the encoder writes must read back. A decoded record can still be refused:
    // blocks that overlapped in the image take room of their own when written.
    std::vector<BYTE> written;
    if (!Encodes(c, written)) {
        return;
    }
    Check(Decodes(c, written));
    // What was read back is written again without refusal, and reads back as the same record,
    // except that a path ending in an empty field ("A,") loses that field: a trailing comma
    // yields no field when written.
    std::vector<BYTE> again;
    Check(Encodes(c, again));
    CTrackerConfig settled = c;
    Check(Decodes(c, again));
    for (int i = 0; i < kProfileCount; ++i) {
        std::string path = settled.m_szPath[i];
        if (!path.empty() && path.back() == ',') {
            path.pop_back();
        }
        Check(path == c.m_szPath[i]);
    }
    std::memcpy(settled.m_szPath, c.m_szPath, sizeof settled.m_szPath);
    Check(c == settled);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    wb::fuzz::ForbidMessages();
    Run(CTrackerConfig(), data, size);
    Run(UnusualRecord(), data, size);
    return 0;
}
