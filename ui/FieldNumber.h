// Reading a number out of a field's text.
#pragma once

#include <string_view>

namespace wb::ui {

// Leading white space skipped, an optional sign, then the digits up to the first other
// character; no digits gives 0. A value beyond the range of int stops at INT_MAX or INT_MIN.
int ParseFieldNumber(std::string_view text);

}  // namespace wb::ui
