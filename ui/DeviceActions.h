// The seven device actions of the "Configure" and "Tone Test" groups: read the version banner,
// read the configuration into the form, write the form's configuration with verification, and
// the tone test. The exchanges with the device run through the host, in the background; the form
// and the record are touched only on the window's thread, before and after them. An action never
// starts while another one runs.
#pragma once

#include <functional>

#include "config/TrackerConfig.h"
#include "link/ComPort.h"
#include "ui/ActionHost.h"
#include "ui/ConfigForm.h"
#include "ui/ControlAccess.h"

namespace wb::ui {

class DeviceActions {
public:
    DeviceActions(ControlAccess& controls, ConfigForm& form, CTrackerConfig& config, CComPort& port,
                  ActionHost& host);

    // True from the start of an action until its last message has been answered.
    bool IsBusy() const { return m_busy; }

    void OnReadVersion();
    void OnReadConfig();
    void OnWriteConfig();
    void OnSend1200();
    void OnSend2200();
    void OnSendBoth();
    void OnStopSending();

private:
    void SelectPort();
    void SendTone(char code);
    // In the background: makes sure a Wrenbeacon answers, then moves the image, showing its
    // progress. True when it failed (the user has been told).
    bool RunImageExchange(const std::function<bool()>& moveImage);

    ControlAccess& m_controls;
    ConfigForm& m_form;
    CTrackerConfig& m_config;
    CComPort& m_port;
    ActionHost& m_host;
    bool m_busy = false;
};

}  // namespace wb::ui
