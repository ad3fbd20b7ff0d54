// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortMap.h"

#include <algorithm>

#include "link/DeviceProtocol.h"

namespace wb {

std::string PortVariableName(int n) {
    return "WRENBEACON_COM" + std::to_string(n);
}

PortChoice ChooseComPort(int n, const EnvLookup& env, std::vector<SerialAdapter> usb,
                         const std::vector<SerialAdapter>& builtIn) {
    if (n < device::kFirstPort || n > device::kLastPort) {
        return {};
    }
    const std::string variable = PortVariableName(n);
    if (const char* value = env(variable.c_str()); value != nullptr && *value != '\0') {
        return {value, variable};
    }
    std::sort(usb.begin(), usb.end(),
              [](const SerialAdapter& a, const SerialAdapter& b) { return a.name < b.name; });
    usb.insert(usb.end(), builtIn.begin(), builtIn.end());
    if (static_cast<std::size_t>(n) > usb.size()) {
        return {};
    }
    const SerialAdapter& chosen = usb[static_cast<std::size_t>(n - 1)];
    return {chosen.device, chosen.name};
}

std::string DescribePortChoice(int n, const PortChoice& choice) {
    const std::string port = "COM" + std::to_string(n);
    if (choice.device.empty()) {
        return port + ": no serial port found on this computer (set " + PortVariableName(n) +
               " to choose one)";
    }
    return port + " = " + choice.device + " (" + choice.origin + ")";
}

}  // namespace wb
