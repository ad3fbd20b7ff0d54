// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <climits>

#include "config/DeviceUnits.h"

TEST(DeviceUnits, KeyupDelay) {
    EXPECT_EQ(TxDelayToUnits(0), 0);
    EXPECT_EQ(TxDelayToUnits(1), 1);
    EXPECT_EQ(TxDelayToUnits(6), 1);
    EXPECT_EQ(TxDelayToUnits(7), 2);
    EXPECT_EQ(TxDelayToUnits(250), 38);
    EXPECT_EQ(TxDelayToUnits(1693), 254);
    EXPECT_EQ(TxDelayToUnits(1694), 255);
    EXPECT_EQ(TxDelayToUnits(INT_MAX), 255);
    EXPECT_EQ(TxDelayToUnits(-1), 0);
    EXPECT_EQ(TxDelayToUnits(INT_MIN), 0);

    EXPECT_EQ(UnitsToTxDelay(1), 7);
    EXPECT_EQ(UnitsToTxDelay(38), 253);
    EXPECT_EQ(UnitsToTxDelay(250), 1666);  // 1667 with the double value of 6.666
    EXPECT_EQ(UnitsToTxDelay(255), 1700);
}

TEST(DeviceUnits, QuietTime) {
    EXPECT_EQ(QuietTimeToUnits(0), 0);
    EXPECT_EQ(QuietTimeToUnits(1), 1);
    EXPECT_EQ(QuietTimeToUnits(26), 1);
    EXPECT_EQ(QuietTimeToUnits(1500), 58);
    EXPECT_EQ(QuietTimeToUnits(6680), 254);
    EXPECT_EQ(QuietTimeToUnits(6681), 255);
    EXPECT_EQ(QuietTimeToUnits(INT_MAX), 255);
    EXPECT_EQ(QuietTimeToUnits(-100), 0);

    EXPECT_EQ(UnitsToQuietTime(2), 53);
    EXPECT_EQ(UnitsToQuietTime(5), 131);  // 132 with the double value of 26.3
    EXPECT_EQ(UnitsToQuietTime(58), 1525);
    EXPECT_EQ(UnitsToQuietTime(255), 6706);  // 6707 likewise
}
