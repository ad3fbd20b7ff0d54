// Shared by the image tests: the default record's image and small helpers.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "config/TrackerConfig.h"

namespace wb::test {

using Image = std::array<BYTE, 128>;

// The image of a freshly constructed record; bytes 56 to 127 are zero.
inline Image DefaultImage() {
    return {0x1C, 0x1C, 0x80, 0x80, 0x26, 0x26, 0x3C, 0x3C, 0x00, 0x00, 0xC2, 0xC2, 0x03, 0x03,
            0x2D, 0x2D, 0x1C, 0x2D, 0x00, 0x00, 0x00, 0x00, 0x2D, 0x2D, 0x2F, 0x2F, 0x3A, 0x3A,
            0x9C, 0x9E, 0x86, 0x82, 0x98, 0x98, 0x60, 0xAE, 0x92, 0x88, 0x8A, 0x66, 0x40, 0x67,
            0x03, 0xF0, 0x00, 0x57, 0x72, 0x65, 0x6E, 0x62, 0x65, 0x61, 0x63, 0x6F, 0x6E, 0x00};
}

// Encodes `config`, expecting a full image.
inline Image Encode(CTrackerConfig& config) {
    Image image{};
    EXPECT_EQ(config.EncodeImage(image.data(), static_cast<int>(image.size())), 128);
    return image;
}

// Decodes `image` into `config`, expecting success.
inline void Decode(CTrackerConfig& config, const Image& image) {
    EXPECT_FALSE(config.DecodeImage(image.data(), static_cast<int>(image.size())));
}

inline std::string Bytes(const Image& image, int from, int count) {
    return std::string(image.begin() + from, image.begin() + from + count);
}

}  // namespace wb::test
