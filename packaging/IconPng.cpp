// SPDX-License-Identifier: GPL-3.0-or-later
// Writes one of the window's own pixel icons (icon 128) as a PNG for the desktop's icon theme, so
// that the menu shows at 16 and 32 px exactly what the window's title bar shows.
// Usage: wb_icon_png 16|32 OUT.png
#include <QImage>
#include <QString>
#include <cstdio>
#include <string_view>

#include "res/Resources.h"

int main(int argc, char* argv[]) {
    if (argc != 3 || (std::string_view(argv[1]) != "16" && std::string_view(argv[1]) != "32")) {
        std::fprintf(stderr, "usage: wb_icon_png 16|32 OUT.png\n");
        return 2;
    }
    const bool small = std::string_view(argv[1]) == "16";
    const QImage image(small ? wb::res::MainIconXpm16() : wb::res::MainIconXpm32());
    const int size = small ? 16 : 32;
    if (image.width() != size || image.height() != size) {
        std::fprintf(stderr, "wb_icon_png: icon 128 did not decode as %d x %d\n", size, size);
        return 1;
    }
    if (!image.convertToFormat(QImage::Format_ARGB32)
             .save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "wb_icon_png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
