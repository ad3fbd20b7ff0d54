// SPDX-License-Identifier: GPL-3.0-or-later
// Why a serial port could not be opened, and what to do about it, in one line for the user.
#pragma once

#include <string>

namespace wb {

// POSIX: `device` is the path COM`port` maps to (empty: nothing maps to it), `error` the errno of
// the failed open (EBUSY also stands for a port locked by another program), `group` the group that
// owns the device (looked up by the caller for EACCES; may be empty).
std::string OpenFailureDetail(int port, const std::string& device, int error,
                              const std::string& group);

// The line for a port that another program holds, on every platform.
std::string PortBusyDetail(const std::string& device);

// The name of the group that owns `device`, or an empty string (POSIX only).
std::string DeviceGroup(const std::string& device);

}  // namespace wb
