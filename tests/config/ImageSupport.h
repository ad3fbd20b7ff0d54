// SPDX-License-Identifier: GPL-3.0-or-later
// Shared by the image tests: the default record's image and small helpers.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "config/DefaultImage.h"
#include "config/TrackerConfig.h"

namespace wb::test {

using Image = std::array<BYTE, 128>;

// The image of a freshly constructed record; bytes 56 to 127 are zero.
using image::DefaultImage;

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
