// SPDX-License-Identifier: GPL-3.0-or-later
// CTrackerConfig::DecodeImage: a 128-byte device image into the record.
#include <cstdio>
#include <cstring>
#include <string>

#include "AddressText.h"
#include "DeviceUnits.h"
#include "ImageLayout.h"
#include "TrackerConfig.h"

using namespace wb::image;

namespace {

static_assert(kAddressTextSize <= kCallsignSize, "a decoded callsign always fits the record");

// Reads one profile out of the image into `c`. Every read is checked against the image's end
// and every text against its array first; returns what is damaged, or nullptr.
class ProfileReader {
public:
    ProfileReader(const BYTE* image, int profile, CTrackerConfig& c)
        : image_(image), i_(profile), c_(c) {}

    const char* Read() {
        if (const char* damage = ReadAddresses()) {
            return damage;
        }
        if (const char* damage = ReadStatus()) {
            return damage;
        }
        ReadHeader();
        return ReadExtensionArea();
    }

private:
    // True when `n` bytes at `offset` lie inside the image.
    static bool Inside(int offset, int n) { return offset + n <= kSize; }

    int Word(int offset) const { return image_[offset] + 256 * image_[offset + 1]; }

    const char* ReadAddresses() {
        int at = image_[kAddressOffset + i_];
        if (!Inside(at, kFieldSize)) {
            return "callsign lies outside the 128 bytes";
        }
        char text[kAddressTextSize];
        bool end = DecodeAddressField(image_ + at, text);
        std::strcpy(c_.m_szCallsign[i_], text);

        std::string path;
        while (!end) {
            at += kFieldSize;
            if (!Inside(at, kFieldSize)) {
                return "digipeater path does not end inside the 128 bytes";
            }
            end = DecodeAddressField(image_ + at, text);
            // An empty first field leaves no trace, an empty later one two commas in a row.
            if (!path.empty()) {
                path += ',';
            }
            path += text;
            if (path.size() >= static_cast<std::size_t>(kPathSize)) {
                return "digipeater path is longer than 99 characters";
            }
        }
        std::strcpy(c_.m_szPath[i_], path.c_str());
        return nullptr;
    }

    const char* ReadStatus() {
        const int at = image_[kStatusOffset + i_];
        if (!Inside(at, 1)) {
            return "status text lies outside the 128 bytes";
        }
        const void* zero = std::memchr(image_ + at, 0, static_cast<std::size_t>(kSize - at));
        if (zero == nullptr) {
            return "status text does not end inside the 128 bytes";
        }
        // Shorter than the array: an image has fewer than 128 - 28 bytes behind its header.
        std::strcpy(c_.m_szStatus[i_], reinterpret_cast<const char*>(image_ + at));
        return nullptr;
    }

    void ReadHeader() {
        c_.m_nCalibration = image_[kCalibration];  // the Secondary's copy is never read
        c_.m_nTxDelay[i_] = UnitsToTxDelay(image_[kTxDelay + i_]);
        c_.m_nMicEMessage[i_] = image_[kMicEMessage + i_];
        c_.m_nMicEPath[i_] = image_[kMicEPath + i_];
        c_.m_cSymbol[i_] = Printable(image_[kSymbol + i_], '-');
        c_.m_cSymbolTable[i_] = Printable(image_[kSymbolTable + i_], '/');
        c_.m_nStatusEvery[i_] = image_[kStatusEvery + i_];
        c_.m_nTxInterval[i_] = image_[kIntervalLow + i_] + 256 * image_[kIntervalHigh + i_];
        c_.m_nQuietTime[i_] = UnitsToQuietTime(image_[kQuietTime + i_]);

        const BYTE flags = image_[kFlags + i_];
        c_.m_bForcePrintable[i_] = Bit(flags, kFlagForcePrintable);
        c_.m_bValidOnly[i_] = Bit(flags, kFlagValidOnly);
        c_.m_bTimeSlot[i_] = Bit(flags, kFlagTimeSlot);
        c_.m_bSlotMinute[i_] = Bit(flags, kFlagSlotMinute);
        c_.m_bSlotTenMinute[i_] = Bit(flags, kFlagSlotTenMinute);
        c_.m_bSmartBeacon[i_] = Bit(flags, kFlagSmartBeacon);
        c_.m_bAltitude[i_] = Bit(flags, kFlagAltitude);
        c_.m_bMicE[i_] = Bit(flags, kFlagMicE);
    }

    // Settings that are switched off keep the values the record held before.
    const char* ReadExtensionArea() {
        int at = image_[kExtensionOffset + i_];
        if (c_.m_bSmartBeacon[i_] != 0) {
            if (!Inside(at, kSmartSize)) {
                return "SmartBeaconing settings lie outside the 128 bytes";
            }
            const BYTE* smart = image_ + at;
            c_.m_nSlowSpeed[i_] = smart[kSmartSlowSpeed];
            c_.m_nFastSpeed[i_] = smart[kSmartFastSpeed];
            c_.m_nSlowRate[i_] = Word(at + kSmartSlowRate);
            c_.m_nFastRate[i_] = Word(at + kSmartFastRate);
            c_.m_nMinTurnAngle[i_] = smart[kSmartMinTurnAngle];
            c_.m_nTurnSlope[i_] = Word(at + kSmartTurnSlope);
            c_.m_nMinTurnTime[i_] = smart[kSmartMinTurnTime];
            // The slot word follows the SmartBeaconing bytes, where the encoder puts it.
            at += kSmartSize;
        }
        if (c_.m_bTimeSlot[i_] != 0) {
            if (!Inside(at, kSlotWordSize)) {
                return "time slot lies outside the 128 bytes";
            }
            c_.m_nSlotOffset[i_] = c_.m_nTxInterval[i_] - Word(at) + 1;
        }
        return nullptr;
    }

    static char Printable(BYTE b, char fallback) {
        return b < 0x20 || b >= 0x80 ? fallback : static_cast<char>(b);
    }

    static BYTE Bit(BYTE flags, BYTE mask) { return (flags & mask) != 0 ? 1 : 0; }

    const BYTE* image_;
    int i_;
    CTrackerConfig& c_;
};

}  // namespace

bool CTrackerConfig::DecodeImage(const BYTE* image, int size, wb::Messages& told) {
    if (size != kSize) {
        char text[32];
        std::snprintf(text, sizeof text, "Bad EE Size %d\n", size);
        told.push_back({text, {}, {}});
        return true;
    }
    // Decoded apart and taken over only when the whole image reads cleanly.
    CTrackerConfig decoded = *this;
    for (int i = 0; i < kProfileCount; ++i) {
        if (const char* damage = ProfileReader(image, i, decoded).Read()) {
            told.push_back({std::string("The configuration image is damaged: the ") +
                                kProfileNames[i] + " " + damage + ".",
                            {},
                            {}});
            return true;
        }
    }
    decoded.m_bCalDirty = 0;
    *this = decoded;
    return false;
}
