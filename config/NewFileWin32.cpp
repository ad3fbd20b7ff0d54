// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>

#include "config/NewFile.h"
#include "core/WideUtf8.h"

namespace wb::files {
namespace {

HANDLE Handle(std::intptr_t file) {
    return reinterpret_cast<HANDLE>(file);
}

bool IsTaken(DWORD error) {
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

}  // namespace

NewFile::~NewFile() {
    if (m_file != -1) {
        CloseHandle(Handle(m_file));
    }
}

Outcome NewFile::Create(const std::filesystem::path& path, const std::filesystem::path&,
                        std::string& reason) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        reason = WindowsErrorText(error);
        return IsTaken(error) ? Outcome::Taken : Outcome::Failed;
    }
    m_file = reinterpret_cast<std::intptr_t>(file);
    return Outcome::Done;
}

bool NewFile::WriteDurably(std::string_view data, std::string& reason) {
    HANDLE file = Handle(m_file);
    bool ok = true;
    while (ok && !data.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size(), 1u << 20));
        DWORD written = 0;
        ok = WriteFile(file, data.data(), chunk, &written, nullptr) && written > 0;
        data.remove_prefix(written);
    }
    ok = ok && FlushFileBuffers(file);
    if (!ok) {
        reason = WindowsErrorText(GetLastError());
    }
    m_file = -1;
    return CloseHandle(file) && ok;
}

Outcome Rename(const std::filesystem::path& from, const std::filesystem::path& to, bool replace,
               std::string& reason) {
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the name is taken, in one step.
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (!MoveFileExW(from.c_str(), to.c_str(), flags)) {
        const DWORD error = GetLastError();
        reason = WindowsErrorText(error);
        return IsTaken(error) ? Outcome::Taken : Outcome::Failed;
    }
    return Outcome::Done;
}

// MOVEFILE_WRITE_THROUGH has put the rename on the disk already.
void SyncFolder(const std::filesystem::path&) {}

}  // namespace wb::files
