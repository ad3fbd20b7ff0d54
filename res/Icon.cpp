// SPDX-License-Identifier: GPL-3.0-or-later
// Icon 128: a receiver with its antenna (left) cabled to a small dark box with four lights, red,
// yellow, green and red, cabled on to a radio with its antenna (right). The large image carries the
// name below in two lines; at 16 x 16 there is room for the picture only. XPM text, drawn from the
// 16-colour palette.
#include <array>
#include <cstddef>

#include "res/Resources.h"

namespace wb::res {
namespace {

constexpr const char* kPalette[] = {
    "  c None",     // transparent
    ". c #000000",  // black: outlines, cables, the box
    "d c #808080",  // grey: the box rim, dials
    "s c #C0C0C0",  // silver: receiver and radio cases
    "t c #008080",  // teal: the receiver display
    "R c #800000",  // dark red: antenna tips
    "r c #FF0000",  // red light
    "y c #FFFF00",  // yellow light
    "g c #00FF00",  // green light
    "b c #000080",  // navy: the name
};

// clang-format off
constexpr const char* kRows32[] = {
    "                              R ",
    "                              . ",
    "  RRR                         . ",
    "  RRR                         . ",
    "   .                          . ",
    "   .                          . ",
    "   .                          . ",
    "   .                          . ",
    "   .                          . ",
    "   .                          . ",
    "   .     ddddddddddddddd      . ",
    "........ d.............d .......",
    ".ssssss. d.............d .sssss.",
    ".stttts. d.rr.yy.gg.rr.d .sddds.",
    ".stttts..d.rr.yy.gg.rr.d..sssss.",
    ".ssssss. d.............d .sddds.",
    ".sdsdss. d.............d .sssss.",
    "........ ddddddddddddddd .......",
    "                                ",
    "                                ",
    "       b   b bb  bbb b  b       ",
    "       b   b b b b   bb b       ",
    "       b b b bb  bb  b bb       ",
    "       b b b b b b   b  b       ",
    "        b b  b b bbb b  b       ",
    "                                ",
    "    bb  bbb  b   bb  b  b  b    ",
    "    b b b   b b b   b b bb b    ",
    "    bb  bb  bbb b   b b b bb    ",
    "    b b b   b b b   b b b  b    ",
    "    bb  bbb b b  bb  b  b  b    ",
    "                                ",
};
// clang-format on

// clang-format off
constexpr const char* kRows16[] = {
    "                ",
    "              R ",
    " R            . ",
    " .            . ",
    " .            . ",
    " .            . ",
    " .            . ",
    "....        ....",
    ".tt. dddddd .ss.",
    ".tt. drygrd .dd.",
    ".ss..d....d..ss.",
    ".ss. dddddd .ss.",
    "....        ....",
    "                ",
    "                ",
    "                ",
};
// clang-format on

// Header line ("width height colours 1"), then the palette, then the rows.
template <std::size_t Rows>
constexpr auto MakeXpm(const char* header, const char* const (&rows)[Rows]) {
    std::array<const char*, 1 + std::size(kPalette) + Rows> xpm{};
    std::size_t at = 0;
    xpm[at++] = header;
    for (const char* colour : kPalette) {
        xpm[at++] = colour;
    }
    for (const char* row : rows) {
        xpm[at++] = row;
    }
    return xpm;
}

constexpr auto kIcon32 = MakeXpm("32 32 10 1", kRows32);
constexpr auto kIcon16 = MakeXpm("16 16 10 1", kRows16);
static_assert(std::size(kPalette) == 10, "the headers above count the colours");

}  // namespace

const char* const* MainIconXpm32() {
    return kIcon32.data();
}
const char* const* MainIconXpm16() {
    return kIcon16.data();
}

}  // namespace wb::res
