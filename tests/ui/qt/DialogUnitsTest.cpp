// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFont>

#include "ui/qt/DialogUnits.h"

namespace wb::ui {
namespace {

TEST(DialogUnits, ConvertWithTheBaseUnitsRoundingHalvesUp) {
    const BaseUnits classic{6, 13};  // the classic 8-point dialog font
    EXPECT_EQ(DluToPixelsX(402, classic), 603);
    EXPECT_EQ(DluToPixelsY(241, classic), 392);  // 391.625
    EXPECT_EQ(DluToPixelsX(1, classic), 2);      // 1.5
    EXPECT_EQ(DluToPixelsY(4, classic), 7);      // 6.5
    EXPECT_EQ(DluToPixelsX(0, classic), 0);
    EXPECT_EQ(DluToPixels(QRect(50, 25, 60, 13), classic), QRect(75, 41, 90, 21));
}

TEST(DialogUnits, BaseUnitsFollowTheFont) {
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(11);
    QFont large = small;
    large.setPixelSize(22);
    const BaseUnits s = BaseUnitsOf(small);
    const BaseUnits l = BaseUnitsOf(large);
    EXPECT_GT(s.x, 0);
    EXPECT_GT(s.y, s.x);
    // Twice the font, about twice the units: a layout in dialog units scales with its font.
    EXPECT_NEAR(l.x, 2 * s.x, 1);
    EXPECT_NEAR(l.y, 2 * s.y, 2);
}

}  // namespace
}  // namespace wb::ui
