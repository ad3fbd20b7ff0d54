// SPDX-License-Identifier: GPL-3.0-or-later
// The aids beside the form on Windows: the symbol's picture on its button, the chooser, the chart.
#include "res/ResourceIds.h"
#include "ui/win32/ConfigDlg.h"
#include "ui/win32/SymbolChooserDlg.h"
#include "ui/win32/SymbolIcon.h"
#include "ui/win32/WideText.h"

using namespace wb::res;

// A double click on either symbol field clicks the picture's button, as far as the window takes
// commands at the time.
LRESULT CALLBACK CConfigDlg::SymbolFieldProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR data) {
    if (message == WM_LBUTTONDBLCLK) {
        auto* self = reinterpret_cast<CConfigDlg*>(data);
        SendMessageW(self->m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_SYMBOL_PICTURE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(self->GetDlgItem(IDC_SYMBOL_PICTURE)));
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(edit, SymbolFieldProc, 1);
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

void CConfigDlg::WireAids() {
    HWND button = GetDlgItem(IDC_SYMBOL_PICTURE);
    SetWindowLongW(button, GWL_STYLE, GetWindowLongW(button, GWL_STYLE) | BS_ICON);
    for (int id : {IDC_SYMBOL, IDC_SYMBOL_TABLE}) {
        SetWindowSubclass(GetDlgItem(id), SymbolFieldProc, 1, reinterpret_cast<DWORD_PTR>(this));
    }
}

// The button's text is the symbol's name: screen readers say it; the icon is what shows.
void CConfigDlg::ShowSymbolPicture(const wb::res::SymbolLook& look, const std::string& tip) {
    HWND button = GetDlgItem(IDC_SYMBOL_PICTURE);
    if (button == nullptr) {
        return;
    }
    HICON icon = wb::ui::MakeSymbolIcon(look, m_hWnd);
    SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    if (m_symbolIcon != nullptr) {
        DestroyIcon(m_symbolIcon);
    }
    m_symbolIcon = icon;
    SetWindowTextW(button, wb::ui::WidenLatin1(DescribeSymbol(look).c_str()).c_str());

    m_symbolTip = wb::ui::WidenLatin1(tip.c_str());
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = m_hWnd;
    tool.lpszText = m_symbolTip.data();
    tool.uId = static_cast<UINT_PTR>(IDC_SYMBOL_PICTURE);
    SendMessageW(m_tooltips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    tool.uFlags = TTF_IDISHWND;
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    SendMessageW(m_tooltips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

bool CConfigDlg::RunSymbolChooser(wb::ui::SymbolChooser& chooser) {
    CSymbolChooserDlg dialog(chooser);
    return dialog.DoModal(m_hWnd) == wb::res::IDOK;
}

void CConfigDlg::OpenBeaconChart(const wb::ui::BeaconChart& chart, const std::string& sentence) {
    m_chart.Open(m_hWnd, chart, sentence);
}

void CConfigDlg::UpdateBeaconChart(const wb::ui::BeaconChart& chart, const std::string& sentence) {
    m_chart.Update(chart, sentence);
}
