#include "ui/ConfigWindow.h"

#include "res/ResourceIds.h"

namespace wb::ui {

using namespace wb::res;

ConfigWindow::ConfigWindow(ControlAccess& controls, ActionHost& host, CTrackerConfig& config,
                           CComPort& port)
    : m_form(controls, config), m_actions(controls, m_form, config, port, host) {}

void ConfigWindow::OnInitDialog() {
    m_form.SetUp();
}

bool ConfigWindow::OnCommand(int id) {
    switch (id) {
        case IDC_READ_VERSION:
            m_actions.OnReadVersion();
            return true;
        case IDC_READ_CONFIG:
            m_actions.OnReadConfig();
            return true;
        case IDC_WRITE_CONFIG:
            m_actions.OnWriteConfig();
            return true;
        case IDC_SEND_1200:
            m_actions.OnSend1200();
            return true;
        case IDC_SEND_2200:
            m_actions.OnSend2200();
            return true;
        case IDC_SEND_BOTH:
            m_actions.OnSendBoth();
            return true;
        case IDC_STOP_SENDING:
            m_actions.OnStopSending();
            return true;
        case IDC_SMARTBEACON_ENABLE:
            m_form.OnSmartBeaconEnable();
            return true;
        case IDC_TIMESLOT_ENABLE:
            m_form.OnTimeSlotEnable();
            return true;
        case IDC_MICE_ENABLE:
            m_form.OnMicEEnable();
            return true;
        default:
            return false;
    }
}

void ConfigWindow::OnSelchangeProfileTab() {
    m_form.OnSelchangeProfileTab();
}

}  // namespace wb::ui
