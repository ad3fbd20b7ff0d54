// SPDX-License-Identifier: GPL-3.0-or-later
#include <grp.h>
#include <sys/stat.h>

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

}  // namespace wb
