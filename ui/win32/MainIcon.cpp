// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/MainIcon.h"

#include <cstdio>
#include <cstring>
#include <map>

#include "res/Resources.h"

namespace wb::ui {
namespace {

// "<char> c <colour>": the colour of one pixel character, or nothing when the line says otherwise.
bool ReadColour(const char* line, char& key, std::uint32_t& argb) {
    if (std::strlen(line) < 5 || line[1] != ' ' || line[2] != 'c' || line[3] != ' ') {
        return false;
    }
    key = line[0];
    const char* colour = line + 4;
    if (std::strcmp(colour, "None") == 0) {
        argb = 0;
        return true;
    }
    unsigned rgb = 0;
    int used = 0;
    if (std::sscanf(colour, "#%6x%n", &rgb, &used) != 1 || used != 7 || colour[7] != '\0') {
        return false;
    }
    argb = 0xFF000000u | rgb;
    return true;
}

}  // namespace

ArgbImage ReadXpm(const char* const* xpm) {
    int width = 0, height = 0, colours = 0, perPixel = 0;
    if (xpm == nullptr ||
        std::sscanf(xpm[0], "%d %d %d %d", &width, &height, &colours, &perPixel) != 4 ||
        perPixel != 1 || width <= 0 || height <= 0 || width > 256 || height > 256 || colours <= 0) {
        return {};
    }
    std::map<char, std::uint32_t> palette;
    for (int i = 1; i <= colours; ++i) {
        char key = 0;
        std::uint32_t argb = 0;
        if (!ReadColour(xpm[i], key, argb)) {
            return {};
        }
        palette[key] = argb;
    }
    ArgbImage image{width, height, {}};
    image.pixels.reserve(static_cast<std::size_t>(width * height));
    for (int y = 0; y < height; ++y) {
        const char* row = xpm[1 + colours + y];
        if (std::strlen(row) != static_cast<std::size_t>(width)) {
            return {};
        }
        for (int x = 0; x < width; ++x) {
            const auto found = palette.find(row[x]);
            if (found == palette.end()) {
                return {};
            }
            image.pixels.push_back(found->second);
        }
    }
    return image;
}

HICON MakeIcon(const ArgbImage& image) {
    if (image.pixels.empty()) {
        return nullptr;
    }
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = image.width;
    header.bV5Height = -image.height;  // rows from the top
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;

    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (colour == nullptr) {
        return nullptr;
    }
    std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof(std::uint32_t));

    // The AND mask, one bit per pixel in rows of whole words: 1 where the picture is transparent.
    const int stride = (image.width + 15) / 16 * 2;
    std::vector<BYTE> mask(static_cast<std::size_t>(stride * image.height), 0);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if ((image.pixels[static_cast<std::size_t>(y * image.width + x)] >> 24) == 0) {
                mask[static_cast<std::size_t>(y * stride + x / 8)] |=
                    static_cast<BYTE>(0x80 >> (x % 8));
            }
        }
    }
    HBITMAP andMask = CreateBitmap(image.width, image.height, 1, 1, mask.data());

    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = andMask;
    info.hbmColor = colour;
    HICON icon = andMask == nullptr ? nullptr : CreateIconIndirect(&info);
    DeleteObject(colour);
    if (andMask != nullptr) {
        DeleteObject(andMask);
    }
    return icon;
}

HICON LoadMainIcon() {
    return MakeIcon(ReadXpm(res::MainIconXpm32()));
}

HICON LoadSmallMainIcon() {
    return MakeIcon(ReadXpm(res::MainIconXpm16()));
}

}  // namespace wb::ui
