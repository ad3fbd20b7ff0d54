// SPDX-License-Identifier: GPL-3.0-or-later
// The symbol chooser on Windows: dialog 110 built at run time, with a list view of pictures
// where the template leaves its place; every change goes to the toolkit-free chooser and its
// answer is shown. It ends with IDOK only with a symbol selected: what it picks is then the
// model's Pick().
#pragma once

#include <vector>

#include "ui/SymbolChooser.h"
#include "ui/win32/Win32.h"

class CSymbolChooserDlg {
public:
    explicit CSymbolChooserDlg(wb::ui::SymbolChooser& model) : m_model(model) {}
    ~CSymbolChooserDlg();
    CSymbolChooserDlg(const CSymbolChooserDlg&) = delete;
    CSymbolChooserDlg& operator=(const CSymbolChooserDlg&) = delete;

    // Runs the chooser modally over `parent`: IDOK when the user picked, else IDCANCEL.
    INT_PTR DoModal(HWND parent);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SearchProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
    void OnInitDialog();
    void OnCommand(int id, int code);
    bool OnNotify(const NMHDR& header);
    void FillGrid();
    void ShowSelection();
    void PickAndEnd();

    wb::ui::SymbolChooser& m_model;
    HWND m_hWnd = nullptr;
    HWND m_grid = nullptr;
    HIMAGELIST m_pictures = nullptr;
    HICON m_preview = nullptr;
    bool m_filling = false;
};
