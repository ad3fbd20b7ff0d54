// The main window: one modal dialog built from template 102. It owns the configuration record and
// the serial channel for its whole life; the form moves values between the controls and the record
// at fixed moments only, and the seven buttons run the device actions.
#pragma once

#include <QDialog>
#include <QIcon>
#include <functional>
#include <memory>
#include <string>

#include "config/TrackerConfig.h"
#include "link/ComPort.h"
#include "ui/ActionRunner.h"
#include "ui/DialogBuilder.h"
#include "ui/TransferProgress.h"

class QAction;

class CConfigDlg : public QDialog {
public:
    explicit CConfigDlg(QWidget* parent = nullptr);

    // The control with this id, or nullptr.
    QWidget* GetDlgItem(int id) const;

    // Control access: the only way the form touches a control.
    std::string GetFieldText(int id) const;
    int GetFieldInt(int id) const;
    void SetFieldText(int id, const char* text);
    void SetFieldInt(int id, int value);
    bool IsBoxChecked(int id) const;
    void SetBoxCheck(int id, BYTE flag);
    int GetListSelection(int id) const;        // -1 when nothing is selected
    void SetListSelection(int id, int index);  // an index outside the list selects nothing

    void FormToConfig();
    void ConfigToForm();
    void UpdateEnables();

    void OnSelchangeProfileTab();
    void OnSmartBeaconEnable();
    void OnTimeSlotEnable();
    void OnMicEEnable();

    // Device actions.
    void OnReadVersion();
    void OnReadConfig();
    void OnWriteConfig();
    void OnSend1200();
    void OnSend2200();
    void OnSendBoth();
    void OnStopSending();

    // Commands of the window's own menu (the context menu and F1 here).
    void OnSysCommand(unsigned id);

    QAction* AboutAction() const { return m_aboutAction; }
    // Shown while Read or Write Configuration moves the image.
    const wb::ui::TransferProgress* Progress() const { return m_progress; }

    QIcon m_hIcon;
    CTrackerConfig m_config;
    std::unique_ptr<wb::SerialBackend> m_backend = wb::MakePlatformBackend();
    CComPort m_port{*m_backend};

private:
    void OnInitDialog();
    void SetUpForm();
    void WireCommands();

    void SelectPort();
    void SendTone(char code);
    // On the worker thread: makes sure a Wrenbeacon answers, then moves the image, showing its
    // progress. True when it failed (the user has been told).
    bool RunImageExchange(const std::function<bool()>& moveImage);

    wb::ui::BuiltDialog m_controls;
    QAction* m_aboutAction = nullptr;
    wb::ui::ActionRunner m_runner{this};
    wb::ui::TransferProgress* m_progress = nullptr;
};
