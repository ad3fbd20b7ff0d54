// SPDX-License-Identifier: GPL-3.0-or-later
// The port list of the page in a browser: first the ports the browser lets the page use, in the
// order the browser gives them, each named by its USB vendor and product ids ("USB serial
// 0403:6001"); then "Choose a port...", which asks the browser for another port; then "Simulated
// beacon". Every entry opens by its device name. A granted port is remembered by its USB ids and
// its position among the granted ports (PortEntry::identity and ::name), so that it is found
// again wherever it stands, and two adapters with the same ids are told apart by their places.
#pragma once

#include <string>
#include <vector>

#include "link/PortList.h"

namespace wb {

struct BrowserPort {
    int key = 0;  // the page's own number for the port, the same for as long as the page lives
    int usbVendorId = -1;  // -1 when the browser tells none
    int usbProductId = -1;
};

inline constexpr const char* kChoosePortLabel = "Choose a port...";
inline constexpr const char* kSimulatedBeaconLabel = "Simulated beacon";
inline constexpr const char* kChoosePortDevice = "choose";
inline constexpr const char* kSimulatedBeaconDevice = "simulated";

// "port:7" for the granted port with key 7.
std::string BrowserPortDevice(int key);

// The list for these granted ports; without `canAskForMore` (a browser without Web Serial) the
// list has no "Choose a port..." entry.
std::vector<PortEntry> ListBrowserPorts(const std::vector<BrowserPort>& granted,
                                        bool canAskForMore);

}  // namespace wb
