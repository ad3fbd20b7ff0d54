// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ImageSupport.h"
#include "config/AddressText.h"
#include "config/TrackerConfig.h"
#include "tests/support/MessageRecorder.h"

using wb::test::Decode;
using wb::test::DefaultImage;
using wb::test::Encode;
using wb::test::Image;
using wb::test::MessageRecorder;
using wb::test::Texts;

namespace {

// Writes address fields for `texts` from `at` on, the end bit on the last one.
void PutFields(Image& image, int at, const std::vector<const char*>& texts) {
    for (const char* text : texts) {
        char callField[kCallFieldSize];
        int ssid = 0;
        ParseAddress(text, callField, ssid);
        EncodeAddressField(callField, ssid, &image[at]);
        at += 7;
    }
    image[at - 1] |= 1;
}

}  // namespace

TEST(ImageDecoder, DefaultImageGivesTheDefaultRecordInDeviceUnits) {
    CTrackerConfig expected;
    expected.m_nTxDelay[0] = expected.m_nTxDelay[1] = 253;
    expected.m_nQuietTime[0] = expected.m_nQuietTime[1] = 1525;

    CTrackerConfig config;
    config.m_nProfile = 1;
    config.m_bCalDirty = 1;
    Decode(config, DefaultImage());
    EXPECT_EQ(config.m_nProfile, 1);
    config.m_nProfile = 0;
    EXPECT_TRUE(config == expected);
}

TEST(ImageDecoder, HeaderBytesReadUnsigned) {
    Image image = DefaultImage();
    image[3] = 7;  // the Secondary's calibration copy is never read
    image[2] = 0xFE;
    image[7] = 0xFF;
    image[9] = 0xFF;
    image[13] = 0xF0;
    image[19] = 0x81;
    image[21] = 0xFF;
    image[11] = 0x05;
    CTrackerConfig config;
    Decode(config, image);
    EXPECT_EQ(config.m_nCalibration, 254);
    EXPECT_EQ(config.m_nTxInterval[1], 65535);
    EXPECT_EQ(config.m_nStatusEvery[1], 240);
    EXPECT_EQ(config.m_nMicEMessage[1], 129);
    EXPECT_EQ(config.m_nMicEPath[1], 255);
    const BYTE flags[] = {config.m_bForcePrintable[1], config.m_bValidOnly[1],
                          config.m_bTimeSlot[1],       config.m_bSlotMinute[1],
                          config.m_bSlotTenMinute[1],  config.m_bSmartBeacon[1],
                          config.m_bAltitude[1],       config.m_bMicE[1]};
    EXPECT_EQ(std::string(flags, flags + 8), std::string("\1\0\1\0\0\0\0\0", 8));
}

TEST(ImageDecoder, UnprintableSymbolsFallBack) {
    Image image = DefaultImage();
    const BYTE symbols[] = {0x1F, 0x80, 0x20, 0x7F};
    const char expected[] = {'-', '-', ' ', 0x7F};
    const char expectedTable[] = {'/', '/', ' ', 0x7F};
    for (int k = 0; k < 4; ++k) {
        image[22] = image[25] = symbols[k];
        CTrackerConfig config;
        Decode(config, image);
        EXPECT_EQ(config.m_cSymbol[0], expected[k]) << k;
        EXPECT_EQ(config.m_cSymbolTable[1], expectedTable[k]) << k;
    }
    image[24] = 0x00;
    CTrackerConfig config;
    Decode(config, image);
    EXPECT_EQ(config.m_cSymbolTable[0], '/');
}

TEST(ImageDecoder, SwitchedOffSettingsKeepTheirValues) {
    CTrackerConfig config;
    config.m_nSlowSpeed[0] = 11;
    config.m_nTurnSlope[1] = 999;
    config.m_nSlotOffset[0] = 77;
    config.m_nSlotOffset[1] = -5;
    Decode(config, DefaultImage());
    EXPECT_EQ(config.m_nSlowSpeed[0], 11);
    EXPECT_EQ(config.m_nTurnSlope[1], 999);
    EXPECT_EQ(config.m_nSlotOffset[0], 77);
    EXPECT_EQ(config.m_nSlotOffset[1], -5);
}

TEST(ImageDecoder, AddressChainsAndPathCommas) {
    Image image = DefaultImage();
    image[1] = 56;  // after the status text
    PutFields(image, 56, {"nocall-5", "", "wide1-1", "", "wide2-2"});
    CTrackerConfig config;
    Decode(config, image);
    EXPECT_STREQ(config.m_szCallsign[1], "NOCALL-5");
    EXPECT_STREQ(config.m_szPath[1], "WIDE1-1,,WIDE2-2");

    CTrackerConfig typed;
    std::strcpy(typed.m_szPath[0], "wide1-1, wide2-2,");
    std::strcpy(typed.m_szCallsign[0], "nocall-05");
    Decode(typed, Encode(typed));
    EXPECT_STREQ(typed.m_szPath[0], "WIDE1-1,WIDE2-2");
    EXPECT_STREQ(typed.m_szCallsign[0], "NOCALL-5");
}

TEST(ImageDecoder, WrongSizeIsRefusedLeavingTheRecord) {
    for (int size : {127, 129, 0, -1}) {
        MessageRecorder sink;
        CTrackerConfig config;
        config.m_bCalDirty = 1;
        config.m_nTxDelay[0] = 1;
        const CTrackerConfig before = config;
        std::vector<BYTE> bytes(200, 0);
        wb::Messages told;
        EXPECT_TRUE(config.DecodeImage(bytes.data(), size, told));
        EXPECT_EQ(Texts(told),
                  std::vector<std::string>{"Bad EE Size " + std::to_string(size) + "\n"});
        EXPECT_EQ(told[0].caption, "");
        EXPECT_TRUE(sink.messages().empty()) << "the caller decides what to show";
        EXPECT_TRUE(config == before);
    }
}

// Whatever an image says, the decoder stays inside its 128 bytes and the record's arrays.
TEST(ImageDecoder, DamagedImagesAreRefusedLeavingTheRecord) {
    const std::string damaged = "The configuration image is damaged: the ";
    struct Case {
        const char* what;
        void (*damage)(Image&);
    };
    const Case cases[] = {
        {"Primary callsign lies outside the 128 bytes", [](Image& i) { i[0] = 122; }},
        {"Secondary callsign lies outside the 128 bytes", [](Image& i) { i[1] = 200; }},
        {"Secondary digipeater path does not end inside the 128 bytes",
         [](Image& i) { i[1] = 121; }},
        {"Primary digipeater path is longer than 99 characters",
         [](Image& i) {
             std::vector<const char*> fields(11, "ABCDEF-15");
             fields.push_back("");  // 10 of them and their commas are 99 characters
             PutFields(i, 28, fields);
         }},
        {"Primary status text lies outside the 128 bytes", [](Image& i) { i[14] = 128; }},
        {"Secondary status text does not end inside the 128 bytes",
         [](Image& i) {
             i[15] = 100;
             std::memset(&i[100], 'x', 28);
         }},
        {"Primary SmartBeaconing settings lie outside the 128 bytes",
         [](Image& i) {
             i[10] |= 0x20;
             i[16] = 119;
         }},
        {"Secondary time slot lies outside the 128 bytes",
         [](Image& i) {
             i[11] |= 0x24;  // the word follows the SmartBeaconing bytes: 127 and 128
             i[17] = 117;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Image image = DefaultImage();
        c.damage(image);
        CTrackerConfig config;
        config.m_bCalDirty = 1;
        const CTrackerConfig before = config;
        wb::Messages told;
        EXPECT_TRUE(config.DecodeImage(image.data(), 128, told));
        EXPECT_EQ(Texts(told), std::vector<std::string>{damaged + c.what + "."});
        EXPECT_TRUE(config == before);
    }
}

TEST(ImageDecoder, LimitsThatStillFitAreAccepted) {
    Image image = DefaultImage();
    PutFields(image, 28, std::vector<const char*>(11, "ABCDEF-15"));
    // Callsign and ten digipeaters: 99 characters with the commas.
    image[14] = image[15] = 120;
    std::memset(&image[120], 'x', 7);
    image[127] = 0;
    image[10] |= 0x24;
    image[16] = 116;  // SmartBeaconing 116..125, slot word 126..127 (shared with the text)
    CTrackerConfig config;
    Decode(config, image);
    EXPECT_EQ(std::strlen(config.m_szPath[1]), 99u);
    EXPECT_STREQ(config.m_szCallsign[1], "ABCDEF-15");
    EXPECT_STREQ(config.m_szStatus[0], "xxxxxxx");
    EXPECT_EQ(config.m_nSlotOffset[0], 60 - 'x' + 1);
}

// Both SmartBeaconing and time slotting: the slot word sits behind the ten SmartBeaconing
// bytes, and the decoder reads it there, so the profile survives a read and a write.
TEST(ImageDecoder, SmartBeaconingWithTimeSlotSurvivesReadAndWrite) {
    CTrackerConfig config;
    config.m_bSmartBeacon[0] = config.m_bTimeSlot[0] = 1;
    config.m_nTxInterval[0] = 120;
    config.m_nSlotOffset[0] = 30;
    config.m_nSlowSpeed[0] = 5;
    config.m_nFastSpeed[0] = 70;
    const Image image = Encode(config);

    CTrackerConfig read;
    Decode(read, image);
    EXPECT_EQ(read.m_nSlotOffset[0], 30);
    EXPECT_EQ(read.m_nSlowSpeed[0], 5);
    EXPECT_EQ(read.m_nFastSpeed[0], 70);
    EXPECT_EQ(read.m_bSmartBeacon[0], 1);
    EXPECT_EQ(read.m_bTimeSlot[0], 1);
    EXPECT_EQ(Encode(read), image);
}
