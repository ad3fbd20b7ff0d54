// SPDX-License-Identifier: GPL-3.0-or-later
// What every scanner shares: the table of USB serial chips, and the Windows scan's rules, which
// need only the records SetupAPI gives and so are tested everywhere.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>

#include "link/PortScan.h"

namespace wb {
namespace {

struct SerialChip {
    const char* usbIds;
    const char* name;
    const char* linuxDriver;
};

// The chips of common USB serial adapters and cables.
constexpr SerialChip kSerialChips[] = {
    {"0403:6001", "FT232R", "ftdi_sio"}, {"0403:6010", "FT2232", "ftdi_sio"},
    {"0403:6011", "FT4232", "ftdi_sio"}, {"0403:6014", "FT232H", "ftdi_sio"},
    {"0403:6015", "FT-X", "ftdi_sio"},   {"067b:2303", "PL2303", "pl2303"},
    {"067b:23a3", "PL2303GC", "pl2303"}, {"10c4:ea60", "CP210x", "cp210x"},
    {"10c4:ea70", "CP2105", "cp210x"},   {"1a86:7523", "CH340", "ch341"},
    {"1a86:7522", "CH340K", "ch341"},    {"1a86:5523", "CH341", "ch341"},
    {"1a86:55d4", "CH9102", "cdc_acm"},
};

const SerialChip* FindChip(const std::string& usbIds) {
    for (const SerialChip& chip : kSerialChips) {
        if (usbIds == chip.usbIds) {
            return &chip;
        }
    }
    return nullptr;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// The four hex digits after `key` in an upper-cased id, or "".
std::string HexAfter(const std::string& upper, const std::string& key) {
    const std::size_t at = upper.find(key);
    if (at == std::string::npos || at + key.size() + 4 > upper.size()) {
        return {};
    }
    const std::string digits = upper.substr(at + key.size(), 4);
    const bool hex = std::all_of(digits.begin(), digits.end(),
                                 [](unsigned char c) { return std::isxdigit(c) != 0; });
    return hex ? Lower(digits) : std::string();
}

// The number of "COM<n>" in any letter case (n of at most three digits), or 0 for any other name.
int ComNumber(const std::string& name) {
    const std::string upper = Upper(name);
    const bool digits = upper.size() >= 4 && upper.size() <= 6 &&
                        std::all_of(upper.begin() + 3, upper.end(),
                                    [](unsigned char c) { return std::isdigit(c) != 0; });
    return digits && upper.compare(0, 3, "COM") == 0 ? std::atoi(upper.c_str() + 3) : 0;
}

// "USB-SERIAL CH340 (COM3)" without its " (COM3)": the list says the name itself.
std::string WithoutPortName(const std::string& friendlyName, const std::string& portName) {
    const std::string suffix = " (" + portName + ")";
    if (friendlyName.size() > suffix.size() &&
        Lower(friendlyName.substr(friendlyName.size() - suffix.size())) == Lower(suffix)) {
        return friendlyName.substr(0, friendlyName.size() - suffix.size());
    }
    return friendlyName;
}

}  // namespace

std::string SerialChipName(const std::string& usbIds) {
    const SerialChip* chip = FindChip(usbIds);
    return chip != nullptr ? chip->name : "";
}

std::string SerialChipDriver(const std::string& usbIds) {
    const SerialChip* chip = FindChip(usbIds);
    return chip != nullptr ? chip->linuxDriver : "";
}

std::string UsbIdsOfInstance(const std::string& instanceId) {
    const std::string upper = Upper(instanceId);
    const std::string vendor = HexAfter(upper, "VID_");
    const std::string product = HexAfter(upper, "PID_");
    return vendor.empty() || product.empty() ? std::string() : vendor + ":" + product;
}

PortScan ScanWindowsPorts(WindowsDevices& system) {
    PortScan scan;
    scan.numbering = ComNumbering::ByName;
    std::set<int> known;
    for (const WindowsDevice& device : system.Ports()) {
        const int number = ComNumber(device.portName);
        if (number == 0 || !known.insert(number).second) {
            continue;  // a printer port, or a name given twice
        }
        SerialPortInfo port;
        port.name = "COM" + std::to_string(number);
        port.device = port.name;
        port.description = WithoutPortName(device.friendlyName, device.portName);
        port.usbIds = UsbIdsOfInstance(device.instanceId);
        port.identity = device.instanceId.empty() ? port.name : device.instanceId;
        scan.ports.push_back(port);
    }
    // Ports that the system opens by name but SetupAPI does not list (Wine's, some virtual ones).
    for (const std::string& name : system.ComNames()) {
        const int number = ComNumber(name);
        if (number != 0 && known.insert(number).second) {
            const std::string com = "COM" + std::to_string(number);
            scan.ports.push_back({com, com, "serial port", {}, {}, com});
        }
    }
    std::sort(scan.ports.begin(), scan.ports.end(),
              [](const SerialPortInfo& a, const SerialPortInfo& b) {
                  return ComNumber(a.name) < ComNumber(b.name);
              });
    for (const WindowsDevice& device : system.UsbDevices()) {
        const std::string ids = UsbIdsOfInstance(device.instanceId);
        const std::string chip = SerialChipName(ids);
        if (device.hasDriver || chip.empty()) {
            continue;
        }
        scan.adapters.push_back(
            {device.friendlyName.empty() ? chip + " USB serial adapter" : device.friendlyName, ids,
             "Windows knows it but has no driver for it, so it has no COM port: install the "
             "driver from the adapter's maker, then plug the adapter in again."});
    }
    return scan;
}

}  // namespace wb
