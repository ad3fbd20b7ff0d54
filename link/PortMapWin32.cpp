#include "link/DeviceProtocol.h"
#include "link/PortMap.h"

namespace wb {

std::string ComPortDevice(int n) {
    if (n < device::kFirstPort || n > device::kLastPort) {
        return {};
    }
    return "COM" + std::to_string(n);
}

std::string DescribeComPort(int n) {
    return "COM" + std::to_string(n);
}

}  // namespace wb
