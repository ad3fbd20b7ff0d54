// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/SymbolIcon.h"

#include "ui/SymbolPicture.h"
#include "ui/win32/MainIcon.h"

namespace wb::ui {

HICON MakeSymbolIcon(const res::SymbolLook& look, HWND window, int logicalScale) {
    HDC dc = GetDC(window);
    const int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    ReleaseDC(window, dc);
    const RgbaImage picture = DrawSymbol(look, WholeScale(dpi / 96.0, logicalScale));
    ArgbImage image;
    image.width = picture.width;
    image.height = picture.height;
    image.pixels.reserve(picture.rgba.size() / 4);
    for (std::size_t at = 0; at < picture.rgba.size(); at += 4) {
        const auto* p = &picture.rgba[at];
        image.pixels.push_back(static_cast<std::uint32_t>(p[3]) << 24 |
                               static_cast<std::uint32_t>(p[0]) << 16 |
                               static_cast<std::uint32_t>(p[1]) << 8 | p[2]);
    }
    return MakeIcon(image);
}

int IconSize(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP bitmap{};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor != nullptr) {
        DeleteObject(info.hbmColor);
    }
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

}  // namespace wb::ui
