// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ImageSupport.h"
#include "config/TrackerConfig.h"

using wb::test::Decode;
using wb::test::DefaultImage;
using wb::test::Encode;
using wb::test::Image;

namespace {

// Reads an image whose byte `at` is `units`, writes the record back, and returns that byte.
int ReadThenWrite(CTrackerConfig& config, int at, int units) {
    Image image = DefaultImage();
    image[at] = static_cast<BYTE>(units);
    Decode(config, image);
    return Encode(config)[at];
}

}  // namespace

// Device units read and written back move at most once, then stay put: for every byte value,
// the keyup delay (byte 4) and the quiet time (byte 27).
TEST(ImageRoundTrip, UnitBytesSettleAfterOneWrite) {
    const struct {
        int at;
        bool (*moves)(int n);
        int moved;
    } fields[] = {
        {4, [](int n) { return n % 3 == 1 && n <= 247; }, 83},
        {27,
         [](int n) { return n >= 2 && n <= 252 && (n % 10 == 2 || n % 10 == 6 || n % 10 == 9); },
         76},
    };
    for (const auto& f : fields) {
        SCOPED_TRACE(f.at);
        int moved = 0;
        for (int n = 0; n < 256; ++n) {
            CTrackerConfig config;
            const int written = ReadThenWrite(config, f.at, n);
            EXPECT_EQ(written, f.moves(n) ? n + 1 : n) << n;
            moved += written != n;
            EXPECT_EQ(ReadThenWrite(config, f.at, written), written) << n;
        }
        EXPECT_EQ(moved, f.moved);
    }
}

TEST(ImageRoundTrip, SlotOffsetsBeyondTheIntervalComeBackWrapped) {
    const struct {
        int offset, word, readBack;
    } cases[] = {{30, 31, 30}, {100, 65497, -65436}, {-10, 71, -10}};
    for (const auto& c : cases) {
        CTrackerConfig config;
        config.m_bTimeSlot[1] = 1;
        config.m_nSlotOffset[1] = c.offset;
        const Image image = Encode(config);
        EXPECT_EQ(image[45] + 256 * image[46], c.word) << c.offset;
        Decode(config, image);
        EXPECT_EQ(config.m_nSlotOffset[1], c.readBack) << c.offset;
        EXPECT_EQ(Encode(config), image) << c.offset;
    }
}

// Blocks that overlap in an image (the Secondary's callsign is the Primary's first digipeater)
// decode, but take room of their own when written: such a record is refused, not cut.
TEST(ImageRoundTrip, OverlappingBlocksMayNotFitWhenWrittenBack) {
    CTrackerConfig source;
    std::string path = "R0";
    for (int k = 1; k < 11; ++k) {
        path += ",R" + std::to_string(k);
    }
    std::strcpy(source.m_szPath[0], path.c_str());  // 87 bytes at 28, shared
    std::strcpy(source.m_szPath[1], path.c_str());
    Image image = Encode(source);
    image[1] = 35;
    CTrackerConfig read;
    Decode(read, image);
    EXPECT_STREQ(read.m_szCallsign[1], "R0");

    Image buffer{};
    wb::Messages told;
    EXPECT_EQ(read.EncodeImage(buffer.data(), 128, told), 0);
    EXPECT_EQ(told.size(), 1u);
}
