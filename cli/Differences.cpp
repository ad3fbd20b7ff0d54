// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Differences.h"

namespace wb::cli {

void PrintDifferences(std::ostream& out, const std::vector<text::Difference>& differences,
                      const char* first, const char* second) {
    for (const text::Difference& d : differences) {
        out << "  " << d.key << ": " << first << " " << d.first << ", " << second << " " << d.second
            << "\n";
    }
}

}  // namespace wb::cli
