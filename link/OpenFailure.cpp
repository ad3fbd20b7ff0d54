#include "OpenFailure.h"

#include <grp.h>
#include <sys/stat.h>

#include <cerrno>
#include <system_error>
#include <vector>

#include "link/PortMap.h"

namespace wb {

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
            return device +
                   " is busy: another program holds the port. Close that program and try "
                   "again.";
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return "No such device: " + device + ". Check that the adapter is plugged in and the " +
                   "cable is connected, or set " + variable + " to the right device.";
        default:
            return device + ": " + std::generic_category().message(error) + ".";
    }
}

std::string DeviceGroup(const std::string& device) {
    struct stat info {};
    if (stat(device.c_str(), &info) != 0) {
        return {};
    }
    // The reentrant lookup: exchanges may run on a worker thread.
    std::vector<char> buffer(1024);
    group entry{};
    group* found = nullptr;
    while (getgrgid_r(info.st_gid, &entry, buffer.data(), buffer.size(), &found) == ERANGE &&
           buffer.size() < (1u << 20)) {
        buffer.resize(buffer.size() * 2);
    }
    return found != nullptr ? found->gr_name : std::string();
}

}  // namespace wb
