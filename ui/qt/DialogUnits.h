// SPDX-License-Identifier: GPL-3.0-or-later
// Dialog units to pixels, the way dialog templates have always been laid out: one horizontal unit
// is a quarter of the font's average character width, one vertical unit an eighth of its height.
#pragma once

#include <QFont>
#include <QRect>

namespace wb::ui {

struct BaseUnits {
    int x;  // average width of "A".."Z" and "a".."z", rounded
    int y;  // font height
};

BaseUnits BaseUnitsOf(const QFont& font);

int DluToPixelsX(int dlu, BaseUnits units);
int DluToPixelsY(int dlu, BaseUnits units);
QRect DluToPixels(const QRect& dlu, BaseUnits units);

}  // namespace wb::ui
