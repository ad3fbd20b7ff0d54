// SPDX-License-Identifier: GPL-3.0-or-later
// The beacon's EEPROM as it leaves the factory: the image of a freshly constructed record, kept
// as bytes so that the encoder's tests, the simulated beacon and the benchmarks share one copy.
#pragma once

#include <array>

#include "config/ImageLayout.h"
#include "core/Types.h"

namespace wb::image {

std::array<BYTE, kSize> DefaultImage();

}  // namespace wb::image
