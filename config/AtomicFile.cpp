// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/AtomicFile.h"

#include <random>
#include <system_error>

#include "config/NewFile.h"
#include "core/PathText.h"

namespace wb {
namespace {

namespace fs = std::filesystem;
using files::Outcome;

// More hops than this is a loop of links; the last name reached is used, and the rename says why
// it cannot be.
constexpr int kMaxLinkHops = 40;
// Tries for a temporary name that nobody else has taken.
constexpr int kMaxTemporaryNames = 16;

// The file that `path` names after every symbolic link on the way, followed even where it
// points to nothing yet.
fs::path FollowLinks(fs::path path) {
    std::error_code ec;
    for (int hop = 0; hop < kMaxLinkHops && fs::is_symlink(path, ec); ++hop) {
        const fs::path to = fs::read_symlink(path, ec);
        if (ec) {
            break;
        }
        path = to.is_absolute() ? to : path.parent_path() / to;
    }
    return path;
}

// A name in the target's folder: the rename must not cross file systems.
fs::path TemporaryBeside(const fs::path& target) {
    static thread_local std::mt19937 random{std::random_device{}()};
    fs::path temp = target;
    temp += ".tmp" + std::to_string(std::uniform_int_distribution<unsigned>(0, 0xFFFFFF)(random));
    return temp;
}

std::string FolderName(const fs::path& target) {
    const fs::path folder = target.parent_path();
    return folder.empty() ? std::string("the current folder") : Utf8Of(folder);
}

// Writes `data` into a temporary file beside `target` (with the permissions of `like`, if any)
// and puts it on the disk, so that a crash or a power cut just after saving leaves the old file
// or the new one, never an empty one. The temporary file's name, or empty (told in `reason`).
fs::path WriteTemporary(const fs::path& target, const fs::path& like, std::string_view data,
                        std::string& reason) {
    for (int attempt = 0; attempt < kMaxTemporaryNames; ++attempt) {
        const fs::path temp = TemporaryBeside(target);
        files::NewFile file;
        const Outcome created = file.Create(temp, like, reason);
        if (created == Outcome::Taken) {
            continue;
        }
        if (created == Outcome::Failed) {
            reason = "cannot create a file in " + FolderName(target) + ": " + reason;
            return {};
        }
        if (!file.WriteDurably(data, reason)) {
            std::error_code ec;
            fs::remove(temp, ec);
            reason = "writing failed (is the disk full?): " + reason;
            return {};
        }
        return temp;
    }
    reason = "cannot create a file in " + FolderName(target) + ": every temporary name is taken";
    return {};
}

}  // namespace

bool WriteFileAtomically(const fs::path& target, std::string_view data, std::string& reason) {
    const fs::path file = FollowLinks(target);
    const fs::path temp = WriteTemporary(file, file, data, reason);
    if (temp.empty()) {
        return true;
    }
    if (files::Rename(temp, file, true, reason) != Outcome::Done) {
        std::error_code ec;
        fs::remove(temp, ec);
        return true;
    }
    files::SyncFolder(file.parent_path());
    return false;
}

fs::path WriteNewFileAtomically(const std::function<fs::path(int)>& nameFor, int count,
                                std::string_view data, std::string& reason) {
    // Written once; whether a name is free is decided by the rename alone, never by a look
    // before it, which another program could overtake.
    const fs::path temp = WriteTemporary(nameFor(1), fs::path(), data, reason);
    if (temp.empty()) {
        return {};
    }
    for (int n = 1; n <= count; ++n) {
        const fs::path name = nameFor(n);
        const Outcome renamed = files::Rename(temp, name, false, reason);
        if (renamed == Outcome::Done) {
            files::SyncFolder(name.parent_path());
            return name;
        }
        if (renamed == Outcome::Failed) {
            break;
        }
        reason = "every name is taken, up to " + Utf8Of(name.filename());
    }
    std::error_code ec;
    fs::remove(temp, ec);
    return {};
}

}  // namespace wb
