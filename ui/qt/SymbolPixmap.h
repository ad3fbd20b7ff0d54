// SPDX-License-Identifier: GPL-3.0-or-later
// A symbol's picture as a pixmap for a widget: drawn at the largest whole scale that fits
// `logicalScale` times 20 logical pixels on the widget's screen, each of its pixels one screen
// pixel, so that it stays crisp.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "res/Symbols.h"

namespace wb::ui {

QPixmap SymbolPixmap(const res::SymbolLook& look, const QWidget* widget, int logicalScale = 1);

}  // namespace wb::ui
