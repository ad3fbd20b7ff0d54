// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/AtomicFile.h"

#include <fstream>
#include <random>
#include <system_error>

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
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            const fs::path folder = target.parent_path();
            reason = "cannot create a file in " +
                     (folder.empty() ? std::string("the current folder") : folder.string());
            return true;
        }
        out.write(data.data(), static_cast<std::streamsize>(data.size()));
        out.close();
        if (!out) {
            fs::remove(temp, ec);
            reason = "writing failed (is the disk full?)";
            return true;
        }
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
