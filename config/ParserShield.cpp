// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/ParserShield.h"

#include <cstdint>

namespace wb::text {
namespace {

// The parser's table: code points from U+00A0 to U+FEFF fall into 64 blocks of 0x3FA. A block
// whose bit is set in kPlainBlocks holds no white space; U+00A0, U+3000 and U+FEFF are tested
// one by one; blocks 5 and 7 have cases of their own. The other blocks with a clear bit (0, 11
// and 63) end in the unreachable branch.
constexpr char32_t kTableStart = 0xA0;
constexpr char32_t kTableEnd = 0xFEFF;
constexpr char32_t kBlockSize = 0x3FA;
constexpr std::uint64_t kPlainBlocks = 0x7FFFFFFFFFFFF75Eull;

// Where the moved characters go: 0x400 code points per unsafe block, in blocks 56 to 59 of the
// table, whose bits are set.
constexpr char32_t kShieldStart = 0xE000;
constexpr char32_t kShieldEnd = 0xEBFF;
constexpr std::uint64_t kUnsafeBlocks[] = {0, 11, 63};

constexpr std::uint64_t Bit(std::uint64_t block) {
    return std::uint64_t{1} << block;
}
constexpr std::uint64_t BlockOf(char32_t c) {
    return (c - kTableStart) / kBlockSize;
}
static_assert(~kPlainBlocks == (Bit(0) | Bit(5) | Bit(7) | Bit(11) | Bit(63)),
              "the clear bits are the unsafe blocks and the two with cases of their own");
constexpr bool AllPlain(char32_t first, char32_t last) {
    for (std::uint64_t block = BlockOf(first); block <= BlockOf(last); ++block) {
        if ((kPlainBlocks & Bit(block)) == 0) {
            return false;
        }
    }
    return true;
}
static_assert(AllPlain(kShieldStart, kShieldEnd),
              "the moved characters land in blocks that hold no white space");

// The index into kUnsafeBlocks of the block `c` would crash the table in, or -1.
int UnsafeBlock(char32_t c) {
    if (c <= kTableStart || c > kTableEnd || c == 0x3000 || c == 0xFEFF) {
        return -1;
    }
    const std::uint64_t block = BlockOf(c);
    for (int k = 0; k < 3; ++k) {
        if (block == kUnsafeBlocks[k]) {
            return k;
        }
    }
    return -1;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool Continuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

}  // namespace

bool ShieldText(std::string_view text, std::string& shielded, int& line) {
    shielded.clear();
    shielded.reserve(text.size() + text.size() / 2);
    line = 1;
    for (std::size_t k = 0; k < text.size();) {
        const auto b = static_cast<unsigned char>(text[k]);
        char32_t c = 0;
        std::size_t length = 0;
        // Only the two- and three-byte forms can hold the characters in question.
        if (b >= 0xC2 && b < 0xE0 && k + 1 < text.size() && Continuation(text[k + 1])) {
            c = ((b & 0x1Fu) << 6) | (text[k + 1] & 0x3Fu);
            length = 2;
        } else if (b >= 0xE0 && b < 0xF0 && k + 2 < text.size() && Continuation(text[k + 1]) &&
                   Continuation(text[k + 2])) {
            c = ((b & 0x0Fu) << 12) | ((text[k + 1] & 0x3Fu) << 6) | (text[k + 2] & 0x3Fu);
            length = c >= 0x800 ? 3 : 0;  // an overlong form is the parser's to refuse
        }
        if (length == 0) {
            line += text[k] == '\n';
            shielded += text[k];
            ++k;
            continue;
        }
        if (c >= kShieldStart && c <= kShieldEnd) {
            return false;
        }
        const int block = UnsafeBlock(c);
        if (block < 0) {
            shielded.append(text.substr(k, length));
        } else {
            const char32_t offset = c - (kTableStart + kUnsafeBlocks[block] * kBlockSize);
            AppendUtf8(shielded, kShieldStart + 0x400 * block + offset);
        }
        k += length;
    }
    return true;
}

char32_t Unshield(char32_t code) {
    if (code < kShieldStart || code > kShieldEnd) {
        return code;
    }
    const char32_t block = (code - kShieldStart) / 0x400;
    return kTableStart + kUnsafeBlocks[block] * kBlockSize + (code - kShieldStart) % 0x400;
}

}  // namespace wb::text
