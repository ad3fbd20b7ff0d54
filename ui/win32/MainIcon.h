// SPDX-License-Identifier: GPL-3.0-or-later
// Icon 128 for Windows, made at run time from the XPM images in res/: 32 x 32 for the caption,
// the task bar and the About box, 16 x 16 for the small icon.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/win32/Win32.h"

namespace wb::ui {

// An image as 0xAARRGGBB pixels, rows from the top; alpha is 0 (transparent) or 255.
struct ArgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Reads an XPM image of one character per pixel whose colours are "#RRGGBB" or "None". Parts
// that do not fit that form give an empty image.
ArgbImage ReadXpm(const char* const* xpm);

// Null when the image is empty or the system refuses it. The caller destroys it.
HICON MakeIcon(const ArgbImage& image);

HICON LoadMainIcon();       // 32 x 32
HICON LoadSmallMainIcon();  // 16 x 16

}  // namespace wb::ui
