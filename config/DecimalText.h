// SPDX-License-Identifier: GPL-3.0-or-later
// Decimal text to int, for the SSID of an address and the form's integer fields.
#pragma once

// Reads the decimal number at the start of `text`: white space (space, tab, line feed, vertical
// tab, form feed, carriage return) is skipped, then an optional '+' or '-', then digits up to the
// first byte that is not one. No digits gives 0. A run too long for an int saturates at INT_MIN or
// INT_MAX, so it can never wrap around into a small, valid-looking value.
int ParseDecimal(const char* text);
