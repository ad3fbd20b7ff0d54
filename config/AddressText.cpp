// SPDX-License-Identifier: GPL-3.0-or-later
#include "AddressText.h"

#include <cstdio>
#include <cstring>

#include "DecimalText.h"
#include "ImageLayout.h"

namespace {

bool IsLetterOrDigit(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Punctuation and DEL end an address token; space, control bytes and 0x80..0xFF are skipped.
bool EndsToken(unsigned char c) {
    return c >= 0x21 && c <= 0x7F && !IsLetterOrDigit(c);
}

}  // namespace

void ParseAddress(const char* text, char* callField, int& ssid) {
    int length = 0;
    const char* at = text;
    for (; *at != '\0'; ++at) {
        const auto c = static_cast<unsigned char>(*at);
        if (IsLetterOrDigit(c)) {
            if (length < kCallFieldLength) {
                callField[length++] = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
            }
        } else if (EndsToken(c)) {
            break;
        }
    }
    while (length < kCallFieldLength) {
        callField[length++] = ' ';
    }
    callField[kCallFieldLength] = '\0';

    ssid = *at == '-' ? ParseDecimal(at + 1) : 0;
    if (ssid < 0 || ssid > 15) {
        ssid = 0;
    }
}

void CTrackerConfig::NormalizeAddress(char* text) {
    char callField[kCallFieldSize];
    int ssid = 0;
    ParseAddress(text, callField, ssid);
    int length = kCallFieldLength;
    while (length > 0 && callField[length - 1] == ' ') {
        --length;
    }
    callField[length] = '\0';
    // Never longer than the input: every character and SSID digit came out of it.
    const std::size_t room = std::strlen(text) + 1;
    if (ssid != 0) {
        std::snprintf(text, room, "%s-%d", callField, ssid);
    } else {
        std::snprintf(text, room, "%s", callField);
    }
}

void EncodeAddressField(const char* callField, int ssid, BYTE* field) {
    for (int k = 0; k < kCallFieldLength; ++k) {
        field[k] = static_cast<BYTE>(static_cast<unsigned char>(callField[k]) << 1);
    }
    field[wb::image::kSsidByte] = static_cast<BYTE>((ssid | 0x30) << 1);
}

bool DecodeAddressField(const BYTE* field, char* text) {
    for (int k = 0; k < kCallFieldLength; ++k) {
        text[k] = static_cast<char>(field[k] >> 1);
    }
    const BYTE ssidByte = field[wb::image::kSsidByte];
    // Bits 1..4 give the SSID; bit 7 adds 64, which the normal form then drops as out of range.
    const int number = (ssidByte >> 1) & 0xCF;
    // A character that decodes to 0 ends the text there, number included.
    std::snprintf(text + kCallFieldLength, kAddressTextSize - kCallFieldLength, "-%d", number);
    CTrackerConfig::NormalizeAddress(text);
    return (ssidByte & wb::image::kEndBit) != 0;
}
