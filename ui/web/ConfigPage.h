// SPDX-License-Identifier: GPL-3.0-or-later
// The main window in the browser: the page's elements, built from template 102, behind the
// toolkit-free window (form, device actions, files, dispatch). It owns the configuration record
// and the serial channel, as the desktop windows do. An exchange runs right on the page's one
// thread: each wait for the port suspends the module (Asyncify) and the page keeps drawing.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/TrackerConfig.h"
#include "link/ComPort.h"
#include "link/SerialBackend.h"
#include "ui/ActionHost.h"
#include "ui/ConfigWindow.h"
#include "ui/ControlAccess.h"

namespace wb::web {

class ConfigPage final : public ui::ControlAccess, public ui::ActionHost {
public:
    ConfigPage();
    ConfigPage(const ConfigPage&) = delete;
    ConfigPage& operator=(const ConfigPage&) = delete;

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
    bool AskQuestion(const Message& question, const char* yes, const char* no) override;

    ui::ConfigWindow& Window() { return m_window; }
    void ShowAbout();

private:
    std::unique_ptr<SerialBackend> m_backend;
    CTrackerConfig m_config;
    CComPort m_port;
    ui::ConfigWindow m_window;
    int m_progressDone = 0;
    int m_progressTotal = 0;
};

}  // namespace wb::web
