// SPDX-License-Identifier: GPL-3.0-or-later
// The values the image cannot hold, at their limits: each warning names what the encoder and the
// decoder really make of the value, and a value at the limit is no warning.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ImageSupport.h"
#include "config/ValueChanges.h"

namespace {

using C = CTrackerConfig;

std::vector<std::string> Lines(const C& c) {
    std::vector<std::string> out;
    for (const wb::ValueChange& change : wb::ValueChanges(c)) {
        out.push_back(wb::DescribeChange(change));
    }
    return out;
}

TEST(ValueChanges, FieldsAtTheirLimitsAsTheImageHoldsThem) {
    const struct {
        void (*set)(C&);
        std::string (*field)(const C&);  // the field as a write reads it back
        const char* held;
        const char* warning;  // empty: none
    } cases[] = {
        {[](C& c) { c.m_nCalibration = 256; },
         [](const C& c) { return std::to_string(c.m_nCalibration); }, "0",
         "Calibration: stored as 0, not 256"},
        {[](C& c) { c.m_nStatusEvery[0] = 256; },
         [](const C& c) { return std::to_string(c.m_nStatusEvery[0]); }, "0",
         "Primary Send every: stored as 0, not 256"},
        {[](C& c) { c.m_nTxInterval[1] = 65535; },
         [](const C& c) { return std::to_string(c.m_nTxInterval[1]); }, "65535", ""},
        {[](C& c) { c.m_nTxInterval[1] = 65536; },
         [](const C& c) { return std::to_string(c.m_nTxInterval[1]); }, "0",
         "Secondary Transmit Every: stored as 0, not 65536"},
        {[](C& c) { c.m_nTxDelay[0] = 1700; },
         [](const C& c) { return std::to_string(c.m_nTxDelay[0]); }, "1700", ""},
        {[](C& c) { c.m_nTxDelay[0] = 1701; },
         [](const C& c) { return std::to_string(c.m_nTxDelay[0]); }, "1700",
         "Primary Keyup Delay (TXD): stored as 1700, not 1701"},
        {[](C& c) { c.m_nQuietTime[0] = 6706; },
         [](const C& c) { return std::to_string(c.m_nQuietTime[0]); }, "6706", ""},
        {[](C& c) { c.m_nQuietTime[0] = 6707; },
         [](const C& c) { return std::to_string(c.m_nQuietTime[0]); }, "6706",
         "Primary Quiet Time: stored as 6706, not 6707"},
        // -1 is "no entry selected", and reads back as no entry; other values keep 8 bits.
        {[](C& c) { c.m_nMicEMessage[0] = -1; },
         [](const C& c) { return std::to_string(c.m_nMicEMessage[0]); }, "255", ""},
        {[](C& c) { c.m_nMicEPath[0] = -2; },
         [](const C& c) { return std::to_string(c.m_nMicEPath[0]); }, "254",
         "Primary MIC-E Path: stored as 254, not -2"},
        // The slot word is interval - offset + 1: an offset past the interval + 1 wraps.
        {[](C& c) {
             c.m_bTimeSlot[0] = 1;
             c.m_nTxInterval[0] = 60;
             c.m_nSlotOffset[0] = 61;
         },
         [](const C& c) { return std::to_string(c.m_nSlotOffset[0]); }, "61", ""},
        {[](C& c) {
             c.m_bTimeSlot[0] = 1;
             c.m_nTxInterval[0] = 60;
             c.m_nSlotOffset[0] = 100;
         },
         [](const C& c) { return std::to_string(c.m_nSlotOffset[0]); }, "-65436",
         "Primary Transmit offset: stored as -65436, not 100"},
        {[](C& c) {
             c.m_bSmartBeacon[1] = 1;
             c.m_nFastRate[1] = 65536;
             c.m_nMinTurnTime[1] = 255;
         },
         [](const C& c) { return std::to_string(c.m_nFastRate[1]); }, "0",
         "Secondary Fast Rate: stored as 0, not 65536"},
        // A symbol byte the decoder does not keep reads back as the default; an empty field
        // (NUL) is that default by design.
        {[](C& c) { c.m_cSymbol[0] = static_cast<char>(0xE9); },
         [](const C& c) { return std::string(1, c.m_cSymbol[0]); }, "-",
         "Primary Symbol: stored as -"},
        {[](C& c) { c.m_cSymbolTable[0] = '\0'; },
         [](const C& c) { return std::string(1, c.m_cSymbolTable[0]); }, "/", ""},
    };
    for (const auto& c : cases) {
        C record;
        c.set(record);
        SCOPED_TRACE(c.warning);
        EXPECT_EQ(Lines(record), c.warning[0] == '\0' ? std::vector<std::string>{}
                                                      : std::vector<std::string>{c.warning});
        // What the warning says is what a write really leaves in the record.
        C written = record;
        C read;
        wb::test::Decode(read, wb::test::Encode(written));
        EXPECT_EQ(c.field(read), c.held);
    }
}

TEST(ValueChanges, SettingsSwitchedOffAreNotStoredAndNotListed) {
    C record;
    record.m_nFastRate[0] = 70000;   // SmartBeaconing off
    record.m_nSlotOffset[0] = 1000;  // time slotting off
    EXPECT_TRUE(Lines(record).empty());
    record.m_bSmartBeacon[0] = 1;
    record.m_bTimeSlot[0] = 1;
    record.m_nCalibration = -1;
    EXPECT_EQ(Lines(record), (std::vector<std::string>{
                                 "Calibration: stored as 255, not -1",
                                 "Primary Transmit offset: stored as -64536, not 1000",
                                 "Primary Fast Rate: stored as 4464, not 70000",
                             }));
}

}  // namespace
