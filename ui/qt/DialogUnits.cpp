// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/DialogUnits.h"

#include <QFontMetrics>
#include <QString>

namespace wb::ui {
namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

BaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // Width of 52 letters / 26, plus one, halved: the average character width, rounded.
    return {(width / 26 + 1) / 2, metrics.height()};
}

int DluToPixelsX(int dlu, BaseUnits units) {
    return MulDiv(dlu, units.x, 4);
}
int DluToPixelsY(int dlu, BaseUnits units) {
    return MulDiv(dlu, units.y, 8);
}

QRect DluToPixels(const QRect& dlu, BaseUnits units) {
    return {DluToPixelsX(dlu.x(), units), DluToPixelsY(dlu.y(), units),
            DluToPixelsX(dlu.width(), units), DluToPixelsY(dlu.height(), units)};
}

}  // namespace wb::ui
