// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortMap.h"

#include <algorithm>
#include <cctype>

#include "link/DeviceProtocol.h"

namespace wb {
namespace {

bool SameName(std::string a, std::string b, ComNumbering numbering) {
    if (numbering == ComNumbering::ByName) {
        // Windows port names have no letter case, and may come with the prefix \\.\ .
        for (std::string* name : {&a, &b}) {
            if (name->starts_with("\\\\.\\")) {
                name->erase(0, 4);
            }
            std::transform(name->begin(), name->end(), name->begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        }
    }
    return a == b;
}

// The port of the scan that `device` names: by what opens it, its stable name, or its name.
int FindInScan(const std::string& device, const PortScan& scan) {
    for (std::size_t i = 0; i < scan.ports.size(); ++i) {
        const SerialPortInfo& port = scan.ports[i];
        for (const std::string* name : {&port.device, &port.identity, &port.name}) {
            if (SameName(device, *name, scan.numbering)) {
                return static_cast<int>(i);
            }
        }
    }
    return -1;
}

}  // namespace

std::string PortVariableName(int n) {
    return "WRENBEACON_COM" + std::to_string(n);
}

PortChoice ChooseComPort(int n, const EnvLookup& env, const PortScan& scan) {
    if (n < device::kFirstPort || n > device::kLastPort) {
        return {};
    }
    const std::string variable = PortVariableName(n);
    if (const char* value = env(variable.c_str()); value != nullptr && *value != '\0') {
        return {value, variable, FindInScan(value, scan)};
    }
    if (scan.numbering == ComNumbering::ByName) {
        const std::string name = "COM" + std::to_string(n);
        return {name, {}, FindInScan(name, scan)};
    }
    if (static_cast<std::size_t>(n) > scan.ports.size()) {
        return {};
    }
    const SerialPortInfo& chosen = scan.ports[static_cast<std::size_t>(n - 1)];
    return {chosen.device, chosen.identity, n - 1};
}

std::string DescribePortChoice(int n, const PortChoice& choice) {
    const std::string port = "COM" + std::to_string(n);
    if (choice.device.empty()) {
        return port + ": no serial port found on this computer (set " + PortVariableName(n) +
               " to choose one)";
    }
    if (choice.origin.empty()) {
        return choice.device == port ? port : port + " = " + choice.device;
    }
    return port + " = " + choice.device + " (" + choice.origin + ")";
}

}  // namespace wb
