// SPDX-License-Identifier: GPL-3.0-or-later
// A folder of its own for one test, removed with the object. Tests of one suite run in parallel
// processes (and several builds may test at once), so a fixed name would be shared.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace wb::test {

class TempDir {
public:
    explicit TempDir(const std::string& prefix) {
        std::random_device random;
        do {
            path = std::filesystem::temp_directory_path() /
                   (prefix + "-" + std::to_string(random()) + std::to_string(random()));
        } while (!std::filesystem::create_directory(path));
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::filesystem::path path;
};

// The bytes of a file; empty when there is none.
inline std::string FileContents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace wb::test
