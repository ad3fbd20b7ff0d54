// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PathText.h"
#include "core/WideUtf8.h"

namespace wb {

std::filesystem::path PathFromUtf8(std::string_view text) {
    return std::filesystem::path(WidenUtf8(text));
}

std::string Utf8Of(const std::filesystem::path& path) {
    return NarrowToUtf8(path.native());
}

}  // namespace wb
