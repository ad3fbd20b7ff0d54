// SPDX-License-Identifier: GPL-3.0-or-later
// Saving keeps what the user had: the permissions of the file it replaces, a symbolic link, and
// any file that already has the name a new one would take.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "config/AtomicFile.h"
#include "config/NewFile.h"
#include "tests/support/TempDir.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace wb {
namespace {

namespace fs = std::filesystem;

void Put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::size_t EntriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// A file that has the name is never opened or replaced: not a file, not a link to one elsewhere.
TEST(AtomicFile, NeverTakesANameThatIsTaken) {
    const test::TempDir temp("wb-taken");
    const auto name = [&](int n) { return temp.path / ("backup-" + std::to_string(n) + ".bin"); };
    Put(name(1), "old");
    std::string reason;
    EXPECT_EQ(WriteNewFileAtomically(name, 3, "new", reason), name(2));
    EXPECT_EQ(wb::test::FileContents(name(1)), "old");
    EXPECT_EQ(wb::test::FileContents(name(2)), "new");
    EXPECT_EQ(WriteNewFileAtomically(name, 2, "newer", reason), fs::path());
    EXPECT_EQ(reason, "every name is taken, up to backup-2.bin");
    EXPECT_EQ(wb::test::FileContents(name(2)), "new");
    EXPECT_EQ(EntriesIn(temp.path), 2u) << "a temporary file is left";
#ifndef _WIN32
    // A link planted where a temporary file could go leads nowhere the program writes.
    fs::create_symlink(name(1), temp.path / "planted");
    files::NewFile through;
    EXPECT_EQ(through.Create(temp.path / "planted", {}, reason), files::Outcome::Taken);
    EXPECT_EQ(wb::test::FileContents(name(1)), "old");
#endif
}

#ifndef _WIN32
TEST(AtomicFile, KeepsThePermissionsOfTheFileItReplaces) {
    const test::TempDir temp("wb-mode");
    const mode_t mask = umask(022);
    const auto modeOf = [](const fs::path& path) {
        struct stat s {};
        stat(path.c_str(), &s);
        return s.st_mode & 07777;
    };
    const fs::path file = temp.path / "private.toml";
    Put(file, "old");
    chmod(file.c_str(), 0640);
    std::string reason;
    ASSERT_FALSE(WriteFileAtomically(file, "new", reason)) << reason;
    EXPECT_EQ(wb::test::FileContents(file), "new");
    EXPECT_EQ(modeOf(file), 0640u);
    ASSERT_FALSE(WriteFileAtomically(temp.path / "fresh.toml", "new", reason));
    EXPECT_EQ(modeOf(temp.path / "fresh.toml"), 0644u) << "a new file has the umask's";
    umask(mask);
}

// The link stays a link, also in a chain of them and where it points to nothing yet.
TEST(AtomicFile, WritesThroughSymbolicLinksToTheirFile) {
    const test::TempDir temp("wb-link");
    fs::create_directories(temp.path / "real");
    Put(temp.path / "real" / "beacon.toml", "old");
    fs::create_symlink("real/beacon.toml", temp.path / "link.toml");
    fs::create_symlink(temp.path / "link.toml", temp.path / "chain.toml");
    fs::create_symlink("real/later.toml", temp.path / "dangling.toml");
    std::string reason;
    ASSERT_FALSE(WriteFileAtomically(temp.path / "link.toml", "first", reason)) << reason;
    EXPECT_EQ(wb::test::FileContents(temp.path / "real" / "beacon.toml"), "first");
    ASSERT_FALSE(WriteFileAtomically(temp.path / "chain.toml", "second", reason)) << reason;
    EXPECT_EQ(wb::test::FileContents(temp.path / "real" / "beacon.toml"), "second");
    ASSERT_FALSE(WriteFileAtomically(temp.path / "dangling.toml", "third", reason)) << reason;
    EXPECT_EQ(wb::test::FileContents(temp.path / "real" / "later.toml"), "third");
    for (const char* link : {"link.toml", "chain.toml", "dangling.toml"}) {
        EXPECT_TRUE(fs::is_symlink(temp.path / link)) << link;
    }
    EXPECT_EQ(EntriesIn(temp.path / "real"), 2u) << "a temporary file is left";
}
#endif

}  // namespace
}  // namespace wb
