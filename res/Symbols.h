// SPDX-License-Identifier: GPL-3.0-or-later
// The APRS symbols: their names and 20 x 20 pictures (from Xastir's symbols.dat, converted by the
// build), and what the form's two characters, "Symbol:" and "Table / Overlay:", stand for.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace wb::res {

inline constexpr int kSymbolSize = 20;  // pixels across and down
inline constexpr char kPrimaryTable = '/';
inline constexpr char kAlternateTable = '\\';
inline constexpr const char* kNotAprsSymbol = "not an APRS symbol";

struct SymbolRecord {
    char table;          // kPrimaryTable, kAlternateTable, or '#' for an overlay character
    char code;           // '!' to '~'
    const char* name;    // the APRS reference's description; empty for overlay characters
    const char* pixels;  // 20 rows of 20 palette characters, top row first
};

// Every named symbol: the primary table, then the alternate one, each in the file's order.
std::span<const SymbolRecord> SymbolRecords();
// The pictures of the overlay characters 0-9 and A-Z, drawn small to lie over a symbol.
std::span<const SymbolRecord> OverlayRecords();

// What a pair of characters shows: a named symbol, or nothing (`symbol` null) when the table does
// not name it, it is reserved, or the table character is neither a table nor an overlay.
struct SymbolLook {
    const SymbolRecord* symbol = nullptr;
    char overlay = '\0';  // '0'-'9' or 'A'-'Z' over an alternate symbol
};

// `code` as the Symbol field holds it, `table` as the Table / Overlay field holds it: '/' the
// primary table, '\' the alternate one, '0'-'9' or 'A'-'Z' the alternate one with that overlay.
SymbolLook LookUpSymbol(char code, char table);

// "Car", "Digi (green star) (w overlay), overlay S", or kNotAprsSymbol.
std::string DescribeSymbol(const SymbolLook& look);

bool IsOverlayCharacter(char c);

// A palette character's colour as 0xRRGGBBAA; alpha is 0 (transparent) or 255.
std::uint32_t PaletteColour(char c);

// The picture for what is not an APRS symbol: a grey dashed square, in the same palette.
const char* NeutralPixels();

// The picture of an overlay character, or null.
const char* OverlayPixels(char c);

}  // namespace wb::res
