// SPDX-License-Identifier: GPL-3.0-or-later
// Shared by the image tests: the default record's image and small helpers.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "config/DefaultImage.h"
#include "config/TrackerConfig.h"

namespace wb::test {

using Image = std::array<BYTE, 128>;

// The image of a freshly constructed record; bytes 56 to 127 are zero.
using image::DefaultImage;

// Encodes `config`, expecting a full image; what the encoder would have the user told is added
// to `told`.
inline Image Encode(CTrackerConfig& config, Messages& told) {
    Image image{};
    EXPECT_EQ(config.EncodeImage(image.data(), static_cast<int>(image.size()), told), 128);
    return image;
}
inline Image Encode(CTrackerConfig& config) {
    Messages told;
    return Encode(config, told);
}

// Decodes `image` into `config`, expecting success and nothing to tell.
inline void Decode(CTrackerConfig& config, const Image& image) {
    Messages told;
    EXPECT_FALSE(config.DecodeImage(image.data(), static_cast<int>(image.size()), told));
    EXPECT_TRUE(told.empty());
}

// The texts of `told`, in order.
inline std::vector<std::string> Texts(const Messages& told) {
    std::vector<std::string> out;
    for (const Message& m : told) {
        out.push_back(m.text);
    }
    return out;
}

inline std::string Bytes(const Image& image, int from, int count) {
    return std::string(image.begin() + from, image.begin() + from + count);
}

}  // namespace wb::test
