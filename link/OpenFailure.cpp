// SPDX-License-Identifier: GPL-3.0-or-later
#include "OpenFailure.h"

#include <cerrno>
#include <system_error>

#include "link/PortMap.h"

namespace wb {

std::string PortBusyDetail(const std::string& device) {
    return device + " is busy: another program holds the port. Close that program and try again.";
}

std::string OpenFailureDetail(int port, const std::string& device, int error,
                              const std::string& group) {
    const std::string com = "COM" + std::to_string(port);
    const std::string variable = PortVariableName(port);
    if (device.empty()) {
        return "No serial adapter maps to " + com + " on this computer. Plug one in, or set " +
               variable + " to the device to use (for example /dev/ttyUSB0).";
    }
    switch (error) {
        case EACCES:
        case EPERM:
            if (!group.empty()) {
                return "No permission to use " + device + ": it belongs to the group '" + group +
                       "'. Join that group with 'sudo usermod -aG " + group +
                       " $USER', then log out and in again.";
            }
            return "No permission to use " + device +
                   ". Ask for read and write access to it, then log out and in again.";
        case EBUSY:
            return PortBusyDetail(device);
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return "No such device: " + device + ". Check that the adapter is plugged in and the " +
                   "cable is connected, or set " + variable + " to the right device.";
        default:
            return device + ": " + std::generic_category().message(error) + ".";
    }
}

}  // namespace wb
