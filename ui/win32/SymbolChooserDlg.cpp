// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/SymbolChooserDlg.h"

#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "ui/win32/DialogTemplateBuilder.h"
#include "ui/win32/SymbolIcon.h"
#include "ui/win32/WideText.h"

using namespace wb::res;

namespace {

constexpr DWORD kChooserStyle =
    DS_MODALFRAME | DS_3DLOOK | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr int kGridScale = 2;  // the grid's pictures at twice their size

// A record's place among all symbols: its picture's index in the image list.
int PictureIndex(const SymbolRecord* symbol) {
    return static_cast<int>(symbol - SymbolRecords().data());
}

}  // namespace

CSymbolChooserDlg::~CSymbolChooserDlg() {
    if (m_pictures != nullptr) {
        ImageList_Destroy(m_pictures);
    }
    if (m_preview != nullptr) {
        DestroyIcon(m_preview);
    }
}

INT_PTR CSymbolChooserDlg::DoModal(HWND parent) {
    const wb::ui::InMemoryTemplate dialog(SymbolChooserTemplate(), kChooserStyle);
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), parent, DialogProc,
                                   reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CSymbolChooserDlg::DialogProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CSymbolChooserDlg*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
        self->m_hWnd = window;
        self->OnInitDialog();
        return FALSE;  // the focus is set: the search field
    }
    auto* self = reinterpret_cast<CSymbolChooserDlg*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return FALSE;
    }
    switch (message) {
        case WM_COMMAND:
            self->OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_NOTIFY:
            return self->OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        default:
            return FALSE;
    }
}

// Down in the search field goes on to the grid.
LRESULT CALLBACK CSymbolChooserDlg::SearchProc(HWND edit, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    if (message == WM_KEYDOWN && wParam == VK_DOWN) {
        SetFocus(reinterpret_cast<CSymbolChooserDlg*>(data)->m_grid);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(edit, SearchProc, 1);
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

void CSymbolChooserDlg::OnInitDialog() {
    HWND overlay = GetDlgItem(m_hWnd, IDC_SYMBOL_OVERLAY);
    for (const ListInit& list : SymbolChooserTemplate().lists) {
        for (const char* entry : list.entries) {
            SendMessageW(GetDlgItem(m_hWnd, list.id), CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(wb::ui::WidenLatin1(entry).c_str()));
        }
    }
    SendMessageW(overlay, CB_SETCURSEL, static_cast<WPARAM>(m_model.OverlayIndex()), 0);

    // The grid takes the placeholder's place, in the focus order too.
    HWND placeholder = GetDlgItem(m_hWnd, IDC_SYMBOL_GRID);
    RECT place;
    GetWindowRect(placeholder, &place);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
    m_grid =
        CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, nullptr,
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_ICON | LVS_SINGLESEL |
                            LVS_SHOWSELALWAYS | LVS_AUTOARRANGE,
                        place.left, place.top, place.right - place.left, place.bottom - place.top,
                        m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SYMBOL_GRID)),
                        GetModuleHandleW(nullptr), nullptr);
    SetWindowPos(m_grid, placeholder, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DestroyWindow(placeholder);
    SendMessageW(m_grid, WM_SETFONT, SendMessageW(m_hWnd, WM_GETFONT, 0, 0), FALSE);
    // A name cut short unfolds under the mouse.
    SendMessageW(m_grid, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_LABELTIP, LVS_EX_LABELTIP);

    // Every symbol's picture once; the grid shows those the search leaves.
    HICON first = wb::ui::MakeSymbolIcon({&SymbolRecords()[0], '\0'}, m_hWnd, kGridScale);
    const int size = wb::ui::IconSize(first);
    m_pictures = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK,
                                  static_cast<int>(SymbolRecords().size()), 0);
    ImageList_AddIcon(m_pictures, first);
    DestroyIcon(first);
    for (std::size_t i = 1; i < SymbolRecords().size(); ++i) {
        HICON icon = wb::ui::MakeSymbolIcon({&SymbolRecords()[i], '\0'}, m_hWnd, kGridScale);
        ImageList_AddIcon(m_pictures, icon);
        DestroyIcon(icon);
    }
    SendMessageW(m_grid, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(m_pictures));
    RECT cell{0, 0, 52, 44};  // dialog units: room for a picture and three lines of name
    MapDialogRect(m_hWnd, &cell);
    SendMessageW(m_grid, LVM_SETICONSPACING, 0, MAKELPARAM(cell.right, cell.bottom));

    HWND search = GetDlgItem(m_hWnd, IDC_SYMBOL_SEARCH);
    SetWindowSubclass(search, SearchProc, 1, reinterpret_cast<DWORD_PTR>(this));
    FillGrid();
    SetFocus(search);
}

void CSymbolChooserDlg::FillGrid() {
    m_filling = true;
    SendMessageW(m_grid, WM_SETREDRAW, FALSE, 0);
    SendMessageW(m_grid, LVM_DELETEALLITEMS, 0, 0);
    int row = 0;
    for (const SymbolRecord* symbol : m_model.Shown()) {
        std::wstring name = wb::ui::WidenLatin1(symbol->name);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = row++;
        item.pszText = name.data();
        item.iImage = PictureIndex(symbol);
        SendMessageW(m_grid, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    const int selected = m_model.Selected();
    if (selected >= 0) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(m_grid, LVM_SETITEMSTATE, static_cast<WPARAM>(selected),
                     reinterpret_cast<LPARAM>(&state));
        SendMessageW(m_grid, LVM_ENSUREVISIBLE, static_cast<WPARAM>(selected), FALSE);
    }
    SendMessageW(m_grid, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_grid, nullptr, TRUE);
    m_filling = false;
    ShowSelection();
}

void CSymbolChooserDlg::ShowSelection() {
    HICON preview = m_model.Selected() < 0
                        ? nullptr
                        : wb::ui::MakeSymbolIcon(m_model.Look(), m_hWnd, kGridScale);
    SendDlgItemMessageW(m_hWnd, IDC_SYMBOL_PREVIEW, STM_SETICON, reinterpret_cast<WPARAM>(preview),
                        0);
    if (m_preview != nullptr) {
        DestroyIcon(m_preview);
    }
    m_preview = preview;
    SetDlgItemTextW(m_hWnd, IDC_SYMBOL_NAME, wb::ui::WidenLatin1(m_model.Name().c_str()).c_str());
    SetDlgItemTextW(m_hWnd, IDC_SYMBOL_CODES, wb::ui::WidenLatin1(m_model.Codes().c_str()).c_str());
    EnableWindow(GetDlgItem(m_hWnd, IDC_SYMBOL_OVERLAY), m_model.CanOverlay() ? TRUE : FALSE);
    EnableWindow(GetDlgItem(m_hWnd, wb::res::IDOK), m_model.Pick() ? TRUE : FALSE);
}

void CSymbolChooserDlg::PickAndEnd() {
    if (m_model.Pick()) {
        EndDialog(m_hWnd, wb::res::IDOK);
    }
}

void CSymbolChooserDlg::OnCommand(int id, int code) {
    if (id == IDC_SYMBOL_SEARCH && code == EN_CHANGE) {
        const int length = GetWindowTextLengthW(GetDlgItem(m_hWnd, id));
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        GetDlgItemTextW(m_hWnd, id, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(length));
        m_model.SetSearch(wb::ui::NarrowLatin1(text));
        FillGrid();
    } else if (id == IDC_SYMBOL_OVERLAY && code == CBN_SELCHANGE) {
        m_model.SetOverlayIndex(
            static_cast<int>(SendDlgItemMessageW(m_hWnd, id, CB_GETCURSEL, 0, 0)));
        ShowSelection();
    } else if (id == wb::res::IDOK && code == BN_CLICKED) {
        PickAndEnd();
    } else if (id == IDCANCEL && code == BN_CLICKED) {
        EndDialog(m_hWnd, IDCANCEL);
    }
}

bool CSymbolChooserDlg::OnNotify(const NMHDR& header) {
    if (header.idFrom != static_cast<UINT_PTR>(IDC_SYMBOL_GRID) || m_filling) {
        return false;
    }
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uNewState & LVIS_SELECTED) != 0 && (change.uOldState & LVIS_SELECTED) == 0) {
            m_model.Select(change.iItem);
            ShowSelection();
        }
        return true;
    }
    if (header.code == LVN_ITEMACTIVATE) {
        PickAndEnd();
        return true;
    }
    return false;
}
