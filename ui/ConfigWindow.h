// What the main window does, apart from how a toolkit draws it: the form, the device actions and
// the dispatch of the window's commands to them. A front end builds the controls from dialog
// template 102, implements ControlAccess and ActionHost over them, calls OnInitDialog once, and
// passes every button click and the tab control's selection change on.
#pragma once

#include "config/TrackerConfig.h"
#include "link/ComPort.h"
#include "ui/ActionHost.h"
#include "ui/ConfigForm.h"
#include "ui/ControlAccess.h"
#include "ui/DeviceActions.h"

namespace wb::ui {

class ConfigWindow {
public:
    // The record and the port belong to the window; all four must outlive this object.
    ConfigWindow(ControlAccess& controls, ActionHost& host, CTrackerConfig& config, CComPort& port);

    // The form set-up, once the controls exist and their lists are filled.
    void OnInitDialog();

    // A click on the button or check box `id`. False when it has no handler here (Exit, the
    // boxes that only toggle themselves): the front end's default applies.
    bool OnCommand(int id);

    // The tab control 1034 reports that its selection has changed.
    void OnSelchangeProfileTab();

    ConfigForm& Form() { return m_form; }
    DeviceActions& Actions() { return m_actions; }

private:
    ConfigForm m_form;
    DeviceActions m_actions;
};

}  // namespace wb::ui
