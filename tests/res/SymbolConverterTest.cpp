// SPDX-License-Identifier: GPL-3.0-or-later
// The converter on symbols-small.dat: which entries it keeps, their names, and their pictures row
// for row (the file's pictures are diagonals or solid colours, so a shifted row shows).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/Symbols.h"

namespace wb::res {
namespace {

std::string Row(const char* pixels, int row) {
    return std::string(pixels + row * kSymbolSize, kSymbolSize);
}

std::string Diagonal(char c, int row) {
    std::string line(kSymbolSize, '.');
    line[static_cast<std::size_t>(row)] = c;
    return line;
}

TEST(SymbolConverter, KeepsTheNamedSymbolsOfBothTablesInFileOrder) {
    std::vector<std::string> kept;
    for (const SymbolRecord& s : SymbolRecords()) {
        kept.push_back(std::string{s.table, s.code, ' '} + s.name);
    }
    // Not the file's own marker (table !), the reserved " or the unnamed ]; the facing mark, the
    // SSID hint and Xastir's [use] are no part of a name.
    const std::vector<std::string> expected = {
        "/! Police, Sheriff",
        "/> Car",
        "/; Campground (Portable Ops!)",
        "/\\ Triangle (DF station)",
        "/[ Jogger",
        "\\k SUV",
        "\\# Digi (green star) (w overlay)",
    };
    EXPECT_EQ(kept, expected);
}

TEST(SymbolConverter, KeepsTwentyRowsOfTwentyPixelsEach) {
    for (int row = 0; row < kSymbolSize; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(Row(LookUpSymbol('!', '/').symbol->pixels, row), Diagonal('q', row));
        EXPECT_EQ(Row(LookUpSymbol('k', '\\').symbol->pixels, row), Diagonal('r', row));
        EXPECT_EQ(Row(OverlayPixels('S'), row), Diagonal('m', row));
        // A short row is padded with transparent pixels; a row past the twentieth is dropped.
        std::string triangle(kSymbolSize, 'h');
        triangle.back() = row == 2 ? '.' : 'h';
        EXPECT_EQ(Row(LookUpSymbol('\\', '/').symbol->pixels, row), triangle);
        EXPECT_EQ(Row(LookUpSymbol('[', '/').symbol->pixels, row), std::string(20, 'b'));
    }
}

TEST(SymbolConverter, KeepsOnlyTheOverlayCharacters) {
    std::string codes;
    for (const SymbolRecord& s : OverlayRecords()) {
        codes += s.code;
    }
    EXPECT_EQ(codes, "0S");
    EXPECT_EQ(OverlayPixels('>'), nullptr);
}

}  // namespace
}  // namespace wb::res
