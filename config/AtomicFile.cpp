// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/AtomicFile.h"

#include <cstdio>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace wb {
namespace {

namespace fs = std::filesystem;

// A name in the target's folder that no other writer picks: the rename must not cross file
// systems, and two programs saving at once must not share one temporary file.
fs::path TemporaryBeside(const fs::path& target) {
    std::random_device random;
    const auto tag = std::to_string(std::uniform_int_distribution<unsigned>(0, 0xFFFFFF)(random));
    fs::path temp = target;
    temp += ".tmp" + tag;
    return temp;
}

std::FILE* OpenNew(const fs::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wb");
#else
    return std::fopen(path.c_str(), "wb");
#endif
}

// Writes `data` and has the system put it on the disk before the rename makes it the target,
// so that a crash or a power cut just after saving leaves the old file or the new one, never an
// empty one. True on success.
bool WriteDurably(std::FILE* file, std::string_view data) {
    bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    written = std::fflush(file) == 0 && written;
#if defined(_WIN32)
    written = _commit(_fileno(file)) == 0 && written;
#elif defined(__EMSCRIPTEN__)
    // In the browser the file lives in memory until the page hands it over as a download.
#else
    written = fsync(fileno(file)) == 0 && written;
#endif
    return std::fclose(file) == 0 && written;
}

}  // namespace

bool WriteFileAtomically(const fs::path& target, std::string_view data, std::string& reason) {
    fs::path temp;
    std::error_code ec;
    for (int attempt = 0; attempt < 8; ++attempt) {
        temp = TemporaryBeside(target);
        if (!fs::exists(temp, ec)) {
            break;
        }
    }
    std::FILE* file = OpenNew(temp);
    if (file == nullptr) {
        const fs::path folder = target.parent_path();
        reason = "cannot create a file in " +
                 (folder.empty() ? std::string("the current folder") : folder.string());
        return true;
    }
    if (!WriteDurably(file, data)) {
        fs::remove(temp, ec);
        reason = "writing failed (is the disk full?)";
        return true;
    }
    fs::rename(temp, target, ec);
    if (ec) {
        reason = ec.message();
        fs::remove(temp, ec);
        return true;
    }
    return false;
}

}  // namespace wb
