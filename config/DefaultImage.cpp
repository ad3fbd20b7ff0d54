// SPDX-License-Identifier: GPL-3.0-or-later
#include "DefaultImage.h"

#include <algorithm>
#include <iterator>

#include "ImageLayout.h"

namespace wb::image {
namespace {

// Both profiles NOCALL, path WIDE3-3, status "Wrenbeacon", calibration 128, interval 60 s,
// keyup delay 38 units, quiet time 58 units, flags 0xC2 (MIC-E, altitude, valid fixes only).
// The Secondary shares the Primary's address block and status text. Bytes 56 to 127 are zero.
// clang-format off
constexpr BYTE kUsedBytes[] = {
    // 0-1 address block offsets, 2-3 calibration, 4-5 keyup delay, 6-9 interval (low, high),
    // 10-11 flags, 12-13 status every, 14-15 status text offsets
    0x1C, 0x1C, 0x80, 0x80, 0x26, 0x26, 0x3C, 0x3C, 0x00, 0x00, 0xC2, 0xC2, 0x03, 0x03, 0x2D, 0x2D,
    // 16-17 extension offsets, 18-19 MIC-E message, 20-21 MIC-E path, 22-23 symbol '-',
    // 24-25 symbol table '/', 26-27 quiet time, 28- address block: "NOCALL" shifted left by one
    0x1C, 0x2D, 0x00, 0x00, 0x00, 0x00, 0x2D, 0x2D, 0x2F, 0x2F, 0x3A, 0x3A, 0x9C, 0x9E, 0x86, 0x82,
    // ... SSID 0x60; "WIDE3 " with SSID 3 and the end bit; 03 F0 00; 45- status text
    0x98, 0x98, 0x60, 0xAE, 0x92, 0x88, 0x8A, 0x66, 0x40, 0x67, 0x03, 0xF0, 0x00, 0x57, 0x72, 0x65,
    // "nbeacon" and its terminating zero
    0x6E, 0x62, 0x65, 0x61, 0x63, 0x6F, 0x6E, 0x00,
};
// clang-format on
static_assert(sizeof(kUsedBytes) == 56 && sizeof(kUsedBytes) <= kSize);

}  // namespace

std::array<BYTE, kSize> DefaultImage() {
    std::array<BYTE, kSize> image{};
    std::copy(std::begin(kUsedBytes), std::end(kUsedBytes), image.begin());
    return image;
}

}  // namespace wb::image
