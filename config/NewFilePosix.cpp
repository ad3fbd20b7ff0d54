// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "config/NewFile.h"

namespace wb::files {
namespace {

std::string SystemReason() {
    return std::strerror(errno);
}

// What a create or a second name that the system refused comes to: Taken when the name exists.
Outcome Refusal(std::string& reason) {
    const bool taken = errno == EEXIST;
    reason = SystemReason();
    return taken ? Outcome::Taken : Outcome::Failed;
}

// Has the system put what `fd` holds on the disk. In the browser a file lives in memory until the
// page hands it over as a download: nothing to sync there (and a folder cannot be).
bool Sync([[maybe_unused]] int fd) {
#ifdef __EMSCRIPTEN__
    return true;
#else
    return fsync(fd) == 0;
#endif
}

}  // namespace

NewFile::~NewFile() {
    if (m_file >= 0) {
        close(static_cast<int>(m_file));
    }
}

Outcome NewFile::Create(const std::filesystem::path& path, const std::filesystem::path& like,
                        std::string& reason) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return Refusal(reason);
    }
    m_file = fd;
    struct stat old {};
    if (!like.empty() && stat(like.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        // The group first: changing it may clear the set-group-id bit that the mode then sets.
        // Either may be refused (the group is not the user's); the file is saved regardless.
        [[maybe_unused]] const int grouped = fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        [[maybe_unused]] const int moded = fchmod(fd, old.st_mode & 07777);
    }
    return Outcome::Done;
}

bool NewFile::WriteDurably(std::string_view data, std::string& reason) {
    const int fd = static_cast<int>(m_file);
    while (!data.empty()) {
        const ssize_t written = write(fd, data.data(), data.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            reason = SystemReason();
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    const bool synced = Sync(fd);
    if (!synced) {
        reason = SystemReason();
    }
    m_file = -1;
    if (close(fd) != 0 && synced) {
        reason = SystemReason();
        return false;
    }
    return synced;
}

Outcome Rename(const std::filesystem::path& from, const std::filesystem::path& to, bool replace,
               std::string& reason) {
    if (replace) {
        if (rename(from.c_str(), to.c_str()) != 0) {
            reason = SystemReason();
            return Outcome::Failed;
        }
        return Outcome::Done;
    }
    // A second name for the file fails when the name is taken, in one step: no other writer can
    // come between a look and the rename.
    if (link(from.c_str(), to.c_str()) == 0) {
        unlink(from.c_str());
        return Outcome::Done;
    }
    if (errno != EPERM && errno != EMLINK && errno != ENOTSUP && errno != ENOSYS) {
        return Refusal(reason);
    }
    // A file system without second names (FAT, the browser's): the name is claimed by creating
    // it exclusively, and the file then takes the place of that empty claim.
    const int claim = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (claim < 0) {
        return Refusal(reason);
    }
    close(claim);
    if (rename(from.c_str(), to.c_str()) != 0) {
        reason = SystemReason();
        unlink(to.c_str());
        return Outcome::Failed;
    }
    return Outcome::Done;
}

void SyncFolder(const std::filesystem::path& folder) {
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        // Some file systems cannot sync a folder; the file itself is on the disk by now.
        [[maybe_unused]] const bool synced = Sync(fd);
        close(fd);
    }
}

}  // namespace wb::files
