// SPDX-License-Identifier: GPL-3.0-or-later
// Station addresses: the seven-byte address field of the image and its text.
// ParseAddress and CTrackerConfig::NormalizeAddress are declared with the record.
#pragma once

#include "TrackerConfig.h"

inline constexpr int kCallFieldLength = 6;  // six characters, letters and digits first, then spaces
inline constexpr int kCallFieldSize = kCallFieldLength + 1;
// A decoded field in normal form: six characters, '-' and a number of at most two digits.
inline constexpr int kAddressTextSize = 16;

// Packs a call field (six characters) and an SSID of 0 to 15 into the seven bytes at `field`,
// end bit clear.
void EncodeAddressField(const char* callField, int ssid, BYTE* field);

// Unpacks the seven bytes at `field` into `text` (kAddressTextSize bytes) in normal form.
// Returns the end bit: true when no further field follows in the block.
bool DecodeAddressField(const BYTE* field, char* text);
