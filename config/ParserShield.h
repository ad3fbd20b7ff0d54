// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the text parser (toml++ 3.3) away from characters it cannot look at safely.
//
// Its test for non-ASCII white space is a generated table that is wrong for three blocks of
// code points (U+00A1 to U+0499, and two more near U+2C5E and U+FC86): for them it reaches
// __builtin_unreachable, which is undefined behaviour. It runs that test wherever it looks for
// white space: while reading a key (quoted ones too), after a value, in a multi-line string after
// a line-ending backslash. Latin-1 letters such as "é" lie in the first block, and a status text
// may well hold them. So before parsing, every character of those blocks is moved to a code
// point of a private-use block that the table handles (it is no white space either), and the
// values read are moved back. The build stops when toml++ is another version
// (ConfigTextReader.cpp), so that this is looked at again.
#pragma once

#include <string>
#include <string_view>

namespace wb::text {

// `text` with every such character moved. Malformed UTF-8 is passed on for the parser to refuse.
// Returns false, with the line in `line`, when the text already holds a character of the
// private-use block that the moved characters take (U+E000 to U+EBFF), which no configuration
// can hold and which would otherwise come back as another character.
bool ShieldText(std::string_view text, std::string& shielded, int& line);

// The character that `code` stood for before ShieldText (itself for all others).
char32_t Unshield(char32_t code);

}  // namespace wb::text
