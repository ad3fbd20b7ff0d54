// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on Windows: one dialog built at run time from template 102. It owns the
// configuration record and the serial channel for its whole life, gives the toolkit-free window
// (form, device actions, dispatch) its controls by id, and runs the device exchanges on a worker
// thread while it goes on painting and ignores the user's input.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "config/TrackerConfig.h"
#include "link/ComPort.h"
#include "res/DialogTemplate.h"
#include "ui/ActionHost.h"
#include "ui/ConfigWindow.h"
#include "ui/ControlAccess.h"
#include "ui/WindowBackend.h"
#include "ui/win32/Win32.h"
#include "ui/win32/WindowSettings.h"

class CConfigDlg : public wb::ui::ControlAccess, public wb::ui::ActionHost {
public:
    // The bar under Exit that counts the bytes of a read or write, and the timer that redraws it.
    static constexpr int kProgressId = 1100;
    static constexpr UINT_PTR kProgressTimer = 1;
    // The system menu's entries beside "About": commands below 0xF000, multiples of 16.
    static constexpr UINT kOpenConfigCommand = 0x0020;
    static constexpr UINT kSaveConfigCommand = 0x0030;
    // Posted to itself once the port list has set its edit part's text.
    static constexpr UINT kShowPortStart = WM_APP + 2;

    CConfigDlg();
    ~CConfigDlg() override;
    CConfigDlg(const CConfigDlg&) = delete;
    CConfigDlg& operator=(const CConfigDlg&) = delete;

    // Runs the dialog modally and returns how it ended: IDOK (Exit, Enter) or IDCANCEL.
    INT_PTR DoModal();
    // Creates the dialog shown but modeless, for callers that run their own message loop; it
    // ends as the modal one would (hidden, with Result() set) and is destroyed with this object.
    HWND Create();
    INT_PTR Result() const { return m_result; }

    HWND GetSafeHwnd() const { return m_hWnd; }
    // The control with this id, or null.
    HWND GetDlgItem(int id) const;

    std::string GetFieldText(int id) const override;
    void SetFieldText(int id, const char* text) override;
    bool IsBoxChecked(int id) const override;
    void SetBoxCheck(int id, BYTE flag) override;
    int GetListSelection(int id) const override;
    void SetListSelection(int id, int index) override;
    void SetListEntries(int id, const std::vector<ListEntry>& entries) override;
    void EnableControl(int id, bool enabled) override;
    int GetTabSelection(int id) const override;
    void InsertTab(int id, int index, const char* text) override;

    bool RunInBackground(const std::function<bool()>& exchange) override;
    void BeginProgress() override;
    void ExpectProgress(int bytes) override;
    void AddProgress(int bytes) override;
    void EndProgress() override;
    bool AskQuestion(const wb::Message& question, const char* yes, const char* no) override;

    // True while an action runs, its boxes included: the window then takes no command.
    bool IsBusy();

    HICON m_hIcon;
    HICON m_hSmallIcon;
    std::unique_ptr<wb::ui::SettingsStore> m_settings = wb::ui::MakeWindowSettings();
    CTrackerConfig m_config;
    wb::ui::WindowBackend m_backend;
    CComPort m_port{m_backend.Get()};
    wb::ui::ConfigWindow m_window{*this, *this, m_config, m_port};

private:
    static constexpr UINT kProgressRefreshMs = 50;

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OnInitDialog();
    void FillLists();
    void CreateProgress();
    void AddSystemMenuEntries();
    bool OnSysCommand(WPARAM id);
    void OnOpenConfig();
    void OnSaveConfigAs();
    bool OnPaint();
    void OnCommand(int id, int code);
    // Every way out (Exit, Enter, Escape, the close box) ends here: the window asks first.
    void TryClose(INT_PTR result);
    void CreateTooltips();
    // The port list's tip tells what its selected entry stands for.
    void ShowPortTip();
    // The port list and its edit part, each of which shows the tip.
    std::vector<HWND> PortListParts() const;
    bool OnNotify(const NMHDR& header);
    void EndDialogWith(INT_PTR result);
    // The control `id` when it is of `kind`, else null.
    HWND ControlOfKind(int id, wb::res::ControlKind kind) const;
    void RefreshProgress();
    // A box that the exchange asks for; input queued for the window meanwhile is dropped first,
    // or the box's own message loop would hand it on.
    void ShowBoxOfTheExchange(const wb::Message& message);
    // The colour of the tab control's pane, and where the pane is in the dialog.
    HBRUSH PaneBrush(RECT& pane);
    // The background for `control` when it stands on the pane, else null.
    HBRUSH BrushUnder(HWND control, HDC dc);
    bool OnEraseBackground(HDC dc);
    void ForgetPaneBrush();

    HWND m_hWnd = nullptr;
    HWND m_progress = nullptr;
    HBRUSH m_paneBrush = nullptr;
    bool m_modal = false;
    INT_PTR m_result = 0;
    bool m_inBackground = false;
    bool m_closing = false;  // the window is asking whether it may close
    HWND m_tooltips = nullptr;
    std::vector<std::wstring> m_portTips;  // the port list's entry and tip, for each entry
    std::map<int, wb::res::ControlKind> m_kinds;
    std::atomic<int> m_moved{0};
    std::atomic<int> m_expected{0};
};
