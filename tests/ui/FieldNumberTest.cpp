#include <gtest/gtest.h>

#include <climits>

#include "ui/FieldNumber.h"

namespace wb::ui {
namespace {

TEST(FieldNumber, ReadsTheLeadingNumber) {
    EXPECT_EQ(ParseFieldNumber("250"), 250);
    EXPECT_EQ(ParseFieldNumber("12abc"), 12);
    EXPECT_EQ(ParseFieldNumber(" \t\n-7 8"), -7);
    EXPECT_EQ(ParseFieldNumber("+5"), 5);
    EXPECT_EQ(ParseFieldNumber("007"), 7);
}

TEST(FieldNumber, NoDigitsGiveZero) {
    EXPECT_EQ(ParseFieldNumber(""), 0);
    EXPECT_EQ(ParseFieldNumber("abc"), 0);
    EXPECT_EQ(ParseFieldNumber("-"), 0);
    EXPECT_EQ(ParseFieldNumber("- 5"), 0);
    EXPECT_EQ(ParseFieldNumber("x12"), 0);
}

TEST(FieldNumber, SaturatesInsteadOfWrapping) {
    EXPECT_EQ(ParseFieldNumber("2147483647"), INT_MAX);
    EXPECT_EQ(ParseFieldNumber("2147483648"), INT_MAX);
    EXPECT_EQ(ParseFieldNumber("4294967296"), INT_MAX);  // would wrap to 0
    EXPECT_EQ(ParseFieldNumber("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseFieldNumber("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseFieldNumber("-2147483649"), INT_MIN);
    EXPECT_EQ(ParseFieldNumber("-99999999999999999999999"), INT_MIN);
}

}  // namespace
}  // namespace wb::ui
