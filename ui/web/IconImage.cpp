// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/web/IconImage.h"

#include <array>
#include <cstdio>
#include <map>
#include <string>

#include "res/Resources.h"

namespace wb::web {

// The XPM header ("width height colours 1"), one line per colour ("X c #RRGGBB" or "X c None"),
// then the rows.
IconImage LoadMainIcon() {
    const char* const* xpm = res::MainIconXpm32();
    IconImage image;
    int colours = 0;
    int perPixel = 0;
    if (std::sscanf(xpm[0], "%d %d %d %d", &image.width, &image.height, &colours, &perPixel) != 4 ||
        perPixel != 1) {
        return {};
    }
    std::map<char, std::array<unsigned char, 4>> palette;
    for (int i = 1; i <= colours; ++i) {
        const std::string line = xpm[i];
        unsigned rgb = 0;
        const bool none = line.find("None") != std::string::npos;
        const std::size_t hash = line.find('#');
        if (!none && hash != std::string::npos) {
            std::sscanf(line.c_str() + hash + 1, "%6x", &rgb);
        }
        palette[line[0]] = {static_cast<unsigned char>(rgb >> 16),
                            static_cast<unsigned char>(rgb >> 8), static_cast<unsigned char>(rgb),
                            static_cast<unsigned char>(none ? 0 : 255)};
    }
    image.rgba.reserve(static_cast<std::size_t>(image.width * image.height * 4));
    for (int y = 0; y < image.height; ++y) {
        const char* row = xpm[1 + colours + y];
        for (int x = 0; x < image.width; ++x) {
            const auto& pixel = palette[row[x]];
            image.rgba.insert(image.rgba.end(), pixel.begin(), pixel.end());
        }
    }
    return image;
}

}  // namespace wb::web
