// SPDX-License-Identifier: GPL-3.0-or-later
// CTrackerConfig::EncodeImage: the record into the 128-byte device image.
#include <cstring>

#include "AddressText.h"
#include "DeviceUnits.h"
#include "ImageLayout.h"
#include "TrackerConfig.h"

using namespace wb::image;

namespace {

constexpr const char* kTruncatedText =
    "The Primary or Secondary Status Beacon text is too long and has been tuncated.  To have a "
    "longer status beacon text, use fewer digipeaters, and make the primary and secondary "
    "callsigns, digipeaters, or status texts identical.";
constexpr const char* kTruncatedCaption = "Status Beacon Text Truncated";
constexpr const char* kAddressesTooLongText =
    "The callsigns and digipeater paths are too long for the Wrenbeacon's memory.  Use fewer "
    "digipeaters, or give the primary and secondary profiles the same callsign and digipeaters "
    "so that they are stored only once.";

// The variable area behind the header, filled from byte 28 on. Extension areas and address
// blocks must leave byte 127 free for the status texts' terminating zero.
class VariableArea {
public:
    explicit VariableArea(BYTE* image) : image_(image) {}

    BYTE Position() const { return static_cast<BYTE>(p_); }

    // The next `n` bytes, or nullptr when they would reach byte 127.
    BYTE* Take(int n) {
        if (p_ + n > kLastByte) {
            return nullptr;
        }
        BYTE* at = image_ + p_;
        p_ += n;
        return at;
    }

    // Stores a status text and its zero; characters that would pass byte 126 are dropped.
    // Returns true when some were.
    bool PutStatus(const char* text) {
        bool cut = false;
        for (; *text != '\0'; ++text) {
            if (p_ < kLastByte) {
                image_[p_++] = static_cast<BYTE>(*text);
            } else {
                cut = true;
            }
        }
        image_[p_] = 0;
        if (p_ < kLastByte) {
            ++p_;
        }
        return cut;
    }

private:
    BYTE* image_;
    int p_ = kHeaderSize;
};

void PutWord(BYTE* at, int value) {
    at[0] = static_cast<BYTE>(value & 0xFF);
    at[1] = static_cast<BYTE>((value >> 8) & 0xFF);
}

// One address field for the token at the start of `text`; returns it, or nullptr when full.
BYTE* PutAddressField(VariableArea& area, const char* text) {
    BYTE* field = area.Take(kFieldSize);
    if (field != nullptr) {
        char callField[kCallFieldSize];
        int ssid = 0;
        ParseAddress(text, callField, ssid);
        EncodeAddressField(callField, ssid, field);
    }
    return field;
}

// The callsign's field, one field per comma-separated token of the path, the end bit on the
// last field, then the trailer. False when the block does not fit.
bool PutAddressBlock(VariableArea& area, const char* callsign, const char* path) {
    BYTE* last = PutAddressField(area, callsign);
    if (last == nullptr) {
        return false;
    }
    for (const char* cursor = path; *cursor != '\0';) {
        last = PutAddressField(area, cursor);
        if (last == nullptr) {
            return false;
        }
        cursor += std::strcspn(cursor, ",");
        if (*cursor == ',') {
            ++cursor;
        }
    }
    last[kSsidByte] |= kEndBit;
    BYTE* trailer = area.Take(kTrailerSize);
    if (trailer == nullptr) {
        return false;
    }
    std::memcpy(trailer, kBlockTrailer, kTrailerSize);
    return true;
}

BYTE FlagBit(BYTE flag, BYTE mask) {
    return flag != 0 ? mask : 0;
}

// The profile's SmartBeaconing settings and slot word, as far as they are switched on. With time
// slotting on and an interval other than 0 the slot flags are derived again from the interval.
bool PutExtensionArea(VariableArea& area, const CTrackerConfig& c, int i, BYTE& slotMinute,
                      BYTE& slotTenMinute) {
    if (c.m_bSmartBeacon[i] != 0) {
        BYTE* smart = area.Take(kSmartSize);
        if (smart == nullptr) {
            return false;
        }
        smart[kSmartSlowSpeed] = static_cast<BYTE>(c.m_nSlowSpeed[i]);
        smart[kSmartFastSpeed] = static_cast<BYTE>(c.m_nFastSpeed[i]);
        PutWord(smart + kSmartSlowRate, c.m_nSlowRate[i]);
        PutWord(smart + kSmartFastRate, c.m_nFastRate[i]);
        smart[kSmartMinTurnAngle] = static_cast<BYTE>(c.m_nMinTurnAngle[i]);
        PutWord(smart + kSmartTurnSlope, c.m_nTurnSlope[i]);
        smart[kSmartMinTurnTime] = static_cast<BYTE>(c.m_nMinTurnTime[i]);
    }
    if (c.m_bTimeSlot[i] != 0) {
        BYTE* slot = area.Take(kSlotWordSize);
        if (slot == nullptr) {
            return false;
        }
        // Unsigned, so that extreme values wrap instead of overflowing; 16 bits are kept.
        const unsigned word = static_cast<unsigned>(c.m_nTxInterval[i]) -
                              static_cast<unsigned>(c.m_nSlotOffset[i]) + 1u;
        PutWord(slot, static_cast<int>(word & 0xFFFFu));
        const int interval = c.m_nTxInterval[i];
        if (interval != 0) {
            slotMinute = 60 % interval == 0 ? 1 : 0;
            slotTenMinute = 600 % interval == 0 ? 1 : 0;
        }
    }
    return true;
}

BYTE FlagByte(const CTrackerConfig& c, int i, BYTE slotMinute, BYTE slotTenMinute) {
    return static_cast<BYTE>(
        FlagBit(c.m_bForcePrintable[i], kFlagForcePrintable) |
        FlagBit(c.m_bValidOnly[i], kFlagValidOnly) | FlagBit(c.m_bTimeSlot[i], kFlagTimeSlot) |
        FlagBit(slotMinute, kFlagSlotMinute) | FlagBit(slotTenMinute, kFlagSlotTenMinute) |
        FlagBit(c.m_bSmartBeacon[i], kFlagSmartBeacon) | FlagBit(c.m_bAltitude[i], kFlagAltitude) |
        FlagBit(c.m_bMicE[i], kFlagMicE));
}

int RefuseAddresses(wb::Messages& told) {
    told.push_back({kAddressesTooLongText, {}, {}});
    return 0;
}

}  // namespace

int CTrackerConfig::EncodeImage(BYTE* image, int capacity, wb::Messages& told) {
    if (capacity < kSize) {
        told.push_back({"Bad EE Size", {}, {}});
        return 0;
    }
    // Built apart and copied at the end, so that a refused record leaves the caller's buffer
    // and the record's derived flags as they were.
    BYTE built[kSize] = {};
    BYTE slotMinute[kProfileCount] = {m_bSlotMinute[0], m_bSlotMinute[1]};
    BYTE slotTenMinute[kProfileCount] = {m_bSlotTenMinute[0], m_bSlotTenMinute[1]};
    VariableArea area(built);

    for (int i = 0; i < kProfileCount; ++i) {
        built[kCalibration + i] = static_cast<BYTE>(m_nCalibration);
        built[kTxDelay + i] = static_cast<BYTE>(TxDelayToUnits(m_nTxDelay[i]));
        built[kIntervalLow + i] = static_cast<BYTE>(m_nTxInterval[i]);
        built[kIntervalHigh + i] = static_cast<BYTE>(m_nTxInterval[i] >> 8);
        built[kStatusEvery + i] = static_cast<BYTE>(m_nStatusEvery[i]);
        built[kMicEMessage + i] = static_cast<BYTE>(m_nMicEMessage[i]);
        built[kMicEPath + i] = static_cast<BYTE>(m_nMicEPath[i]);
        built[kSymbol + i] = static_cast<BYTE>(m_cSymbol[i]);
        built[kSymbolTable + i] = static_cast<BYTE>(m_cSymbolTable[i]);
        built[kQuietTime + i] = static_cast<BYTE>(QuietTimeToUnits(m_nQuietTime[i]));

        built[kExtensionOffset + i] = area.Position();
        if (!PutExtensionArea(area, *this, i, slotMinute[i], slotTenMinute[i])) {
            return RefuseAddresses(told);
        }
        built[kFlags + i] = FlagByte(*this, i, slotMinute[i], slotTenMinute[i]);

        // Shared on the texts as typed: 'nocall' and 'NOCALL' encode alike but are not shared.
        const bool sharesBlock = i == 1 && std::strcmp(m_szCallsign[0], m_szCallsign[1]) == 0 &&
                                 std::strcmp(m_szPath[0], m_szPath[1]) == 0;
        if (sharesBlock) {
            built[kAddressOffset + i] = built[kAddressOffset];
        } else {
            built[kAddressOffset + i] = area.Position();
            if (!PutAddressBlock(area, m_szCallsign[i], m_szPath[i])) {
                return RefuseAddresses(told);
            }
        }
    }

    bool cut = false;
    for (int g = 0; g < kProfileCount; ++g) {
        built[kStatusOffset + g] = area.Position();
        if (g == 1 && std::strcmp(m_szStatus[0], m_szStatus[1]) == 0) {
            built[kStatusOffset + g] = built[kStatusOffset];
        } else {
            cut = area.PutStatus(m_szStatus[g]) || cut;
        }
    }
    if (cut) {
        told.push_back({kTruncatedText, kTruncatedCaption, {}});
    }

    std::memcpy(image, built, kSize);
    for (int i = 0; i < kProfileCount; ++i) {
        m_bSlotMinute[i] = slotMinute[i];
        m_bSlotTenMinute[i] = slotTenMinute[i];
    }
    return kSize;
}
