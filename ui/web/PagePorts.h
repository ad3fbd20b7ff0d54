// SPDX-License-Identifier: GPL-3.0-or-later
// The browser's serial ports as the page's script keeps them (Ports.js), for the port list of
// link/BrowserPorts.h, and the browser's chooser behind "Choose a port...".
#pragma once

#include <string>
#include <vector>

#include "link/PortList.h"

namespace wb::web {

// The page's port list now.
std::vector<PortEntry> ListPagePorts();

// Opens the browser's chooser: the device of the port the user chose, or "" when none.
std::string AskForPort();

}  // namespace wb::web
