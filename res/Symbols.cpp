// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/Symbols.h"

namespace wb::res {
namespace {

// symbols.dat's fixed palette: one character per pixel. Any other character is transparent.
struct PaletteEntry {
    char c;
    std::uint32_t rgb;
};
constexpr PaletteEntry kPalette[] = {
    {'q', 0x000000}, {'m', 0xFFFFFF}, {'c', 0xCCCCCC}, {'p', 0x454545}, {'o', 0x5A5A5A},
    {'n', 0x878787}, {'j', 0xEE0000}, {'d', 0xCD0000}, {'e', 0xFF4040}, {'f', 0xCD3333},
    {'a', 0xCD6500}, {'#', 0xFFFF00}, {'k', 0x00CD00}, {'i', 0x006400}, {'r', 0x32CD32},
    {'h', 0x00BFFF}, {'l', 0x0000CD}, {'g', 0x00008B}, {'b', 0xA020F0},
};

constexpr const char kNeutral[] =
    "...................."
    ".nn.nn.nn.nn.nn.nn.."
    ".n................n."
    "...................."
    ".n................n."
    ".n................n."
    "...................."
    ".n................n."
    ".n................n."
    "...................."
    ".n................n."
    ".n................n."
    "...................."
    ".n................n."
    ".n................n."
    "...................."
    ".n................n."
    "..nn.nn.nn.nn.nn.nn."
    "...................."
    "....................";
static_assert(sizeof kNeutral == kSymbolSize * kSymbolSize + 1);

}  // namespace

bool IsOverlayCharacter(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
}

SymbolLook LookUpSymbol(char code, char table) {
    SymbolLook look;
    if (IsOverlayCharacter(table)) {
        look.overlay = table;
        table = kAlternateTable;
    }
    for (const SymbolRecord& s : SymbolRecords()) {
        if (s.table == table && s.code == code) {
            look.symbol = &s;
            return look;
        }
    }
    return {};
}

std::string DescribeSymbol(const SymbolLook& look) {
    if (look.symbol == nullptr) {
        return kNotAprsSymbol;
    }
    std::string text = look.symbol->name;
    if (look.overlay != '\0') {
        text += ", overlay ";
        text += look.overlay;
    }
    return text;
}

std::uint32_t PaletteColour(char c) {
    for (const PaletteEntry& p : kPalette) {
        if (p.c == c) {
            return p.rgb << 8 | 0xFFu;
        }
    }
    return 0;
}

const char* NeutralPixels() {
    return kNeutral;
}

const char* OverlayPixels(char c) {
    for (const SymbolRecord& s : OverlayRecords()) {
        if (s.code == c) {
            return s.pixels;
        }
    }
    return nullptr;
}

}  // namespace wb::res
