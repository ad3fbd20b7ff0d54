// SPDX-License-Identifier: GPL-3.0-or-later
// Which programs hold a device open, read from the /proc of a Linux tree (POSIX only, apart
// from DescribeProcesses). Another user's
// processes cannot be looked into without privileges; they are missing from the answers.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace wb {

struct ProcessInfo {
    int pid = 0;
    std::string name;  // the command name (comm), at most 15 characters
};

// The processes under `root`/proc with a descriptor open on `device`: the same device number,
// or for files that are no devices (a tree built by a test), the same file.
std::vector<ProcessInfo> ProcessesHolding(const std::filesystem::path& device,
                                          const std::filesystem::path& root);

// The processes whose command name is `name`.
std::vector<ProcessInfo> ProcessesNamed(const std::string& name, const std::filesystem::path& root);

// "minicom (pid 4242)", several joined by " and ".
inline std::string DescribeProcesses(const std::vector<ProcessInfo>& processes) {
    std::string text;
    for (const ProcessInfo& p : processes) {
        text += (text.empty() ? "" : " and ") + p.name + " (pid " + std::to_string(p.pid) + ")";
    }
    return text;
}

}  // namespace wb
