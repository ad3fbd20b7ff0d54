// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/FileDialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <string>

#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "ui/win32/WideText.h"

namespace wb::ui {
namespace {

// Room for the longest path the system takes.
constexpr DWORD kPathRoom = 32768;

// Pairs of name and patterns, each ending in a NUL, the whole ending in another: "Name (*.a *.b)"
// and "*.a;*.b".
std::wstring Filter() {
    std::wstring filter;
    for (const res::FileFilter& kind : res::ConfigFileFilters()) {
        std::wstring patterns = WidenLatin1(kind.patterns);
        filter += WidenLatin1(kind.name) + L" (" + patterns + L")" + L'\0';
        std::replace(patterns.begin(), patterns.end(), L' ', L';');
        filter += patterns + L'\0';
    }
    return filter;
}

std::wstring Title(unsigned id) {
    for (const res::FileCommand& command : res::FileCommands()) {
        if (command.id == id) {
            return WidenLatin1(command.title);
        }
    }
    return {};
}

std::optional<std::filesystem::path> Ask(HWND owner, bool save,
                                         const std::filesystem::path& folder) {
    const std::wstring start = folder.native();
    std::wstring path(kPathRoom, L'\0');
    const std::wstring filter = Filter();
    const std::wstring title = Title(save ? res::IDM_SAVE_CONFIG : res::IDM_OPEN_CONFIG);
    const std::wstring extension = WidenLatin1(res::DefaultConfigExtension());
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = kPathRoom;
    dialog.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    dialog.lpstrDefExt = save ? extension.c_str() : nullptr;
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
