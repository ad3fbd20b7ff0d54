// Field-by-field comparison of two configuration records, naming the field that differs.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "config/TrackerConfig.h"

namespace wb::test {

inline void ExpectSameRecord(const CTrackerConfig& a, const CTrackerConfig& b) {
#define WB_SAME_TEXT(f)                                     \
    for (int p = 0; p < kProfileCount; ++p) {               \
        EXPECT_STREQ(a.f[p], b.f[p]) << #f "[" << p << "]"; \
    }
#define WB_SAME(f)                                         \
    for (int p = 0; p < kProfileCount; ++p) {              \
        EXPECT_EQ(+a.f[p], +b.f[p]) << #f "[" << p << "]"; \
    }
    WB_SAME_TEXT(m_szCallsign)
    WB_SAME_TEXT(m_szPath)
    WB_SAME_TEXT(m_szStatus)
    WB_SAME(m_nTxDelay)
    WB_SAME(m_nMicEMessage)
    WB_SAME(m_nMicEPath)
    WB_SAME(m_cSymbol)
    WB_SAME(m_cSymbolTable)
    WB_SAME(m_nStatusEvery)
    WB_SAME(m_nTxInterval)
    WB_SAME(m_nSlotOffset)
    WB_SAME(m_nSlowSpeed)
    WB_SAME(m_nFastSpeed)
    WB_SAME(m_nSlowRate)
    WB_SAME(m_nFastRate)
    WB_SAME(m_nMinTurnAngle)
    WB_SAME(m_nTurnSlope)
    WB_SAME(m_nMinTurnTime)
    WB_SAME(m_nQuietTime)
    WB_SAME(m_bForcePrintable)
    WB_SAME(m_bValidOnly)
    WB_SAME(m_bTimeSlot)
    WB_SAME(m_bSlotMinute)
    WB_SAME(m_bSlotTenMinute)
    WB_SAME(m_bSmartBeacon)
    WB_SAME(m_bAltitude)
    WB_SAME(m_bMicE)
#undef WB_SAME
#undef WB_SAME_TEXT
    EXPECT_EQ(a.m_nProfile, b.m_nProfile);
    EXPECT_EQ(a.m_nCalibration, b.m_nCalibration);
    EXPECT_EQ(+a.m_bCalDirty, +b.m_bCalDirty);
}

}  // namespace wb::test
