// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ConfigWindow.h"

#include <system_error>

#include "res/ResourceIds.h"
#include "ui/ImageUsage.h"

namespace wb::ui {

using namespace wb::res;

namespace {

constexpr const char* kFolderKey = "files/folder";

constexpr const char* kCloseQuestion =
    "The configuration has changes that were not written to the beacon or saved to a file. "
    "Close anyway?";

}  // namespace

ConfigWindow::ConfigWindow(ControlAccess& controls, ActionHost& host, CTrackerConfig& config,
                           CComPort& port)
    : m_controls(controls),
      m_host(host),
      m_port(port),
      m_ports(controls),
      m_form(controls, config),
      m_clean(m_form, config),
      m_actions(controls, m_form, config, port, host, m_clean),
      m_files(m_form, config) {
    m_actions.SetWriteFailureAdvice(
        "Check the cable and press Write Configuration again, or open a configuration saved to a "
        "file and write that.");
    m_actions.SetPortSelector([this] { m_ports.Select(m_port); });
    m_port.SetAnswerObserver([this] { m_ports.NoteAnswered(); });
}

void ConfigWindow::UseSettings(PortLister ports, SettingsStore& store) {
    m_ports.Use(std::move(ports), store);
    m_settings = &store;
}

void ConfigWindow::OnInitDialog() {
    m_form.SetUp();
    m_ports.Fill();
    m_clean.Note();
    OnFormChanged();
}

void ConfigWindow::OnPortListDropDown() {
    if (!m_actions.IsBusy()) {
        m_ports.Refresh();
    }
}

std::filesystem::path ConfigWindow::StartFolder() const {
    const auto text = m_settings != nullptr ? m_settings->Get(kFolderKey) : std::nullopt;
    if (!text || text->empty()) {
        return {};
    }
    const std::filesystem::path folder(std::u8string(text->begin(), text->end()));
    std::error_code ec;
    return std::filesystem::is_directory(folder, ec) ? folder : std::filesystem::path();
}

void ConfigWindow::NoteFolder(const std::filesystem::path& file) {
    if (m_settings == nullptr || file.parent_path().empty()) {
        return;
    }
    std::error_code ec;
    const std::u8string folder = std::filesystem::absolute(file, ec).parent_path().u8string();
    const std::string text(folder.begin(), folder.end());
    if (m_settings->Get(kFolderKey) != text) {
        m_settings->Set({{kFolderKey, text}});
    }
}

bool ConfigWindow::OnCommand(int id) {
    switch (id) {
        case IDC_READ_VERSION:
            m_actions.OnReadVersion();
            break;
        case IDC_READ_CONFIG:
            m_actions.OnReadConfig();
            break;
        case IDC_WRITE_CONFIG:
            m_actions.OnWriteConfig();
            break;
        case IDC_SEND_1200:
            m_actions.OnSend1200();
            break;
        case IDC_SEND_2200:
            m_actions.OnSend2200();
            break;
        case IDC_SEND_BOTH:
            m_actions.OnSendBoth();
            break;
        case IDC_STOP_SENDING:
            m_actions.OnStopSending();
            break;
        case IDC_SMARTBEACON_ENABLE:
            m_form.OnSmartBeaconEnable();
            break;
        case IDC_TIMESLOT_ENABLE:
            m_form.OnTimeSlotEnable();
            break;
        case IDC_MICE_ENABLE:
            m_form.OnMicEEnable();
            break;
        default:
            return false;
    }
    m_ports.RememberIfAnswered();
    // An action that showed new values did so while it was busy: the line catches up here.
    OnFormChanged();
    return true;
}

void ConfigWindow::OnSelchangeProfileTab() {
    m_form.OnSelchangeProfileTab();
    OnFormChanged();
}

void ConfigWindow::OnFormChanged() {
    m_controls.SetFieldText(IDC_IMAGE_USAGE, DescribeUsage(MeasureImage(m_form.Preview())).c_str());
}

bool ConfigWindow::QueryClose() {
    if (m_actions.IsBusy()) {
        return false;
    }
    if (HasUnsavedChanges() &&
        !m_host.AskQuestion({kCloseQuestion, "WrenbeaconConfig", {}}, "Close", "Cancel")) {
        return false;
    }
    m_actions.StopToneOnClose();
    return true;
}

bool ConfigWindow::OnOpenConfig(const std::filesystem::path& path) {
    if (m_actions.IsBusy()) {
        return true;
    }
    NoteFolder(path);
    if (m_files.OnOpenConfig(path)) {
        return true;
    }
    NoteClean();
    OnFormChanged();
    return false;
}

bool ConfigWindow::OnSaveConfigAs(const std::filesystem::path& path) {
    if (m_actions.IsBusy()) {
        return true;
    }
    NoteFolder(path);
    if (m_files.OnSaveConfigAs(path)) {
        return true;
    }
    NoteClean();
    return false;
}

void ConfigWindow::NoteClean() {
    m_clean.Note();
}

bool ConfigWindow::HasUnsavedChanges() const {
    return m_clean.FormDiffers();
}

}  // namespace wb::ui
