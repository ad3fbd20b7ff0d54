// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdlib>

#include "link/DeviceProtocol.h"
#include "link/PortMap.h"

namespace wb {
namespace {

// COMn is COMn, unless WRENBEACON_COM<n> names another port (COM7, or \\.\COM12).
PortChoice Choose(int n) {
    const std::string variable = PortVariableName(n);
    if (const char* named = std::getenv(variable.c_str()); named != nullptr && *named != '\0') {
        return {named, variable};
    }
    return {"COM" + std::to_string(n), {}};
}

}  // namespace

std::string ComPortDevice(int n) {
    if (n < device::kFirstPort || n > device::kLastPort) {
        return {};
    }
    return Choose(n).device;
}

std::string DescribeComPort(int n) {
    const PortChoice choice = Choose(n);
    return choice.origin.empty() ? choice.device : DescribePortChoice(n, choice);
}

}  // namespace wb
