// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrackerConfig.h"

#include <cstring>

namespace {

// Copies at most size - 1 characters of `text` and terminates the copy.
void CopyText(char* dest, int size, const char* text) {
    std::size_t n = std::strlen(text);
    if (n > static_cast<std::size_t>(size - 1)) {
        n = static_cast<std::size_t>(size - 1);
    }
    std::memcpy(dest, text, n);
    dest[n] = '\0';
}

}  // namespace

CTrackerConfig::CTrackerConfig() {
    m_nProfile = 0;
    m_nCalibration = 128;
    for (int i = 0; i < kProfileCount; ++i) {
        CopyText(m_szCallsign[i], kCallsignSize, "NOCALL");
        CopyText(m_szPath[i], kPathSize, "WIDE3-3");
        CopyText(m_szStatus[i], kStatusSize, "Wrenbeacon");
        m_nTxDelay[i] = 250;
        m_nMicEMessage[i] = 0;
        m_nMicEPath[i] = 0;
        m_cSymbol[i] = '-';
        m_cSymbolTable[i] = '/';
        m_nStatusEvery[i] = 3;
        m_nTxInterval[i] = 60;
        m_nSlotOffset[i] = 15;
        m_nSlowSpeed[i] = 2;
        m_nFastSpeed[i] = 65;
        m_nSlowRate[i] = 1800;
        m_nFastRate[i] = 90;
        m_nMinTurnAngle[i] = 27;
        m_nTurnSlope[i] = 255;
        m_nMinTurnTime[i] = 5;
        m_nQuietTime[i] = 1500;
        m_bForcePrintable[i] = 0;
        m_bValidOnly[i] = 1;
        m_bTimeSlot[i] = 0;
        m_bSlotMinute[i] = 0;
        m_bSlotTenMinute[i] = 0;
        m_bSmartBeacon[i] = 0;
        m_bAltitude[i] = 1;
        m_bMicE[i] = 1;
    }
    m_bCalDirty = 0;
}

void CTrackerConfig::SetCallsign(const char* text) {
    CopyText(m_szCallsign[m_nProfile & 1], kCallsignSize, text);
}

void CTrackerConfig::SetPath(const char* text) {
    CopyText(m_szPath[m_nProfile & 1], kPathSize, text);
}

void CTrackerConfig::SetStatus(const char* text) {
    CopyText(m_szStatus[m_nProfile & 1], kStatusSize, text);
}

int Clamp(int value, int low, int high) {
    if (value < low) {
        value = low;
    }
    if (value > high) {
        value = high;
    }
    return value;
}
