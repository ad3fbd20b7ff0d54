// SPDX-License-Identifier: GPL-3.0-or-later
// The main window in Qt: one modal dialog built from template 102. It owns the configuration
// record and the serial channel for its whole life, gives the toolkit-free window (form, device
// actions, dispatch) its controls by id, and runs the device exchanges on a worker thread.
#pragma once

#include <QDialog>
#include <QIcon>
#include <memory>
#include <string>
#include <vector>

#include "config/TrackerConfig.h"
#include "link/ComPort.h"
#include "ui/ActionHost.h"
#include "ui/ConfigWindow.h"
#include "ui/ControlAccess.h"
#include "ui/WindowBackend.h"
#include "ui/qt/ActionRunner.h"
#include "ui/qt/DialogBuilder.h"
#include "ui/qt/QtSettings.h"
#include "ui/qt/TransferProgress.h"

class QAction;

class CConfigDlg : public QDialog, public wb::ui::ControlAccess, public wb::ui::ActionHost {
public:
    explicit CConfigDlg(QWidget* parent = nullptr);
    ~CConfigDlg() override;
    CConfigDlg(const CConfigDlg&) = delete;
    CConfigDlg& operator=(const CConfigDlg&) = delete;

    // The control with this id, or nullptr.
    QWidget* GetDlgItem(int id) const;

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

    // Every way out (Exit, Enter, Escape, the close box) ends here: the window asks first.
    void done(int result) override;

    // Commands of the window's own menu (the context menu and F1 here).
    void OnSysCommand(unsigned id);

    // "Open Configuration..." and "Save Configuration As...": ask for a file, then load or save.
    void OnOpenConfig();
    void OnSaveConfigAs();

    QAction* AboutAction() const { return m_aboutAction; }
    QAction* OpenAction() const { return m_openAction; }
    QAction* SaveAction() const { return m_saveAction; }
    // Shown while Read or Write Configuration moves the image.
    const wb::ui::TransferProgress* Progress() const { return m_progress; }

    QIcon m_hIcon;
    std::unique_ptr<wb::ui::SettingsStore> m_settings = wb::ui::MakeWindowSettings();
    CTrackerConfig m_config;
    wb::ui::WindowBackend m_backend;
    CComPort m_port{m_backend.Get()};
    wb::ui::ConfigWindow m_window{*this, *this, m_config, m_port};

private:
    void OnInitDialog();
    void WireCommands();
    void ListPorts();
    QString StartFolder() const;
    void AddFileActions();
    void ShowTooltips();

    wb::ui::BuiltDialog m_controls;
    QAction* m_aboutAction = nullptr;
    QAction* m_openAction = nullptr;
    QAction* m_saveAction = nullptr;
    wb::ui::ActionRunner m_runner{this};
    wb::ui::TransferProgress* m_progress = nullptr;
};
