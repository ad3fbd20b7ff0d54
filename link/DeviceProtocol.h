// SPDX-License-Identifier: GPL-3.0-or-later
// The beacon's serial line and command bytes, in one place.
#pragma once

#include "core/Types.h"
#include "link/SerialBackend.h"

namespace wb::device {

// Port numbers the user can choose: COM1 to COM4.
inline constexpr int kFirstPort = 1;
inline constexpr int kLastPort = 4;

// 4800 baud, 8 data bits, no parity, one stop bit. One character is 10 bit times, about
// 2.08 ms, so the pause below, not the line, sets the speed of a write.
inline constexpr int kBaudRate = 4800;
inline constexpr int kDataBits = 8;

// The beacon takes at most one byte every 10 ms; the pause follows every byte, the last too.
inline constexpr int kBytePauseMs = 10;

// Reads end 50 ms after their last byte or 300 + 2 * n ms after they began; a one-byte write
// may take 302 ms.
inline constexpr CommTimeouts kTimeouts{
    .readInterval = 50,
    .readTotalMultiplier = 2,
    .readTotalConstant = 300,
    .writeTotalMultiplier = 2,
    .writeTotalConstant = 300,
};

// Every command starts with ESC.
inline constexpr BYTE kEsc = 0x1B;
inline constexpr BYTE kVersionQuery[] = {kEsc, kEsc, 'V'};  // answered by the banner text
inline constexpr BYTE kDownload[] = {kEsc, 'D'};            // followed by the image bytes
inline constexpr BYTE kUpload[] = {kEsc, 'U'};              // answered by the image bytes
inline constexpr BYTE kToneStop[] = {kEsc, kEsc, 'x'};      // always sent before a tone code
inline constexpr BYTE kTonePrefix[] = {kEsc, kEsc};         // followed by the tone code
inline constexpr int kTonePauseMs = 50;                     // between stop and the code

// Tone codes.
inline constexpr char kTone1200 = '1';
inline constexpr char kTone2200 = '2';
inline constexpr char kToneBoth = '3';
inline constexpr char kToneOff = 'x';

// A version answer must start with this word, in any case.
inline constexpr char kBanner[] = "Wrenbeacon";
inline constexpr int kBannerLength = sizeof(kBanner) - 1;

// The configuration image crosses the wire unchanged both ways; nothing here looks into it.

// Work areas. A version query gets 30 bytes of a 32-byte area: at most 29 characters and the NUL.
// An upload, and so a verified read and the read-back of a verified write, reads into 200 bytes,
// more than an image, so that an answer too long shows as one.
inline constexpr int kBannerAreaSize = 32;
inline constexpr int kBannerQuerySize = 30;
inline constexpr int kImageAreaSize = 200;

// What the download's flush read may throw away.
inline constexpr int kDownloadFlushSize = 100;

}  // namespace wb::device
