// Which device on this machine each of the port numbers COM1 to COM4 stands for.
// (Skeleton: the device-link work fills this in.)
#pragma once

#include <string>

namespace wb {

// The device path that port `n` opens, or an empty string when none is present.
std::string ComPortDevice(int n);

// One line for the user telling what COMn maps to here, or that nothing is present.
std::string DescribeComPort(int n);

}  // namespace wb
