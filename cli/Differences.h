// SPDX-License-Identifier: GPL-3.0-or-later
// Printing the values in which two configurations differ.
#pragma once

#include <ostream>
#include <vector>

#include "config/ConfigKeys.h"

namespace wb::cli {

// One line per difference: "  primary.keyup_delay_ms: beacon 253, file 250", where `first`
// and `second` name the two sides of each text::Difference.
void PrintDifferences(std::ostream& out, const std::vector<text::Difference>& differences,
                      const char* first, const char* second);

}  // namespace wb::cli
