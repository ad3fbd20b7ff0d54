// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SymbolPicture.h"

#include <algorithm>
#include <cmath>

namespace wb::ui {
namespace {

void Paint(RgbaImage& image, const char* pixels, int scale) {
    for (int y = 0; y < res::kSymbolSize; ++y) {
        for (int x = 0; x < res::kSymbolSize; ++x) {
            const std::uint32_t colour = res::PaletteColour(pixels[y * res::kSymbolSize + x]);
            if ((colour & 0xFFu) == 0) {
                continue;
            }
            for (int dy = 0; dy < scale; ++dy) {
                for (int dx = 0; dx < scale; ++dx) {
                    const auto at = (static_cast<std::size_t>(y * scale + dy) *
                                         static_cast<std::size_t>(image.width) +
                                     static_cast<std::size_t>(x * scale + dx)) *
                                    4;
                    image.rgba[at] = static_cast<std::uint8_t>(colour >> 24);
                    image.rgba[at + 1] = static_cast<std::uint8_t>(colour >> 16);
                    image.rgba[at + 2] = static_cast<std::uint8_t>(colour >> 8);
                    image.rgba[at + 3] = 0xFF;
                }
            }
        }
    }
}

}  // namespace

RgbaImage DrawSymbol(const res::SymbolLook& look, int scale) {
    scale = std::max(scale, 1);
    RgbaImage image;
    image.width = image.height = res::kSymbolSize * scale;
    image.rgba.assign(static_cast<std::size_t>(image.width * image.height) * 4, 0);
    Paint(image, look.symbol != nullptr ? look.symbol->pixels : res::NeutralPixels(), scale);
    if (look.symbol != nullptr && look.overlay != '\0') {
        if (const char* overlay = res::OverlayPixels(look.overlay)) {
            Paint(image, overlay, scale);
        }
    }
    return image;
}

int WholeScale(double devicePixelRatio, int logicalScale) {
    // A little slack, so that a ratio of 1.9999 from a rounding desktop still counts as 2.
    const double wanted = devicePixelRatio * std::max(logicalScale, 1) + 1e-3;
    return std::max(1, static_cast<int>(std::floor(wanted)));
}

}  // namespace wb::ui
