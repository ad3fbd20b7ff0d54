// SPDX-License-Identifier: GPL-3.0-or-later
// The terminal settings the beacon's line needs, built from the port's current ones.
#pragma once

#include <termios.h>

namespace wb {

// `current` changed to 4800 baud both ways, 8 data bits, no parity, one stop bit, receiver on,
// modem lines ignored, and raw bytes in both directions (no line editing, echo, signals,
// character mapping, software flow control or output processing). A read returns as soon as one
// byte is there. Every other setting (hardware flow control among them) stays as it was.
termios MakeLineTermios(const termios& current);

}  // namespace wb
