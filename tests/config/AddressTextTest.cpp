// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "config/AddressText.h"

namespace {

struct ParseCase {
    const char* text;
    const char* callField;
    int ssid;
    const char* normal;
};

std::string Normalized(const char* text) {
    std::vector<char> buffer(text, text + std::char_traits<char>::length(text) + 1);
    CTrackerConfig::NormalizeAddress(buffer.data());
    return buffer.data();
}

using Field = std::array<BYTE, 7>;

Field Encoded(const char* text) {
    char callField[kCallFieldSize];
    int ssid = -1;
    ParseAddress(text, callField, ssid);
    Field field{};
    EncodeAddressField(callField, ssid, field.data());
    return field;
}

std::string Decoded(const Field& field, bool* end = nullptr) {
    char text[kAddressTextSize];
    const bool last = DecodeAddressField(field.data(), text);
    if (end != nullptr) {
        *end = last;
    }
    return text;
}

}  // namespace

TEST(AddressText, ParseAndNormalizeTheTokenAtTheStart) {
    const ParseCase cases[] = {
        {"nocall-5", "NOCALL", 5, "NOCALL-5"},
        {"WIDE3-3", "WIDE3 ", 3, "WIDE3-3"},
        {" wide 1 - 1", "WIDE1 ", 1, "WIDE1-1"},
        {"TOOLONGNAME-3", "TOOLON", 3, "TOOLON-3"},
        {"NOCALL-16", "NOCALL", 0, "NOCALL"},
        {"NOCALL-0", "NOCALL", 0, "NOCALL"},
        {"A-05", "A     ", 5, "A-5"},
        {"AB*-3", "AB    ", 0, "AB"},
        {"NOCALL--7", "NOCALL", 0, "NOCALL"},
        {"NOCALL-+7", "NOCALL", 7, "NOCALL-7"},
        {"WIDE2-2,WIDE1-1", "WIDE2 ", 2, "WIDE2-2"},
        {"-3", "      ", 3, "-3"},
        {"", "      ", 0, ""},
        {"\x01\x1f\x80\xff"
         "ab\x7f"
         "c",
         "AB    ", 0, "AB"},                            // controls, high bytes skipped; DEL stops
        {"NOCALL-4294967301", "NOCALL", 0, "NOCALL"},   // would wrap to 5 in 32 bits
        {"NOCALL--4294967289", "NOCALL", 0, "NOCALL"},  // would wrap to 7
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.text);
        char callField[kCallFieldSize];
        int ssid = -1;
        ParseAddress(c.text, callField, ssid);
        EXPECT_STREQ(callField, c.callField);
        EXPECT_EQ(ssid, c.ssid);
        EXPECT_EQ(Normalized(c.text), c.normal);
    }
    EXPECT_EQ(Normalized("nocall-05"), "NOCALL-5");
}

TEST(AddressText, FieldEncodingShiftsCharactersAndSetsSsidBits) {
    EXPECT_EQ(Encoded("nocall-5"), (Field{0x9C, 0x9E, 0x86, 0x82, 0x98, 0x98, 0x6A}));
    EXPECT_EQ(Encoded("WIDE3-3"), (Field{0xAE, 0x92, 0x88, 0x8A, 0x66, 0x40, 0x66}));
    EXPECT_EQ(Encoded(""), (Field{0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x60}));
    EXPECT_EQ(Encoded("Z9-15"), (Field{0xB4, 0x72, 0x40, 0x40, 0x40, 0x40, 0x7E}));
}

TEST(AddressText, FieldDecodingGivesNormalFormAndTheEndBit) {
    bool end = false;
    EXPECT_EQ(Decoded({0x9C, 0x9E, 0x86, 0x82, 0x98, 0x98, 0x6B}, &end), "NOCALL-5");
    EXPECT_TRUE(end);
    EXPECT_EQ(Decoded({0xAE, 0x92, 0x88, 0x8A, 0x66, 0x40, 0x66}, &end), "WIDE3-3");
    EXPECT_FALSE(end);
    // Bit 7 of the SSID byte adds 64: out of range, so the callsign reads back without SSID.
    EXPECT_EQ(Decoded({0x9C, 0x9E, 0x86, 0x82, 0x98, 0x98, 0xE0}), "NOCALL");
    EXPECT_EQ(Decoded({0x9C, 0x9E, 0x86, 0x82, 0x98, 0x98, 0xEA}), "NOCALL");
    // A character decoding to 0 ends the text there, SSID included.
    EXPECT_EQ(Decoded({0x9C, 0x9E, 0x00, 0x82, 0x98, 0x98, 0x6A}), "NO");
    EXPECT_EQ(Decoded({0x00, 0x9E, 0x86, 0x82, 0x98, 0x98, 0x6A}), "");
    // Spaces vanish, lower case comes back upper, '-' inside the call cuts it.
    EXPECT_EQ(Decoded({'A' << 1, 'B' << 1, 0x40, 'c' << 1, 'd' << 1, 0x40, 0x60}), "ABCD");
    EXPECT_EQ(Decoded({'A' << 1, 'B' << 1, '-' << 1, '3' << 1, 0x40, 0x40, 0x6A}), "AB-3");
    EXPECT_EQ(Decoded({'A' << 1, 'B' << 1, '/' << 1, '3' << 1, 0x40, 0x40, 0x6A}), "AB");
}
