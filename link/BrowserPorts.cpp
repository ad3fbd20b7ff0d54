// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/BrowserPorts.h"

#include <cstdio>
#include <map>

namespace wb {
namespace {

std::string UsbIds(const BrowserPort& port) {
    if (port.usbVendorId < 0 || port.usbProductId < 0) {
        return {};
    }
    char text[16];
    std::snprintf(text, sizeof text, "%04x:%04x", port.usbVendorId & 0xFFFF,
                  port.usbProductId & 0xFFFF);
    return text;
}

}  // namespace

std::string BrowserPortDevice(int key) {
    return "port:" + std::to_string(key);
}

std::vector<PortEntry> ListBrowserPorts(const std::vector<BrowserPort>& granted,
                                        bool canAskForMore) {
    std::vector<PortEntry> list;
    std::map<std::string, int> seen;  // label -> how many ports so far have it
    for (std::size_t i = 0; i < granted.size(); ++i) {
        PortEntry entry;
        const std::string position = std::to_string(i + 1);
        entry.device = BrowserPortDevice(granted[i].key);
        entry.name = "granted port " + position;
        entry.usbIds = UsbIds(granted[i]);
        entry.description = SerialChipName(entry.usbIds);
        if (entry.usbIds.empty()) {
            entry.label = "Serial port";
            entry.identity = "serial port";
            entry.tip = "A serial port this page may use (the browser tells no USB ids for it).";
        } else {
            entry.label = "USB serial " + entry.usbIds;
            entry.identity = "usb " + entry.usbIds;
            entry.tip = "USB vendor and product " + entry.usbIds +
                        (entry.description.empty() ? "" : " (" + entry.description + ")") +
                        ": a port this page may use.";
        }
        // Two adapters of one kind look alike: the second one on says which it is.
        if (const int before = seen[entry.label]++; before > 0) {
            entry.label += " (" + std::to_string(before + 1) + ")";
        }
        entry.tip += "\nNumber " + position + " of the ports this page may use.";
        list.push_back(entry);
    }
    if (canAskForMore) {
        PortEntry choose;
        choose.label = kChoosePortLabel;
        choose.device = kChoosePortDevice;
        choose.prompt = true;
        choose.tip = "Asks the browser for another port: pick the beacon's adapter.";
        list.push_back(choose);
    }
    PortEntry simulated;
    simulated.label = kSimulatedBeaconLabel;
    simulated.device = kSimulatedBeaconDevice;
    simulated.tip = "A beacon simulated inside this page, to try every button without one.";
    list.push_back(simulated);
    return list;
}

}  // namespace wb
