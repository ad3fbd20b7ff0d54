// SPDX-License-Identifier: GPL-3.0-or-later
// The port list every front end shows: COM1 to COM4 first, in their places (an entry's index
// plus 1 is its port number), each saying what stands behind it ("COM1 - FT232R USB UART
// (ttyUSB0)", "COM3 - USB-SERIAL CH340", "COM2 - no port"); then every other port of the scan by
// its name and description ("ttyUSB4 - CP2102 USB to UART Bridge Controller", "COM7 - USB Serial
// Port"), which opens by that name.
#pragma once

#include <string>
#include <vector>

#include "link/PortMap.h"
#include "link/PortScan.h"

namespace wb {

struct PortEntry {
    int number = 0;      // 1 to 4 for COM1 to COM4, 0 for the ports after them
    std::string label;   // what the list shows
    std::string device;  // what opens it; "" for a COMn with nothing behind it
    std::string name;    // the port's own name ("ttyUSB0", "COM7"); "" when there is none
    std::string description;
    std::string maker;
    std::string usbIds;
    std::string identity;  // what the port is remembered by; "" when nothing stands behind it
    std::string origin;    // "WRENBEACON_COM2" when that variable chose the device
    std::string tip;       // what it is, in a line or two, for a tooltip
};

// The list for `scan`, with WRENBEACON_COMn looked up through `env`.
std::vector<PortEntry> ListPorts(const PortScan& scan, const EnvLookup& env);

// The list of this machine now.
std::vector<PortEntry> ListPlatformPorts();

// "FTDI FT232R USB UART": the description with the maker before it, unless it says it already.
std::string MakerAndDescription(const std::string& maker, const std::string& description);

}  // namespace wb
