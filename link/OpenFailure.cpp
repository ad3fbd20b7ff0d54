// SPDX-License-Identifier: GPL-3.0-or-later
#include "OpenFailure.h"

#include <cerrno>
#include <system_error>

#include "link/PortMap.h"

namespace wb {
namespace {

// " A CH340 USB serial adapter (1a86:7523) is plugged in but has no serial port. <why>" for each.
std::string AdaptersWithoutPort(const std::vector<AdapterWithoutPort>& adapters) {
    std::string text;
    for (const AdapterWithoutPort& a : adapters) {
        text += " A " + a.description + (a.usbIds.empty() ? "" : " (" + a.usbIds + ")") +
                " is plugged in but has no serial port. " + a.reason;
    }
    return text;
}

const char kModemManager[] =
    "the mobile broadband service, which looks for a modem on every "
    "adapter for a few seconds after it is plugged in";

std::string BusyDetail(const PosixOpenFailure& f) {
    const std::string busy = f.device + " is busy: ";
    if (f.holders.size() == 1 && f.holders.front().name == "ModemManager") {
        return busy + DescribeProcesses(f.holders) + " holds it, " + kModemManager +
               ". Wait a moment and try again; if it stays busy, stop that service (sudo "
               "systemctl stop ModemManager).";
    }
    if (f.holders.size() > 1) {
        return busy + DescribeProcesses(f.holders) +
               " hold it. Close those programs and try again.";
    }
    if (!f.holders.empty()) {
        return busy + DescribeProcesses(f.holders) + " holds it. Close that program and try again.";
    }
    if (!f.modemManager.empty()) {
        return busy + "another program holds it, perhaps " + DescribeProcesses(f.modemManager) +
               ", " + kModemManager +
               ". Wait a moment and try again, or close the program that "
               "holds the port.";
    }
    return busy + "another program holds the port. Close that program and try again.";
}

}  // namespace

std::string OpenFailureDetail(const PosixOpenFailure& f) {
    const std::string variable = PortVariableName(f.port);
    if (f.device.empty()) {
        return "No serial adapter maps to COM" + std::to_string(f.port) +
               " on this computer. Plug one in, or set " + variable +
               " to the device to use (for example /dev/ttyUSB0)." +
               AdaptersWithoutPort(f.adapters);
    }
    switch (f.error) {
        case EACCES:
        case EPERM:
            if (!f.group.empty()) {
                return "No permission to use " + f.device + ": it belongs to the group '" +
                       f.group + "'. Join that group with 'sudo usermod -aG " + f.group +
                       " $USER', then log out and in again.";
            }
            return "No permission to use " + f.device +
                   ". Ask for read and write access to it, then log out and in again.";
        case EBUSY:
            return BusyDetail(f);
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return "No such device: " + f.device +
                   ". Check that the adapter is plugged in and the cable is connected" +
                   (f.port > 0 ? ", or set " + variable + " to the right device." : ".") +
                   AdaptersWithoutPort(f.adapters);
        default:
            return f.device + ": " + std::generic_category().message(f.error) + ".";
    }
}

std::string WindowsOpenFailureDetail(const std::string& name, WindowsOpenError error,
                                     const std::string& systemMessage,
                                     const std::vector<AdapterWithoutPort>& adapters) {
    switch (error) {
        case WindowsOpenError::InUse:
            return name + " is in use by another program. Close that program and try again.";
        case WindowsOpenError::NotFound:
            return "There is no " + name + " on this computer." +
                   (adapters.empty() ? " Check that the adapter is plugged in; the port list "
                                       "shows every port Windows has."
                                     : AdaptersWithoutPort(adapters));
        case WindowsOpenError::Other:
            break;
    }
    return name + ": " + systemMessage;
}

}  // namespace wb
