// SPDX-License-Identifier: GPL-3.0-or-later
// Loads arbitrary configuration texts. A refused text must leave the record as it was; an
// accepted one must write back as a text that reads as the same record, and encode or be
// refused cleanly.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/ConfigText.h"
#include "config/ImageLayout.h"
#include "tests/fuzz/FuzzSupport.h"

using wb::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    wb::fuzz::ForbidMessages();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CTrackerConfig config;
    config.m_nProfile = 1;
    config.m_nCalibration = -5;
    const CTrackerConfig before = config;
    wb::text::TextError error;
    if (wb::text::TextToConfig(text, config, error)) {
        Check(config == before);
        Check(!error.what.empty());
        return 0;
    }
    const std::string written = wb::text::ConfigToText(config);
    CTrackerConfig again;
    Check(!wb::text::TextToConfig(written, again, error));
    Check(again == config);
    Check(wb::text::ConfigToText(again) == written);
    BYTE image[wb::image::kSize];
    wb::Messages told;
    const int n = config.EncodeImage(image, wb::image::kSize, told);
    Check(n == 0 || n == wb::image::kSize);
    Check(n != 0 || told.size() == 1u);
    return 0;
}
