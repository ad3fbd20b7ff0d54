// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <climits>

#include "config/DecimalText.h"

TEST(DecimalText, ReadsLikeStrtolUpToTheFirstNonDigit) {
    EXPECT_EQ(ParseDecimal("15"), 15);
    EXPECT_EQ(ParseDecimal(" \t\n\v\f\r+12x"), 12);
    EXPECT_EQ(ParseDecimal("-7,3"), -7);
    EXPECT_EQ(ParseDecimal("007"), 7);
    EXPECT_EQ(ParseDecimal(""), 0);
    EXPECT_EQ(ParseDecimal("x5"), 0);
    EXPECT_EQ(ParseDecimal("- 5"), 0);
    EXPECT_EQ(ParseDecimal("+-3"), 0);
}

TEST(DecimalText, LongRunsSaturateInsteadOfWrapping) {
    EXPECT_EQ(ParseDecimal("2147483647"), INT_MAX);
    EXPECT_EQ(ParseDecimal("2147483648"), INT_MAX);
    EXPECT_EQ(ParseDecimal("4294967301"), INT_MAX);  // wraps to 5 in 32 bits
    EXPECT_EQ(ParseDecimal("99999999999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseDecimal("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseDecimal("-2147483649"), INT_MIN);
    EXPECT_EQ(ParseDecimal("-18446744073709551615"), INT_MIN);
}
