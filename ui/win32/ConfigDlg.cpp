// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/ConfigDlg.h"

#include "link/PortList.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "ui/win32/AboutDlg.h"
#include "ui/win32/DialogTemplateBuilder.h"
#include "ui/win32/FileDialogs.h"
#include "ui/win32/MainIcon.h"
#include "ui/win32/MessageBoxSink.h"
#include "ui/win32/WideText.h"

using namespace wb::res;

namespace {

constexpr DWORD kDialogStyle = DS_MODALFRAME | DS_3DLOOK | DS_CENTER | WS_POPUP | WS_VISIBLE |
                               WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Below Exit, where the template leaves room (dialog units).
constexpr RECT kProgressPlace = {320, 226, 320 + 75, 226 + 11};
// How wide a tip may grow before it wraps (dialog units).
constexpr int kTooltipWidth = 200;

}  // namespace

CConfigDlg::CConfigDlg()
    : m_hIcon(wb::ui::LoadMainIcon()), m_hSmallIcon(wb::ui::LoadSmallMainIcon()) {
    for (const ControlTemplate& c : ConfigDialogTemplate().controls) {
        if (c.id != kStaticId) {
            m_kinds[c.id] = c.kind;
        }
    }
}

CConfigDlg::~CConfigDlg() {
    if (m_hWnd != nullptr && !m_modal) {
        DestroyWindow(m_hWnd);
    }
    DestroyIcon(m_hIcon);
    DestroyIcon(m_hSmallIcon);
}

INT_PTR CConfigDlg::DoModal() {
    m_modal = true;
    const wb::ui::InMemoryTemplate dialog(ConfigDialogTemplate(), kDialogStyle);
    m_result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), nullptr, DialogProc,
                                       reinterpret_cast<LPARAM>(this));
    return m_result;
}

HWND CConfigDlg::Create() {
    m_modal = false;
    const wb::ui::InMemoryTemplate dialog(ConfigDialogTemplate(), kDialogStyle);
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), nullptr, DialogProc,
                                      reinterpret_cast<LPARAM>(this));
}

HWND CConfigDlg::GetDlgItem(int id) const {
    return m_hWnd == nullptr ? nullptr : ::GetDlgItem(m_hWnd, id);
}

INT_PTR CALLBACK CConfigDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CConfigDlg*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
        self->m_hWnd = window;
        return self->OnInitDialog();
    }
    auto* self = reinterpret_cast<CConfigDlg*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        self->m_hWnd = nullptr;
        return FALSE;
    }
    return self->OnMessage(message, wParam, lParam);
}

INT_PTR CConfigDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SYSCOMMAND:
            return OnSysCommand(wParam);
        case WM_PAINT:
            return OnPaint();
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(m_hIcon);
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_CLOSE:
            TryClose(IDCANCEL);
            return TRUE;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return reinterpret_cast<INT_PTR>(
                BrushUnder(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)));
        case WM_ERASEBKGND:
            if (OnEraseBackground(reinterpret_cast<HDC>(wParam))) {
                SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            return FALSE;
        case WM_THEMECHANGED:
        case WM_SYSCOLORCHANGE:
            ForgetPaneBrush();
            return FALSE;
        case WM_DESTROY:
            ForgetPaneBrush();
            return FALSE;
        case WM_TIMER:
            if (wParam == kProgressTimer) {
                RefreshProgress();
            }
            return TRUE;
        case WM_SETCURSOR:
            // Busy, but not while a box of the action waits for the user (the window is disabled).
            if (m_inBackground && IsWindowEnabled(m_hWnd)) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            return FALSE;
        case kShowPortStart:
            // The entry's start ("COM3 - ...") in sight in the narrow edit part, all selected.
            if (HWND edit = GetWindow(GetDlgItem(IDC_COM_PORT), GW_CHILD)) {
                SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(GetWindowTextLengthW(edit)), 0);
            }
            return TRUE;
        case wb::ui::kShowMessage:
            ShowBoxOfTheExchange(*reinterpret_cast<const wb::Message*>(lParam));
            return TRUE;
        default:
            return FALSE;
    }
}

BOOL CConfigDlg::OnInitDialog() {
    FillLists();
    AddSystemMenuEntries();
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hSmallIcon));
    CreateProgress();
    CreateTooltips();
    m_window.UseSettings(wb::ListPlatformPorts, *m_settings);
    m_window.OnInitDialog();
    return TRUE;
}

// The files first, then About, each after a separator.
void CConfigDlg::AddSystemMenuEntries() {
    HMENU systemMenu = GetSystemMenu(m_hWnd, FALSE);
    if (systemMenu == nullptr) {
        return;
    }
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, kOpenConfigCommand, L"Open Configuration...");
    AppendMenuW(systemMenu, MF_STRING, kSaveConfigCommand, L"Save Configuration As...");
    const std::wstring about = wb::ui::WidenLatin1(AboutMenuText());
    if (!about.empty()) {
        AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, about.c_str());
    }
}

// In the order of the template; a sorted list sorts itself.
void CConfigDlg::FillLists() {
    for (const ListInit& list : ConfigDialogTemplate().lists) {
        HWND combo = ControlOfKind(list.id, ControlKind::ComboBox);
        for (const char* entry : list.entries) {
            SendMessageW(combo, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(wb::ui::WidenLatin1(entry).c_str()));
        }
    }
}

void CConfigDlg::CreateProgress() {
    RECT place = kProgressPlace;
    MapDialogRect(m_hWnd, &place);
    m_progress = CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD, place.left, place.top,
                                 place.right - place.left, place.bottom - place.top, m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProgressId)),
                                 GetModuleHandleW(nullptr), nullptr);
}

// The controls stand on the tab control's pane, not on a page of it, and with visual styles the
// pane's colour differs from the dialog's face. So the dialog paints the pane's colour where the
// pane is (group boxes, which draw no inside of their own, show it), and labels, check boxes and
// group titles on it take it for their background; edit fields keep their own. The colour is
// read off the pane as the tab control draws it.
HBRUSH CConfigDlg::PaneBrush(RECT& pane) {
    HWND tab = GetDlgItem(IDC_PROFILE_TAB);
    if (tab == nullptr) {
        return nullptr;
    }
    RECT whole;
    GetClientRect(tab, &whole);
    pane = whole;
    SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&pane));
    if (m_paneBrush == nullptr) {
        HDC screen = GetDC(tab);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP picture = CreateCompatibleBitmap(screen, whole.right, whole.bottom);
        ReleaseDC(tab, screen);
        HGDIOBJ previous = SelectObject(memory, picture);
        FillRect(memory, &whole, GetSysColorBrush(COLOR_BTNFACE));
        SendMessageW(tab, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        const COLORREF colour =
            GetPixel(memory, (pane.left + pane.right) / 2, (pane.top + pane.bottom) / 2);
        SelectObject(memory, previous);
        DeleteObject(picture);
        DeleteDC(memory);
        m_paneBrush = CreateSolidBrush(colour == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : colour);
    }
    MapWindowPoints(tab, m_hWnd, reinterpret_cast<POINT*>(&pane), 2);
    return m_paneBrush;
}

HBRUSH CConfigDlg::BrushUnder(HWND control, HDC dc) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, static_cast<int>(std::size(className)));
    RECT pane;
    HBRUSH brush = lstrcmpiW(className, WC_EDITW) == 0 ? nullptr : PaneBrush(pane);
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
    RECT common;
    if (brush == nullptr || !IntersectRect(&common, &place, &pane) || !EqualRect(&common, &place)) {
        return nullptr;
    }
    SetBkMode(dc, TRANSPARENT);
    return brush;
}

bool CConfigDlg::OnEraseBackground(HDC dc) {
    RECT pane;
    HBRUSH brush = PaneBrush(pane);
    if (brush == nullptr) {
        return false;
    }
    RECT client;
    GetClientRect(m_hWnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    FillRect(dc, &pane, brush);
    return true;
}

void CConfigDlg::ForgetPaneBrush() {
    if (m_paneBrush != nullptr) {
        DeleteObject(m_paneBrush);
        m_paneBrush = nullptr;
    }
}

bool CConfigDlg::OnSysCommand(WPARAM id) {
    switch (id & 0xFFF0) {
        case IDM_ABOUTBOX: {
            CAboutDlg about(m_hIcon);
            about.DoModal(m_hWnd);
            return true;
        }
        case kOpenConfigCommand:
            OnOpenConfig();
            return true;
        case kSaveConfigCommand:
            OnSaveConfigAs();
            return true;
        default:
            break;
    }
    // Closing waits until the action has ended; everything else is the system's.
    return (id & 0xFFF0) == SC_CLOSE && IsBusy();
}

void CConfigDlg::OnOpenConfig() {
    if (IsBusy() || m_closing) {
        return;
    }
    if (const auto path = wb::ui::AskOpenPath(m_hWnd, m_window.StartFolder())) {
        m_window.OnOpenConfig(*path);
    }
}

void CConfigDlg::OnSaveConfigAs() {
    if (IsBusy() || m_closing) {
        return;
    }
    if (const auto path = wb::ui::AskSavePath(m_hWnd, m_window.StartFolder())) {
        m_window.OnSaveConfigAs(*path);
    }
}

bool CConfigDlg::OnPaint() {
    if (!IsIconic(m_hWnd)) {
        return false;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int x = (client.right - client.left - cxIcon + 1) / 2;
    const int y = (client.bottom - client.top - cyIcon + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &paint);
    return true;
}

void CConfigDlg::OnCommand(int id, int code) {
    if (IsBusy() || m_closing) {
        return;
    }
    if (id == IDC_COM_PORT) {  // no part of the form
        if (code == CBN_DROPDOWN) {
            m_window.OnPortListDropDown();
        } else if (code == CBN_SELCHANGE) {
            ShowPortTip();
        }
        if (code == CBN_SELCHANGE || code == CBN_SETFOCUS || code == CBN_DROPDOWN ||
            code == CBN_CLOSEUP) {
            PostMessageW(m_hWnd, kShowPortStart, 0, 0);
        }
        return;
    }
    const auto kind = m_kinds.find(id);
    const bool edited =
        kind != m_kinds.end() && ((kind->second == ControlKind::Edit && code == EN_CHANGE) ||
                                  (kind->second == ControlKind::ComboBox &&
                                   (code == CBN_SELCHANGE || code == CBN_EDITCHANGE)));
    if (edited) {
        m_window.OnFormChanged();
        return;
    }
    if (code != BN_CLICKED) {
        return;
    }
    if (id == IDOK || id == IDCANCEL) {
        TryClose(id);
    } else if (!m_window.OnCommand(id) && kind != m_kinds.end() &&
               kind->second == ControlKind::CheckBox) {
        m_window.OnFormChanged();  // a box that only toggles itself
    }
}

void CConfigDlg::TryClose(INT_PTR result) {
    if (m_closing || IsBusy()) {
        return;
    }
    m_closing = true;
    const bool mayClose = m_window.QueryClose();
    m_closing = false;
    if (mayClose) {
        EndDialogWith(result);
    }
}

// Each control's tip shows over it; the dialog hears the mouse over a disabled control, so the
// control's place in the dialog carries the tip too. A list's edit part is a window of its own.
void CConfigDlg::CreateTooltips() {
    m_tooltips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    RECT width{0, 0, kTooltipWidth, 0};
    MapDialogRect(m_hWnd, &width);
    SendMessageW(m_tooltips, TTM_SETMAXTIPWIDTH, 0, width.right);
    for (const ControlTooltip& tip : ConfigTooltips()) {
        HWND control = GetDlgItem(tip.id);
        if (control == nullptr) {
            continue;
        }
        std::wstring text = wb::ui::WidenLatin1(tip.text);
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = m_hWnd;
        tool.lpszText = text.data();
        tool.uFlags = TTF_SUBCLASS;
        tool.uId = static_cast<UINT_PTR>(tip.id);
        GetWindowRect(control, &tool.rect);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&tool.rect), 2);
        SendMessageW(m_tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        tool.uFlags = TTF_SUBCLASS | TTF_IDISHWND;
        for (HWND part : {control, GetWindow(control, GW_CHILD)}) {
            if (part != nullptr && wb::ui::ClassOf(part) != L"ComboLBox") {
                tool.uId = reinterpret_cast<UINT_PTR>(part);
                SendMessageW(m_tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
            }
        }
    }
    // The port list's tip follows its selection (ShowPortTip), over the list and its edit part.
    wchar_t none[] = L"";
    for (HWND part : PortListParts()) {
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = m_hWnd;
        tool.uId = reinterpret_cast<UINT_PTR>(part);
        tool.uFlags = TTF_SUBCLASS | TTF_IDISHWND;
        tool.lpszText = none;
        SendMessageW(m_tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

std::vector<HWND> CConfigDlg::PortListParts() const {
    std::vector<HWND> parts;
    if (HWND list = GetDlgItem(IDC_COM_PORT)) {
        parts.push_back(list);
        if (HWND edit = GetWindow(list, GW_CHILD); edit != nullptr) {
            parts.push_back(edit);
        }
    }
    return parts;
}

void CConfigDlg::ShowPortTip() {
    HWND list = GetDlgItem(IDC_COM_PORT);
    if (m_tooltips == nullptr || list == nullptr) {
        return;
    }
    const int index = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
    std::wstring text = index >= 0 && index < static_cast<int>(m_portTips.size())
                            ? m_portTips[static_cast<std::size_t>(index)]
                            : std::wstring();
    for (HWND part : PortListParts()) {
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = m_hWnd;
        tool.uId = reinterpret_cast<UINT_PTR>(part);
        tool.lpszText = text.data();
        SendMessageW(m_tooltips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

bool CConfigDlg::OnNotify(const NMHDR& header) {
    if (header.idFrom != static_cast<UINT_PTR>(IDC_PROFILE_TAB)) {
        return false;
    }
    if (header.code == TCN_SELCHANGING) {
        SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, IsBusy() ? TRUE : FALSE);  // TRUE keeps the tab
        return true;
    }
    if (header.code == TCN_SELCHANGE && !IsBusy()) {
        m_window.OnSelchangeProfileTab();
        return true;
    }
    return false;
}

void CConfigDlg::EndDialogWith(INT_PTR result) {
    m_result = result;
    EndDialog(m_hWnd, result);
}

bool CConfigDlg::IsBusy() {
    return m_inBackground || m_window.Actions().IsBusy();
}
