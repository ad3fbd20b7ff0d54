// SPDX-License-Identifier: GPL-3.0-or-later
// The one byte type that the record, the image and the serial line share.
#pragma once

#include <cstdint>

using BYTE = std::uint8_t;
