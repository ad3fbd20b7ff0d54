// SPDX-License-Identifier: GPL-3.0-or-later
// Records with every field drawn at random, for round-trip properties.
#pragma once

#include <climits>
#include <cstring>
#include <random>

#include "config/TrackerConfig.h"

namespace wb::test {

class RandomRecords {
public:
    explicit RandomRecords(unsigned seed) : m_random(seed) {}

    // Texts of any bytes but NUL and of any length they can hold, zero-filled behind, as the
    // setters leave them; flags 0 or 1; integers anywhere in int, often small.
    CTrackerConfig Next() {
        CTrackerConfig c;
        c.m_nCalibration = Int();
        for (int i = 0; i < kProfileCount; ++i) {
            Text(c.m_szCallsign[i], kCallsignSize);
            Text(c.m_szPath[i], kPathSize);
            Text(c.m_szStatus[i], kStatusSize);
            for (int* field :
                 {&c.m_nTxDelay[i], &c.m_nMicEMessage[i], &c.m_nMicEPath[i], &c.m_nStatusEvery[i],
                  &c.m_nTxInterval[i], &c.m_nSlotOffset[i], &c.m_nSlowSpeed[i], &c.m_nFastSpeed[i],
                  &c.m_nSlowRate[i], &c.m_nFastRate[i], &c.m_nMinTurnAngle[i], &c.m_nTurnSlope[i],
                  &c.m_nMinTurnTime[i], &c.m_nQuietTime[i]}) {
                *field = Int();
            }
            c.m_cSymbol[i] = static_cast<char>(Below(256));
            c.m_cSymbolTable[i] = static_cast<char>(Below(256));
            for (BYTE* flag : {&c.m_bForcePrintable[i], &c.m_bValidOnly[i], &c.m_bTimeSlot[i],
                               &c.m_bSlotMinute[i], &c.m_bSlotTenMinute[i], &c.m_bSmartBeacon[i],
                               &c.m_bAltitude[i], &c.m_bMicE[i]}) {
                *flag = static_cast<BYTE>(Below(2));
            }
        }
        if (Below(4) == 0) {  // often a shared block and text, as the encoder treats specially
            std::memcpy(c.m_szCallsign[1], c.m_szCallsign[0], kCallsignSize);
            std::memcpy(c.m_szPath[1], c.m_szPath[0], kPathSize);
            std::memcpy(c.m_szStatus[1], c.m_szStatus[0], kStatusSize);
        }
        return c;
    }

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

private:
    int Int() {
        switch (Below(3)) {
            case 0:
                return std::uniform_int_distribution<int>(INT_MIN, INT_MAX)(m_random);
            case 1:
                return Below(20) - 2;
            default:
                return Below(70000);
        }
    }

    void Text(char* text, int size) {
        std::memset(text, 0, static_cast<std::size_t>(size));
        const int length = Below(4) == 0 ? size - 1 : Below(size);
        for (int k = 0; k < length; ++k) {
            // Mostly what callsigns and paths are made of, so that the encoder accepts them.
            text[k] = Below(3) == 0 ? static_cast<char>(1 + Below(255)) : "AZ09-,*"[Below(7)];
        }
    }

    std::mt19937 m_random;
};

}  // namespace wb::test
