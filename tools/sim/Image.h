// SPDX-License-Identifier: GPL-3.0-or-later
// The beacon's 128-byte EEPROM image, as the simulated beacon keeps it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "config/DefaultImage.h"
#include "config/ImageLayout.h"

namespace wb::sim {

inline constexpr std::size_t kImageSize = image::kSize;
using Image = std::array<std::uint8_t, kImageSize>;

using image::DefaultImage;  // the factory image the beacon starts from

}  // namespace wb::sim
