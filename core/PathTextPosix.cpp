// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PathText.h"

namespace wb {

std::filesystem::path PathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::string(text));
}

std::string Utf8Of(const std::filesystem::path& path) {
    return path.native();
}

}  // namespace wb
