// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/PortList.h"

#include <set>

#include "link/DeviceProtocol.h"

namespace wb {
namespace {

void Describe(PortEntry& entry, const SerialPortInfo& port) {
    entry.name = port.name;
    entry.description = port.description;
    entry.maker = port.maker;
    entry.usbIds = port.usbIds;
    entry.identity = port.identity;
    entry.tip = entry.device;
    if (port.identity != entry.device) {
        entry.tip += "\n" + port.identity;
    }
    if (!port.usbIds.empty()) {
        entry.tip +=
            "\nUSB " + port.usbIds + " " + MakerAndDescription(port.maker, port.description);
    }
}

}  // namespace

std::string MakerAndDescription(const std::string& maker, const std::string& description) {
    if (maker.empty() || description.find(maker) != std::string::npos) {
        return description;
    }
    return maker + " " + description;
}

std::vector<PortEntry> ListPorts(const PortScan& scan, const EnvLookup& env) {
    std::vector<PortEntry> list;
    std::set<int> shown;  // ports of the scan that COM1 to COM4 stand for
    for (int n = device::kFirstPort; n <= device::kLastPort; ++n) {
        const std::string com = "COM" + std::to_string(n);
        const PortChoice choice = ChooseComPort(n, env, scan);
        PortEntry entry;
        entry.number = n;
        entry.device = choice.device;
        entry.origin = choice.origin.starts_with("WRENBEACON_COM") ? choice.origin : "";
        if (choice.scanIndex >= 0) {
            const SerialPortInfo& port = scan.ports[static_cast<std::size_t>(choice.scanIndex)];
            shown.insert(choice.scanIndex);
            Describe(entry, port);
            entry.label = com + " - " + port.description;
            if (port.name != com) {
                entry.label += " (" + port.name + ")";
            }
        } else if (!entry.origin.empty()) {
            entry.label = com + " - " + choice.device + " (" + entry.origin + ")";
            entry.identity = choice.device;
            entry.tip = choice.device;
        } else {
            entry.label = com + " - no port";
            entry.tip = choice.device.empty() ? DescribePortChoice(n, choice)
                                              : "There is no " + com + " on this computer.";
        }
        if (!entry.origin.empty()) {
            entry.tip += "\nchosen by " + entry.origin;
        }
        list.push_back(entry);
    }
    for (std::size_t i = 0; i < scan.ports.size(); ++i) {
        if (shown.contains(static_cast<int>(i))) {
            continue;
        }
        const SerialPortInfo& port = scan.ports[i];
        PortEntry entry;
        entry.device = port.device;
        Describe(entry, port);
        entry.label = port.description.empty() ? port.name : port.name + " - " + port.description;
        list.push_back(entry);
    }
    return list;
}

}  // namespace wb
