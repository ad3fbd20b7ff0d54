// SPDX-License-Identifier: GPL-3.0-or-later
// A symbol's picture as pixels a front end puts on the screen as they are: every symbol pixel a
// square of whole screen pixels, so that it stays crisp at any scale.
#pragma once

#include <cstdint>
#include <vector>

#include "res/Symbols.h"

namespace wb::ui {

// Rows from the top, 4 bytes a pixel: red, green, blue, alpha (0 or 255, not premultiplied).
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

// The symbol, its overlay character over it, at `scale` screen pixels per picture pixel (at
// least 1). What is not an APRS symbol shows the neutral picture.
RgbaImage DrawSymbol(const res::SymbolLook& look, int scale);

// The largest whole scale that keeps the picture at most `logicalScale` times its size in
// logical pixels on a screen of this device pixel ratio; at least 1.
int WholeScale(double devicePixelRatio, int logicalScale = 1);

}  // namespace wb::ui
