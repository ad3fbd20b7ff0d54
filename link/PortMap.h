// SPDX-License-Identifier: GPL-3.0-or-later
// Which device on this machine each of the port numbers COM1 to COM4 stands for.
//
// COMn is the device named by the environment variable WRENBEACON_COM<n> when it is set. Without
// it, on Windows COMn is simply COMn; elsewhere it is the n-th serial port of the scan: USB
// adapters first, in the order of their names under /dev/serial/by-id (or /dev/cu.* on macOS),
// then the built-in ports whose UART the kernel knows, in number order (see PortScan.h).
#pragma once

#include <functional>
#include <string>

#include "link/PortScan.h"

namespace wb {

// The device path that port `n` opens, or an empty string when none is present.
std::string ComPortDevice(int n);

// One line for the user telling what COMn maps to here, or that nothing is present.
std::string DescribeComPort(int n);

// What a port number maps to: `device` is empty when nothing does.
struct PortChoice {
    std::string device;
    std::string origin;  // where the choice came from, shown beside the device
    int scanIndex = -1;  // the port of the scan behind it, or -1 when the scan has none
};

// Looks up an environment variable; null when it is not set. std::getenv fits.
using EnvLookup = std::function<const char*(const char*)>;

// "WRENBEACON_COM<n>".
std::string PortVariableName(int n);

// The mapping rule above, with the machine's state passed in.
PortChoice ChooseComPort(int n, const EnvLookup& env, const PortScan& scan);

// The one-line description DescribeComPort gives for `choice`.
std::string DescribePortChoice(int n, const PortChoice& choice);

}  // namespace wb
