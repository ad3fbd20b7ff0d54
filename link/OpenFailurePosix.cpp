// SPDX-License-Identifier: GPL-3.0-or-later
// The facts about a failed open that a Linux or macOS machine can tell.
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "link/OpenFailure.h"

namespace wb {

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

std::string ExplainOpenFailure(int port, const std::string& device, int error) {
    PosixOpenFailure failure{port, device, error, {}, {}, {}, {}};
    if (error == EACCES || error == EPERM) {
        failure.group = DeviceGroup(device);
    } else if (error == EBUSY) {
        // This program is not worth naming: closing it would not free the port.
        failure.holders = ProcessesHolding(device, "/");
        std::erase_if(failure.holders, [](const ProcessInfo& p) { return p.pid == getpid(); });
        failure.modemManager = ProcessesNamed("ModemManager", "/");
    } else if (device.empty() || error == ENOENT || error == ENODEV || error == ENXIO) {
        failure.adapters = ScanPlatformPorts().adapters;
    }
    return OpenFailureDetail(failure);
}

}  // namespace wb
