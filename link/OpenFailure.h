// SPDX-License-Identifier: GPL-3.0-or-later
// Why a serial port could not be opened, and what to do about it, in a line or two for the user:
// the detail under "Count not aquire Com Port".
#pragma once

#include <string>
#include <vector>

#include "link/PortScan.h"
#include "link/ProcessTable.h"

namespace wb {

// What is known about a failed open on Linux or macOS.
struct PosixOpenFailure {
    int port = 0;        // the COMn asked for; 0 when the port was named
    std::string device;  // the path opened; empty when nothing maps to COMn
    int error = 0;       // errno of the open (EBUSY also for a port another program has locked)
    std::string group;   // EACCES: the group that owns the device, if known
    std::vector<ProcessInfo> holders;          // EBUSY: the programs that hold the device open
    std::vector<ProcessInfo> modemManager;     // EBUSY: ModemManager, when it runs
    std::vector<AdapterWithoutPort> adapters;  // missing device: adapters plugged in without one
};

std::string OpenFailureDetail(const PosixOpenFailure& failure);

// Gathers what the machine tells about the failure (the device's group, the programs holding it,
// adapters without a device) and describes it. POSIX only.
std::string ExplainOpenFailure(int port, const std::string& device, int error);

enum class WindowsOpenError { NotFound, InUse, Other };

// `name` is the port as opened ("COM7"); `systemMessage` the system's text for Other; `adapters`
// those Windows has no driver for.
std::string WindowsOpenFailureDetail(const std::string& name, WindowsOpenError error,
                                     const std::string& systemMessage,
                                     const std::vector<AdapterWithoutPort>& adapters);

// The name of the group that owns `device`, or an empty string (POSIX only).
std::string DeviceGroup(const std::string& device);

}  // namespace wb
