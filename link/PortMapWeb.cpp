// SPDX-License-Identifier: GPL-3.0-or-later
// In the browser COMn is the n-th entry of the page's port list: the page lists the ports the user
// has allowed it to use, the entry that asks for another one, and the simulated beacon.
#include "link/PortMap.h"

namespace wb {

std::string ComPortDevice(int n) {
    return "entry " + std::to_string(n) + " of the port list";
}

std::string DescribeComPort(int n) {
    return "COM" + std::to_string(n) + " = " + ComPortDevice(n);
}

}  // namespace wb
