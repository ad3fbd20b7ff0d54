// SPDX-License-Identifier: GPL-3.0-or-later
// Keyup delay and quiet time between milliseconds and the beacon's one-byte units
// (about 6.666 ms and 26.3 ms).
#pragma once

int TxDelayToUnits(int ms);       // 0..255
int UnitsToTxDelay(int units);    // units 0..255 to ms
int QuietTimeToUnits(int ms);     // 0..255
int UnitsToQuietTime(int units);  // units 0..255 to ms
