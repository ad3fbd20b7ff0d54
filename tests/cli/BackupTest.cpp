// SPDX-License-Identifier: GPL-3.0-or-later
// A backup never replaces a file, also when several runs save one in the same second.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <latch>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/Backup.h"
#include "tests/support/TempDir.h"

namespace wb::cli {
namespace {

namespace fs = std::filesystem;

TEST(Backup, RunsInTheSameSecondKeepEveryBackupAndReplaceNothing) {
    const test::TempDir temp("wb-backup");
    std::tm when{};
    when.tm_year = 125;  // 2025-06-01 10:15:00
    when.tm_mon = 5;
    when.tm_mday = 1;
    when.tm_hour = 10;
    when.tm_min = 15;
    fs::create_directories(temp.path / "backups");
    const fs::path first = temp.path / "backups" / "wrenbeacon-20250601-101500.bin";
    std::ofstream(first, std::ios::binary) << "kept";

    // Two tools, each backing up beacons as fast as it can, from the same moment on.
    constexpr int kThreads = 2, kEach = 8;
    std::vector<std::string> saved[kThreads];
    std::latch start(kThreads);
    std::vector<std::thread> tools;
    for (int t = 0; t < kThreads; ++t) {
        tools.emplace_back([&, t] {
            start.arrive_and_wait();
            for (int k = 0; k < kEach; ++k) {
                ConfigFile held;
                held.image.assign(128, static_cast<BYTE>(t * kEach + k));
                saved[t].push_back(SaveBackup(temp.path, when, held).filename().string());
            }
        });
    }
    for (std::thread& tool : tools) {
        tool.join();
    }

    EXPECT_EQ(wb::test::FileContents(first), "kept");
    std::set<std::string> names, contents;
    for (const auto& names_of_one : saved) {
        for (const std::string& name : names_of_one) {
            names.insert(name);
            contents.insert(wb::test::FileContents(temp.path / "backups" / name));
        }
    }
    EXPECT_EQ(names.size(), std::size_t{kThreads * kEach}) << "two backups got one name";
    EXPECT_EQ(contents.size(), std::size_t{kThreads * kEach}) << "a backup was replaced";
    EXPECT_EQ(names.count("wrenbeacon-20250601-101500.bin"), 0u);
    EXPECT_EQ(names.count("wrenbeacon-20250601-101500-2.bin"), 1u);
    EXPECT_EQ(static_cast<std::size_t>(std::distance(fs::directory_iterator(temp.path / "backups"),
                                                     fs::directory_iterator())),
              std::size_t{kThreads * kEach + 1});
}

}  // namespace
}  // namespace wb::cli
