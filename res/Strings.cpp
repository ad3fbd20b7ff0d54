// SPDX-License-Identifier: GPL-3.0-or-later
// The string table.
#include "res/Resources.h"

namespace wb::res {

const char* AboutMenuText() {
    return "&About WrenbeaconConfig...";
}

}  // namespace wb::res
