// SPDX-License-Identifier: GPL-3.0-or-later
// The configuration record: everything the beacon can be told, both profiles and the shared
// calibration. Plain data with fixed-size text arrays; the window owns exactly one.
#pragma once

#include "core/MessageSink.h"
#include "core/Types.h"

inline constexpr int kProfileCount = 2;  // 0 = Primary, 1 = Secondary
// How messages name the profiles.
inline constexpr const char* kProfileNames[kProfileCount] = {"Primary", "Secondary"};
inline constexpr int kCallsignSize = 20;  // at most 19 characters and the NUL
inline constexpr int kPathSize = 100;     // at most 99
inline constexpr int kStatusSize = 200;   // at most 199

class CTrackerConfig {
public:
    CTrackerConfig();

    // Copy a text into the shown profile (m_nProfile), keeping at most 19, 99 or 199 characters.
    void SetCallsign(const char* text);
    void SetPath(const char* text);
    void SetStatus(const char* text);

    // Rewrites `text` in place as 'CALL' or 'CALL-n'; the result is never longer than the input.
    static void NormalizeAddress(char* text);

    // Record into the 128-byte device image. Returns 128, or 0 when there is no image. Tells
    // nobody: what the user should hear (why there is no image, or that a status text was cut)
    // is added to `told`, and the caller decides whether to show it.
    int EncodeImage(BYTE* image, int capacity, wb::Messages& told);
    // Device image into the record. Returns false on success, true when refused, with why added
    // to `told`; a refused image leaves the record as it was.
    bool DecodeImage(const BYTE* image, int size, wb::Messages& told);

    // Every field alike, the text arrays byte for byte (also past their NUL).
    bool operator==(const CTrackerConfig&) const = default;

    int m_nProfile{};
    char m_szCallsign[kProfileCount][kCallsignSize]{};
    char m_szPath[kProfileCount][kPathSize]{};
    char m_szStatus[kProfileCount][kStatusSize]{};
    int m_nCalibration{};
    int m_nTxDelay[kProfileCount]{};      // keyup delay, ms
    int m_nMicEMessage[kProfileCount]{};  // index into the MIC-E message list, -1 = none
    int m_nMicEPath[kProfileCount]{};     // index into the MIC-E path list, -1 = none
    char m_cSymbol[kProfileCount]{};
    char m_cSymbolTable[kProfileCount]{};
    int m_nStatusEvery[kProfileCount]{};   // transmissions
    int m_nTxInterval[kProfileCount]{};    // seconds
    int m_nSlotOffset[kProfileCount]{};    // seconds
    int m_nSlowSpeed[kProfileCount]{};     // MPH
    int m_nFastSpeed[kProfileCount]{};     // MPH
    int m_nSlowRate[kProfileCount]{};      // seconds
    int m_nFastRate[kProfileCount]{};      // seconds
    int m_nMinTurnAngle[kProfileCount]{};  // degrees
    int m_nTurnSlope[kProfileCount]{};
    int m_nMinTurnTime[kProfileCount]{};  // seconds
    int m_nQuietTime[kProfileCount]{};    // ms
    BYTE m_bForcePrintable[kProfileCount]{};
    BYTE m_bValidOnly[kProfileCount]{};
    BYTE m_bTimeSlot[kProfileCount]{};
    BYTE m_bSlotMinute[kProfileCount]{};     // derived from the slot offset or interval
    BYTE m_bSlotTenMinute[kProfileCount]{};  // derived from the slot offset or interval
    BYTE m_bSmartBeacon[kProfileCount]{};
    BYTE m_bAltitude[kProfileCount]{};
    BYTE m_bMicE[kProfileCount]{};
    BYTE m_bCalDirty{};  // the form's calibration differs from the device's last known value
};

// Reads one address token of `text` into a six-character call field (buffer of at least seven
// bytes, NUL-terminated) and an SSID from 0 to 15.
void ParseAddress(const char* text, char* callField, int& ssid);

// Raises `value` to `low`, then lowers it to `high`.
int Clamp(int value, int low, int high);
