// SPDX-License-Identifier: GPL-3.0-or-later
// Icon 128 as pixels the page can draw.
#pragma once

#include <vector>

namespace wb::web {

struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;  // row by row, 4 bytes a pixel, transparent where "None"
};

// The 32 x 32 image of icon 128.
IconImage LoadMainIcon();

}  // namespace wb::web
