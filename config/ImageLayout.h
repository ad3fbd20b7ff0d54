// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the beacon's 128-byte EEPROM configuration image. The one place that knows it.
//
//   0..27    header: one pair of bytes per setting, [Primary, Secondary]
//   28..     variable area, packed without gaps:
//              Primary extension area    (0, 2, 10 or 12 bytes; offset in byte 16)
//              Primary address block     (offset in byte 0)
//              Secondary extension area  (offset in byte 17)
//              Secondary address block   (offset in byte 1; absent when shared, byte 1 = byte 0)
//              Primary status text + 0   (offset in byte 14)
//              Secondary status text + 0 (offset in byte 15; absent when shared)
//   ..127    zero fill; byte 127 can only ever hold a terminating zero
//
// Offsets stored in the image are single unsigned bytes from the start of the image. Two-byte
// numbers are little-endian, except the transmit interval whose halves are not adjacent.
#pragma once

#include "TrackerConfig.h"

namespace wb::image {

inline constexpr int kSize = 128;
inline constexpr int kLastByte = 127;  // only a status text's terminating zero can sit here

// Header fields; add the profile index (0 Primary, 1 Secondary) to get the byte.
inline constexpr int kAddressOffset = 0;     // offset of the address block
inline constexpr int kCalibration = 2;       // both bytes hold the shared value
inline constexpr int kTxDelay = 4;           // keyup delay in TXD units
inline constexpr int kIntervalLow = 6;       // transmit interval, bits 0..7
inline constexpr int kIntervalHigh = 8;      // transmit interval, bits 8..15
inline constexpr int kFlags = 10;            // flag byte, masks below
inline constexpr int kStatusEvery = 12;      // status beacon every N transmissions
inline constexpr int kStatusOffset = 14;     // offset of the status text
inline constexpr int kExtensionOffset = 16;  // offset of the extension area
inline constexpr int kMicEMessage = 18;
inline constexpr int kMicEPath = 20;
inline constexpr int kSymbol = 22;
inline constexpr int kSymbolTable = 24;
inline constexpr int kQuietTime = 26;   // quiet time in quiet units
inline constexpr int kHeaderSize = 28;  // the variable area starts here

// Flag byte, bit 0 to bit 7.
inline constexpr BYTE kFlagForcePrintable = 0x01;
inline constexpr BYTE kFlagValidOnly = 0x02;
inline constexpr BYTE kFlagTimeSlot = 0x04;
inline constexpr BYTE kFlagSlotMinute = 0x08;
inline constexpr BYTE kFlagSlotTenMinute = 0x10;
inline constexpr BYTE kFlagSmartBeacon = 0x20;
inline constexpr BYTE kFlagAltitude = 0x40;
inline constexpr BYTE kFlagMicE = 0x80;

// Extension area: SmartBeaconing settings when kFlagSmartBeacon is set, then the slot word
// (interval - offset + 1, 16 bits) when kFlagTimeSlot is set.
inline constexpr int kSmartSlowSpeed = 0;     // MPH, 1 byte
inline constexpr int kSmartFastSpeed = 1;     // MPH, 1 byte
inline constexpr int kSmartSlowRate = 2;      // seconds, 2 bytes
inline constexpr int kSmartFastRate = 4;      // seconds, 2 bytes
inline constexpr int kSmartMinTurnAngle = 6;  // degrees, 1 byte
inline constexpr int kSmartTurnSlope = 7;     // 2 bytes
inline constexpr int kSmartMinTurnTime = 9;   // seconds, 1 byte
inline constexpr int kSmartSize = 10;
inline constexpr int kSlotWordSize = 2;

// Address field (AX.25 address encoding): six characters shifted left by one bit, then the
// SSID byte 0x60 + 2 * SSID whose bit 0 marks the last field of a block.
inline constexpr int kFieldSize = 7;
inline constexpr int kSsidByte = 6;
inline constexpr BYTE kSsidBits = 0x60;  // bits 5 and 6, always set when encoding
inline constexpr BYTE kEndBit = 0x01;

// Every address block ends with the AX.25 control field of a UI frame and "no layer 3".
inline constexpr BYTE kBlockTrailer[] = {0x03, 0xF0, 0x00};
inline constexpr int kTrailerSize = static_cast<int>(sizeof kBlockTrailer);

static_assert(kQuietTime + 1 < kHeaderSize, "header pairs end before the variable area");
static_assert(kHeaderSize + 2 * (kSmartSize + kSlotWordSize) + kFieldSize + kTrailerSize <=
                  kLastByte,
              "the largest extension areas and one minimal address block fit before byte 127");
static_assert(kSmartMinTurnTime < kSmartSize && kSmartTurnSlope + 1 < kSmartSize,
              "SmartBeaconing fields lie inside their ten bytes");
static_assert(kSize - 1 <= 255, "every offset fits in one byte");
static_assert(kSize - kHeaderSize < kStatusSize, "a status text read from an image always fits");

}  // namespace wb::image
