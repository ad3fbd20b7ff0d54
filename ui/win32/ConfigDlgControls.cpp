// SPDX-License-Identifier: GPL-3.0-or-later
// Control access by id over the dialog's controls, and the host of the device actions.
#include <algorithm>

#include "res/ResourceIds.h"
#include "ui/win32/ConfigDlg.h"
#include "ui/win32/MessageBoxSink.h"
#include "ui/win32/WideText.h"

using wb::res::ControlKind;

namespace {

// Keys, clicks and the wheel aimed at `dialog` or one of its controls, and clicks on its frame
// other than on the caption (which moves it) and the minimise box.
bool IsUserInputTo(HWND dialog, const MSG& msg) {
    if (msg.hwnd != dialog && !IsChild(dialog, msg.hwnd)) {
        return false;
    }
    if ((msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
        (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST)) {
        return true;
    }
    if (msg.message >= WM_NCLBUTTONDOWN && msg.message <= WM_NCXBUTTONDBLCLK) {
        return msg.wParam != HTCAPTION && msg.wParam != HTMINBUTTON;
    }
    return false;
}

// Throws away the input to `dialog` that is still queued; the rest is handled as usual.
void DropQueuedInput(HWND dialog) {
    MSG msg;
    for (auto [first, last] :
         {std::pair{WM_KEYFIRST, WM_KEYLAST}, std::pair{WM_MOUSEFIRST, WM_MOUSELAST},
          std::pair{WM_NCLBUTTONDOWN, WM_NCXBUTTONDBLCLK}}) {
        while (PeekMessageW(&msg, nullptr, first, last, PM_REMOVE)) {
            if (!IsUserInputTo(dialog, msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }
}

struct Background {
    const std::function<bool()>* exchange;
    bool failed;
};

DWORD WINAPI RunExchange(LPVOID parameter) {
    auto* work = static_cast<Background*>(parameter);
    work->failed = (*work->exchange)();
    return 0;
}

// The port list's texts come as UTF-8 (the names of the system's devices).
std::wstring Widen(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

}  // namespace

HWND CConfigDlg::ControlOfKind(int id, ControlKind kind) const {
    const auto found = m_kinds.find(id);
    return found == m_kinds.end() || found->second != kind ? nullptr : GetDlgItem(id);
}

std::string CConfigDlg::GetFieldText(int id) const {
    HWND edit = ControlOfKind(id, ControlKind::Edit);
    if (edit == nullptr) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    return wb::ui::NarrowLatin1(text);
}

// An edit field's text, and also a label's or a group box's title.
void CConfigDlg::SetFieldText(int id, const char* text) {
    HWND control = nullptr;
    for (ControlKind kind : {ControlKind::Edit, ControlKind::Static, ControlKind::GroupBox}) {
        if (control == nullptr) {
            control = ControlOfKind(id, kind);
        }
    }
    if (control != nullptr) {
        SetWindowTextW(control, wb::ui::WidenLatin1(text).c_str());
    }
}

bool CConfigDlg::IsBoxChecked(int id) const {
    HWND box = ControlOfKind(id, ControlKind::CheckBox);
    return box != nullptr && SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CConfigDlg::SetBoxCheck(int id, BYTE flag) {
    if (HWND box = ControlOfKind(id, ControlKind::CheckBox)) {
        SendMessageW(box, BM_SETCHECK, flag != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

int CConfigDlg::GetListSelection(int id) const {
    HWND list = ControlOfKind(id, ControlKind::ComboBox);
    return list == nullptr ? -1 : static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
}

void CConfigDlg::SetListSelection(int id, int index) {
    if (HWND list = ControlOfKind(id, ControlKind::ComboBox)) {
        const int count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
        SendMessageW(list, CB_SETCURSEL, index >= 0 && index < count ? index : -1, 0);
        if (id == wb::res::IDC_COM_PORT) {
            ShowPortTip();
        }
    }
}

// Inserted, not added: a list of the sorted style keeps them in this order then.
void CConfigDlg::SetListEntries(int id, const std::vector<ListEntry>& entries) {
    HWND list = ControlOfKind(id, ControlKind::ComboBox);
    if (list == nullptr) {
        return;
    }
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    if (id == wb::res::IDC_COM_PORT) {
        m_portTips.clear();
    }
    HDC dc = GetDC(list);
    HGDIOBJ font = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (const ListEntry& entry : entries) {
        const std::wstring text = Widen(entry.text);
        SendMessageW(list, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(text.c_str()));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
        if (id == wb::res::IDC_COM_PORT) {
            m_portTips.push_back(entry.tip.empty() ? text : text + L"\n" + Widen(entry.tip));
        }
    }
    SelectObject(dc, font);
    ReleaseDC(list, dc);
    // The list drops down wide enough for its longest entry; the closed list keeps its place.
    SendMessageW(list, CB_SETDROPPEDWIDTH,
                 static_cast<WPARAM>(widest + GetSystemMetrics(SM_CXVSCROLL) +
                                     4 * GetSystemMetrics(SM_CXEDGE)),
                 0);
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ShowPortTip();
}

void CConfigDlg::EnableControl(int id, bool enabled) {
    if (m_kinds.count(id) != 0) {
        if (HWND control = GetDlgItem(id)) {
            EnableWindow(control, enabled ? TRUE : FALSE);
        }
    }
}

int CConfigDlg::GetTabSelection(int id) const {
    HWND tabs = ControlOfKind(id, ControlKind::Tab);
    return tabs == nullptr ? -1 : static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
}

void CConfigDlg::InsertTab(int id, int index, const char* text) {
    if (HWND tabs = ControlOfKind(id, ControlKind::Tab)) {
        std::wstring wide = wb::ui::WidenLatin1(text);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = wide.data();
        SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
    }
}

// The exchange runs on a thread of its own; this thread keeps handling what the window needs
// (painting, timers, the boxes the exchange asks for) and drops what the user does to it.
bool CConfigDlg::RunInBackground(const std::function<bool()>& exchange) {
    Background work{&exchange, true};
    HANDLE worker = CreateThread(nullptr, 0, RunExchange, &work, 0, nullptr);
    if (worker == nullptr) {
        return exchange();  // no thread to be had: the window waits instead
    }
    m_inBackground = true;
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    bool quit = false;
    int quitCode = 0;
    while (MsgWaitForMultipleObjects(1, &worker, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                quitCode = static_cast<int>(msg.wParam);
            } else if (!IsUserInputTo(m_hWnd, msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }
    CloseHandle(worker);
    DropQueuedInput(m_hWnd);
    m_inBackground = false;
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    if (quit) {
        PostQuitMessage(quitCode);  // for the loop that was meant to see it
    }
    return work.failed;
}

void CConfigDlg::ShowBoxOfTheExchange(const wb::Message& message) {
    DropQueuedInput(m_hWnd);
    wb::ui::ShowMessageBoxOver(m_hWnd, message);
}

// The bar takes the place of the line under the form while it shows.
void CConfigDlg::BeginProgress() {
    ShowWindow(GetDlgItem(wb::res::IDC_IMAGE_USAGE), SW_HIDE);
    m_moved = 0;
    m_expected = 0;
    RefreshProgress();
    ShowWindow(m_progress, SW_SHOWNOACTIVATE);
    SetTimer(m_hWnd, kProgressTimer, kProgressRefreshMs, nullptr);
}

void CConfigDlg::ExpectProgress(int bytes) {
    m_expected = 0;
    m_moved = 0;
    m_expected = bytes;
}

void CConfigDlg::AddProgress(int bytes) {
    m_moved += bytes;
}

void CConfigDlg::EndProgress() {
    KillTimer(m_hWnd, kProgressTimer);
    RefreshProgress();
    ShowWindow(m_progress, SW_HIDE);
    ShowWindow(GetDlgItem(wb::res::IDC_IMAGE_USAGE), SW_SHOWNOACTIVATE);
}

bool CConfigDlg::AskQuestion(const wb::Message& question, const char* yes, const char* no) {
    return wb::ui::AskQuestionOver(m_hWnd, question, yes, no);
}

void CConfigDlg::RefreshProgress() {
    const int expected = m_expected.load();
    SendMessageW(m_progress, PBM_SETRANGE32, 0, std::max(expected, 1));
    SendMessageW(m_progress, PBM_SETPOS, static_cast<WPARAM>(std::min(m_moved.load(), expected)),
                 0);
}
