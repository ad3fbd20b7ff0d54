// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdlib>

#include "link/PortList.h"
#include "link/PortMap.h"

namespace wb {
namespace {

// COMn is COMn, unless WRENBEACON_COM<n> names another port (COM7, or \\.\COM12): no need to
// ask SetupAPI, which takes a while, before every exchange.
PortChoice Choose(int n) {
    PortScan byName;
    byName.numbering = ComNumbering::ByName;
    return ChooseComPort(
        n, [](const char* name) { return std::getenv(name); }, byName);
}

}  // namespace

std::string ComPortDevice(int n) {
    return Choose(n).device;
}

std::vector<PortEntry> ListPlatformPorts() {
    return ListPorts(ScanPlatformPorts(), [](const char* name) { return std::getenv(name); });
}

std::string DescribeComPort(int n) {
    return DescribePortChoice(n, Choose(n));
}

}  // namespace wb
