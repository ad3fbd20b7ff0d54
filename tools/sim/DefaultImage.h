// The beacon's EEPROM as it leaves the factory.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace wb::sim {

inline constexpr std::size_t kImageSize = 128;
using Image = std::array<std::uint8_t, kImageSize>;

// The image of the default configuration, byte for byte.
Image DefaultImage();

}  // namespace wb::sim
