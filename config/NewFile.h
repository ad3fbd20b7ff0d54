// SPDX-License-Identifier: GPL-3.0-or-later
// What saving a file needs from the system, one file per platform. Every reason is the system's
// own, in UTF-8.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace wb::files {

enum class Outcome { Done, Taken, Failed };

// A file that did not exist until this object created it.
class NewFile {
public:
    NewFile() = default;
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    // Creates `path` for writing only when nothing has that name (Taken otherwise). The file gets
    // the permissions of `like` when that names a file (POSIX), otherwise those of any new file.
    Outcome Create(const std::filesystem::path& path, const std::filesystem::path& like,
                   std::string& reason);
    // Writes all of `data`, has the system put it on the disk and closes the file.
    bool WriteDurably(std::string_view data, std::string& reason);

private:
    std::intptr_t m_file = -1;
};

// Gives the file `from` the name `to`. With `replace`, whatever `to` named is replaced in one
// step; without, `to` is taken only while nothing has that name (Taken otherwise, and `from`
// stays). Done and Taken leave the folder's entries on their way to the disk.
Outcome Rename(const std::filesystem::path& from, const std::filesystem::path& to, bool replace,
               std::string& reason);

// Has the system put the entries of `folder` on the disk, so that a rename survives a power cut.
void SyncFolder(const std::filesystem::path& folder);

}  // namespace wb::files
