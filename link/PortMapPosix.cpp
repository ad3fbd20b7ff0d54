// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdlib>

#include "link/PortList.h"
#include "link/PortMap.h"

namespace wb {
namespace {

// The scan only when no variable names the device: it reads a good part of /sys.
PortChoice MachineChoice(int n) {
    const char* named = std::getenv(PortVariableName(n).c_str());
    return ChooseComPort(
        n, [](const char* name) { return std::getenv(name); },
        named != nullptr && *named != '\0' ? PortScan{} : ScanPlatformPorts());
}

}  // namespace

std::string ComPortDevice(int n) {
    return MachineChoice(n).device;
}

std::vector<PortEntry> ListPlatformPorts() {
    return ListPorts(ScanPlatformPorts(), [](const char* name) { return std::getenv(name); });
}

std::string DescribeComPort(int n) {
    return DescribePortChoice(n, MachineChoice(n));
}

}  // namespace wb
