// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ProcessTable.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>

namespace wb {
namespace {

namespace fs = std::filesystem;

// The numbered folders of root/proc, in pid order.
std::vector<int> Pids(const fs::path& root) {
    std::vector<int> pids;
    std::error_code ec;
    for (fs::directory_iterator it(root / "proc", ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!name.empty() && std::all_of(name.begin(), name.end(),
                                         [](unsigned char c) { return std::isdigit(c) != 0; })) {
            pids.push_back(std::stoi(name));
        }
    }
    std::sort(pids.begin(), pids.end());
    return pids;
}

std::string CommandName(const fs::path& root, int pid) {
    std::ifstream file(root / "proc" / std::to_string(pid) / "comm");
    std::string name;
    std::getline(file, name);
    return name;
}

bool SameFile(const fs::path& descriptor, const struct stat& wanted, const fs::path& wantedPath) {
    struct stat info {};
    if (stat(descriptor.c_str(), &info) != 0) {
        return false;
    }
    if (S_ISCHR(wanted.st_mode)) {
        return S_ISCHR(info.st_mode) && info.st_rdev == wanted.st_rdev;
    }
    std::error_code ec;
    return fs::equivalent(descriptor, wantedPath, ec);
}

}  // namespace

std::vector<ProcessInfo> ProcessesHolding(const fs::path& device, const fs::path& root) {
    std::vector<ProcessInfo> found;
    struct stat wanted {};
    if (stat(device.c_str(), &wanted) != 0) {
        return found;
    }
    for (int pid : Pids(root)) {
        std::error_code ec;
        const fs::path fds = root / "proc" / std::to_string(pid) / "fd";
        for (fs::directory_iterator it(fds, ec), end; !ec && it != end; it.increment(ec)) {
            if (SameFile(it->path(), wanted, device)) {
                found.push_back({pid, CommandName(root, pid)});
                break;
            }
        }
    }
    return found;
}

std::vector<ProcessInfo> ProcessesNamed(const std::string& name, const fs::path& root) {
    std::vector<ProcessInfo> found;
    for (int pid : Pids(root)) {
        if (CommandName(root, pid) == name) {
            found.push_back({pid, name});
        }
    }
    return found;
}

}  // namespace wb
