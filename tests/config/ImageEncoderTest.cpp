// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ImageSupport.h"
#include "config/TrackerConfig.h"
#include "tests/support/MessageRecorder.h"

using wb::test::Bytes;
using wb::test::DefaultImage;
using wb::test::Encode;
using wb::test::Image;
using wb::test::MessageRecorder;
using wb::test::Texts;

namespace {

const char* const kTruncated =
    "The Primary or Secondary Status Beacon text is too long and has been tuncated.  To have a "
    "longer status beacon text, use fewer digipeaters, and make the primary and secondary "
    "callsigns, digipeaters, or status texts identical.";
const char* const kTooLong =
    "The callsigns and digipeater paths are too long for the Wrenbeacon's memory.  Use fewer "
    "digipeaters, or give the primary and secondary profiles the same callsign and digipeaters "
    "so that they are stored only once.";

// A path of `count` digipeaters, seven bytes each in the image.
std::string Digipeaters(int count) {
    std::string path;
    for (int k = 0; k < count; ++k) {
        path += (k == 0 ? "" : ",") + std::string("RELAY") + std::to_string(k % 10);
    }
    return path;
}

}  // namespace

TEST(ImageEncoder, DefaultRecordGivesTheKnownImage) {
    CTrackerConfig config;
    wb::Messages told;
    EXPECT_EQ(Encode(config, told), DefaultImage());
    EXPECT_TRUE(told.empty());
}

TEST(ImageEncoder, SecondaryBlockIsSharedOnlyForIdenticalTexts) {
    const Image defaults = DefaultImage();
    {
        CTrackerConfig config;
        std::strcpy(config.m_szPath[1], "WIDE");
        const Image image = Encode(config);
        EXPECT_EQ(image[0], 28);
        EXPECT_EQ(image[1], 45);
        EXPECT_EQ(image[17], 45);
        EXPECT_EQ(Bytes(image, 45, 17),
                  Bytes(defaults, 28, 7) + "\xAE\x92\x88\x8A\x40\x40\x61\x03\xF0" + '\0');
        EXPECT_EQ(image[14], 62);
        EXPECT_EQ(image[15], 62);
        EXPECT_EQ(Bytes(image, 62, 11), Bytes(defaults, 45, 11));
    }
    // A differing callsign, or the same texts in another case, repeat the path too.
    for (const char* callsign : {"AB1CD", "nocall"}) {
        SCOPED_TRACE(callsign);
        CTrackerConfig config;
        std::strcpy(config.m_szCallsign[1], callsign);
        const Image image = Encode(config);
        EXPECT_EQ(image[1], 45);
        EXPECT_EQ(Bytes(image, 52, 10), Bytes(defaults, 35, 10));
        EXPECT_EQ(image[14], 62);
    }
    CTrackerConfig lower;
    std::strcpy(lower.m_szCallsign[1], "nocall");
    EXPECT_EQ(Bytes(Encode(lower), 45, 17), Bytes(defaults, 28, 17));
}

TEST(ImageEncoder, SecondaryStatusIsSharedOnlyForIdenticalText) {
    for (const char* status : {"Other", "wrenbeacon"}) {
        SCOPED_TRACE(status);
        CTrackerConfig config;
        std::strcpy(config.m_szStatus[1], status);
        const Image image = Encode(config);
        EXPECT_EQ(image[1], 28);
        EXPECT_EQ(image[14], 45);
        EXPECT_EQ(image[15], 56);
        EXPECT_EQ(Bytes(image, 56, static_cast<int>(std::strlen(status)) + 1),
                  std::string(status) + '\0');
    }
}

// The notice comes back to the caller, who decides whether to show it: nothing reaches the
// message sink.
TEST(ImageEncoder, StatusTextsAreCutAtByte126WithOneNoticeForTheCaller) {
    MessageRecorder sink;
    CTrackerConfig config;
    const std::string primary(90, 'p');
    std::strcpy(config.m_szStatus[0], primary.c_str());
    std::strcpy(config.m_szStatus[1], "second");
    wb::Messages told;
    const Image image = Encode(config, told);
    EXPECT_EQ(Bytes(image, 45, 82), primary.substr(0, 82));
    EXPECT_EQ(image[127], 0);
    EXPECT_EQ(image[14], 45);
    EXPECT_EQ(image[15], 127);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].text, kTruncated);
    EXPECT_EQ(told[0].caption, "Status Beacon Text Truncated");
    EXPECT_TRUE(sink.messages().empty());

    CTrackerConfig decoded;
    wb::test::Decode(decoded, image);
    EXPECT_EQ(std::string(decoded.m_szStatus[0]), primary.substr(0, 82));
    EXPECT_STREQ(decoded.m_szStatus[1], "");

    // Two long texts that are equal are stored (and cut) once.
    told.clear();
    std::strcpy(config.m_szStatus[1], primary.c_str());
    const Image shared = Encode(config, told);
    EXPECT_EQ(shared[15], 45);
    EXPECT_EQ(told.size(), 1u);
}

TEST(ImageEncoder, SlotWordAndDerivedSlotFlags) {
    CTrackerConfig config;
    config.m_bTimeSlot[0] = 1;
    config.m_nTxInterval[0] = 120;
    config.m_nSlotOffset[0] = 30;
    Image image = Encode(config);
    EXPECT_EQ(image[16], 28);
    EXPECT_EQ(image[28], 0x5B);
    EXPECT_EQ(image[29], 0x00);
    EXPECT_EQ(image[0], 30);
    EXPECT_EQ(image[10], 0xD6);
    EXPECT_EQ(config.m_bSlotMinute[0], 0);
    EXPECT_EQ(config.m_bSlotTenMinute[0], 1);

    const struct {
        int interval;
        BYTE minute, tenMinute;
    } derived[] = {{30, 1, 1}, {7, 0, 0}, {60, 1, 1}, {600, 0, 1}};
    for (const auto& d : derived) {
        config.m_nTxInterval[0] = d.interval;
        Encode(config);
        EXPECT_EQ(config.m_bSlotMinute[0], d.minute) << d.interval;
        EXPECT_EQ(config.m_bSlotTenMinute[0], d.tenMinute) << d.interval;
    }

    // Interval 0: the word is 1 - offset and the flags stay as they were.
    config.m_nTxInterval[0] = 0;
    config.m_bSlotMinute[0] = 1;
    config.m_bSlotTenMinute[0] = 0;
    image = Encode(config);
    EXPECT_EQ(image[28] + 256 * image[29], (1 - 30) & 0xFFFF);
    EXPECT_EQ(image[10], 0xCE);
    EXPECT_EQ(config.m_bSlotMinute[0], 1);
    EXPECT_EQ(config.m_bSlotTenMinute[0], 0);

    // Time slotting off: flags are carried as the record holds them, nothing is derived.
    config.m_bTimeSlot[0] = 0;
    config.m_nTxInterval[0] = 7;
    config.m_bSlotMinute[0] = 1;
    config.m_bSlotTenMinute[0] = 1;
    image = Encode(config);
    EXPECT_EQ(image[10], 0xDA);
    EXPECT_EQ(image[0], 28);
}

TEST(ImageEncoder, SmartBeaconingBytesPrecedeTheSlotWord) {
    CTrackerConfig config;
    config.m_bSmartBeacon[1] = 1;
    config.m_bTimeSlot[1] = 1;
    config.m_nSlowSpeed[1] = 0x102;
    config.m_nSlowRate[1] = 0x1234;
    config.m_nTurnSlope[1] = 0xABCD;
    config.m_nSlotOffset[1] = 100;  // interval 60: word 65497
    const Image image = Encode(config);
    EXPECT_EQ(image[17], 45);
    EXPECT_EQ(Bytes(image, 45, 12),
              std::string("\x02\x41\x34\x12\x5A\x00\x1B\xCD\xAB\x05\xD9\xFF", 12));
    EXPECT_EQ(image[11], 0xFE);
    EXPECT_EQ(image[1], 28);  // still shared
    EXPECT_EQ(image[14], 57);
}

TEST(ImageEncoder, TooSmallBufferIsRefusedUntouched) {
    MessageRecorder sink;
    CTrackerConfig config;
    config.m_bTimeSlot[0] = 1;
    const CTrackerConfig before = config;
    Image buffer;
    buffer.fill(0xEE);
    wb::Messages told;
    EXPECT_EQ(config.EncodeImage(buffer.data(), 127, told), 0);
    EXPECT_EQ(Texts(told), std::vector<std::string>{"Bad EE Size"});
    EXPECT_EQ(told[0].caption, "");
    EXPECT_TRUE(sink.messages().empty());
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), std::string(128, '\xEE'));
    EXPECT_TRUE(config == before);
}

// Address blocks and extension areas must leave byte 127 for the status texts' zero.
TEST(ImageEncoder, AddressBlocksEndingAtByte126StillEncode) {
    CTrackerConfig config;
    config.m_bTimeSlot[0] = 1;                                // 2 bytes at 28
    std::strcpy(config.m_szPath[0], Digipeaters(5).c_str());  // 45 bytes at 30
    std::strcpy(config.m_szPath[1], Digipeaters(6).c_str());  // 52 bytes at 75
    std::strcpy(config.m_szStatus[1], "other");
    wb::Messages told;
    const Image image = Encode(config, told);
    EXPECT_EQ(image[1], 75);
    EXPECT_EQ(Bytes(image, 124, 3), std::string("\x03\xF0\x00", 3));
    EXPECT_EQ(image[14], 127);
    EXPECT_EQ(image[15], 127);
    EXPECT_EQ(image[127], 0);
    EXPECT_EQ(Texts(told), std::vector<std::string>{kTruncated});
    EXPECT_EQ(config.m_bSlotMinute[0], 1);

    // Both texts empty: nothing is cut, nothing is said.
    told.clear();
    config.m_szStatus[0][0] = '\0';
    config.m_szStatus[1][0] = '\0';
    Encode(config, told);
    EXPECT_TRUE(told.empty());
}

TEST(ImageEncoder, AddressBlocksPastByte126AreRefusedLeavingEverythingUntouched) {
    CTrackerConfig tooLong[3];
    // One byte more than the case above: SmartBeaconing (10) instead of the slot word (2), one
    // digipeater (7) fewer.
    tooLong[0].m_bSmartBeacon[0] = 1;
    std::strcpy(tooLong[0].m_szPath[0], Digipeaters(4).c_str());
    std::strcpy(tooLong[0].m_szPath[1], Digipeaters(6).c_str());
    // The Secondary's extension area is what no longer fits.
    tooLong[1].m_bSmartBeacon[0] = 1;
    tooLong[1].m_bTimeSlot[0] = 1;
    std::strcpy(tooLong[1].m_szPath[0], Digipeaters(11).c_str());
    std::strcpy(tooLong[1].m_szPath[1], tooLong[1].m_szPath[0]);
    tooLong[1].m_bTimeSlot[1] = 1;
    // A path that alone could reach far past the end: every comma starts a field.
    std::strcpy(tooLong[2].m_szPath[0], std::string(99, ',').c_str());

    for (CTrackerConfig& config : tooLong) {
        config.m_nTxInterval[0] = 30;
        const CTrackerConfig before = config;
        Image buffer;
        buffer.fill(0xEE);
        wb::Messages told;
        EXPECT_EQ(config.EncodeImage(buffer.data(), static_cast<int>(buffer.size()), told), 0);
        EXPECT_EQ(Texts(told), std::vector<std::string>{kTooLong});
        EXPECT_EQ(std::string(buffer.begin(), buffer.end()), std::string(128, '\xEE'));
        EXPECT_TRUE(config == before);
    }
    // The second one fits without the Secondary's slot word.
    tooLong[1].m_bTimeSlot[1] = 0;
    EXPECT_EQ(Encode(tooLong[1])[14], 127);
}
