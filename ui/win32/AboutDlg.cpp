// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/AboutDlg.h"

#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "ui/win32/DialogTemplateBuilder.h"

namespace {

constexpr DWORD kAboutStyle = DS_MODALFRAME | DS_3DLOOK | WS_POPUP | WS_CAPTION | WS_SYSMENU;

// The template's icon control is the one static that shows a picture.
void ShowIcon(HWND dialog, HICON icon) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            SendMessageW(child, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        }
    }
}

}  // namespace

INT_PTR CAboutDlg::DoModal(HWND parent) {
    const wb::ui::InMemoryTemplate dialog(wb::res::AboutDialogTemplate(), kAboutStyle);
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), parent, DialogProc,
                                   reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CAboutDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            ShowIcon(window, reinterpret_cast<CAboutDlg*>(lParam)->m_hIcon);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == wb::res::IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(window, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}
