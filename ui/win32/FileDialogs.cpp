// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/FileDialogs.h"

#include <commdlg.h>

#include <string>

namespace wb::ui {
namespace {

// Pairs of name and pattern, each ending in a NUL, the whole ending in another.
constexpr wchar_t kFilter[] =
    L"Wrenbeacon configurations (*.toml, *.bin)\0*.toml;*.bin\0"
    L"Configuration text (*.toml)\0*.toml\0"
    L"Device image (*.bin)\0*.bin\0";

// Room for the longest path the system takes.
constexpr DWORD kPathRoom = 32768;

std::optional<std::filesystem::path> Ask(HWND owner, bool save,
                                         const std::filesystem::path& folder) {
    const std::wstring start = folder.wstring();
    std::wstring path(kPathRoom, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = kPathRoom;
    dialog.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
    dialog.lpstrTitle = save ? L"Save Configuration As" : L"Open Configuration";
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    dialog.lpstrDefExt = save ? L"toml" : nullptr;
    if (!(save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) {
        return std::nullopt;
    }
    path.resize(path.find(L'\0'));
    return std::filesystem::path(path);
}

}  // namespace

std::optional<std::filesystem::path> AskOpenPath(HWND owner, const std::filesystem::path& folder) {
    return Ask(owner, false, folder);
}

std::optional<std::filesystem::path> AskSavePath(HWND owner, const std::filesystem::path& folder) {
    return Ask(owner, true, folder);
}

}  // namespace wb::ui
