// SPDX-License-Identifier: GPL-3.0-or-later
// The beacon's EEPROM as it leaves the factory: the image of a freshly constructed record, kept
// as bytes so that the encoder's tests, the simulated beacon and the benchmarks share one copy.
#pragma once

#include <array>

#include "core/Types.h"

namespace wb::image {

std::array<BYTE, 128> DefaultImage();

}  // namespace wb::image
