// SPDX-License-Identifier: GPL-3.0-or-later
// The symbols converted from the real symbols.dat, and what the form's two characters stand for.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>

#include "res/Symbols.h"

namespace wb::res {
namespace {

bool IsPaletteOrTransparent(char c) {
    return PaletteColour(c) != 0 || c == '.' || c == '~' || c == ' ';
}

TEST(Symbols, EveryNamedSymbolHasATwentyByTwentyPicture) {
    std::set<std::pair<char, char>> seen;
    int primary = 0;
    for (const SymbolRecord& s : SymbolRecords()) {
        SCOPED_TRACE((std::string{s.table, s.code}));
        ASSERT_TRUE(s.table == kPrimaryTable || s.table == kAlternateTable);
        primary += s.table == kPrimaryTable ? 1 : 0;
        EXPECT_TRUE(s.code >= '!' && s.code <= '~');
        EXPECT_TRUE(seen.insert({s.table, s.code}).second) << "twice";
        EXPECT_GT(std::strlen(s.name), 0u);
        ASSERT_EQ(std::strlen(s.pixels), std::size_t{kSymbolSize * kSymbolSize});
        int opaque = 0;
        for (const char* p = s.pixels; *p != '\0'; ++p) {
            EXPECT_TRUE(IsPaletteOrTransparent(*p)) << *p;
            opaque += PaletteColour(*p) != 0 ? 1 : 0;
        }
        EXPECT_GT(opaque, 0);
    }
    // Xastir 2.1.8 names 85 primary and 74 alternate symbols.
    EXPECT_GE(primary, 80);
    EXPECT_GE(static_cast<int>(seen.size()) - primary, 70);
    std::string overlays;
    for (const SymbolRecord& s : OverlayRecords()) {
        EXPECT_EQ(std::strlen(s.pixels), std::size_t{kSymbolSize * kSymbolSize});
        overlays += s.code;
    }
    EXPECT_EQ(overlays, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
}

TEST(Symbols, TheTwoCharactersNameASymbolOrNone) {
    const struct {
        char code, table;
        const char* described;
    } cases[] = {
        {'>', '/', "Car"},
        {'-', '/', "House QTH (VHF)"},
        {'k', '\\', "SUV"},
        {'#', 'S', "Digi (green star) (w overlay), overlay S"},
        {'>', '0', "Car (w overlay), overlay 0"},
        {'"', '/', kNotAprsSymbol},   // reserved
        {'D', '/', kNotAprsSymbol},   // reserved, without a name
        {'>', 'a', kNotAprsSymbol},   // overlays are digits and capitals
        {'>', 'x', kNotAprsSymbol},   // no table
        {'>', '\0', kNotAprsSymbol},  // an empty Table / Overlay field
        {'\0', '/', kNotAprsSymbol},  // an empty Symbol field
        {' ', '/', kNotAprsSymbol},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((std::string{c.code, c.table}));
        const SymbolLook look = LookUpSymbol(c.code, c.table);
        EXPECT_EQ(DescribeSymbol(look), c.described);
        EXPECT_EQ(look.symbol == nullptr, c.described == std::string(kNotAprsSymbol));
        if (look.symbol != nullptr) {
            EXPECT_EQ(look.symbol->code, c.code);
        }
    }
}

TEST(Symbols, PaletteGivesOpaqueColoursAndTransparency) {
    EXPECT_EQ(PaletteColour('q'), 0x000000FFu);
    EXPECT_EQ(PaletteColour('#'), 0xFFFF00FFu);
    EXPECT_EQ(PaletteColour('b'), 0xA020F0FFu);
    EXPECT_EQ(PaletteColour('.'), 0u);
    EXPECT_EQ(PaletteColour('z'), 0u);
}

}  // namespace
}  // namespace wb::res
