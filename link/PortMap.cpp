#include "PortMap.h"

namespace wb {

std::string ComPortDevice(int) { return {}; }

std::string DescribeComPort(int n) { return "COM" + std::to_string(n) + ": no serial port present"; }

}  // namespace wb
