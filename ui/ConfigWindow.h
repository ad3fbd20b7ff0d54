// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window does, apart from how a toolkit draws it: the form, the device actions, the
// dispatch of the window's commands to them, the line under the form, and the questions before
// the window closes. A front end builds the controls from dialog template 102, implements
// ControlAccess and ActionHost over them, and then:
//   - calls OnInitDialog once, when the controls exist and their lists are filled;
//   - passes every button and check box click to OnCommand, the tab control's selection change
//     to OnSelchangeProfileTab, and every change of a field, box or list to OnFormChanged;
//   - asks QueryClose before any way out ends the window (Exit, Enter, Escape, the close box),
//     and ends it only when that returns true.
#pragma once

#include "config/TrackerConfig.h"
#include "link/ComPort.h"
#include "ui/ActionHost.h"
#include "ui/CleanRecord.h"
#include "ui/ConfigForm.h"
#include "ui/ControlAccess.h"
#include "ui/DeviceActions.h"
#include "ui/FileActions.h"
#include "ui/PortChooser.h"
#include "ui/SettingsStore.h"

namespace wb::ui {

class ConfigWindow {
public:
    // The record and the port belong to the window; all four must outlive this object.
    ConfigWindow(ControlAccess& controls, ActionHost& host, CTrackerConfig& config, CComPort& port);

    // The ports to list (read again each time the list drops down) and where to remember the
    // port that answered and the folder of the last Open or Save; call it before OnInitDialog.
    // Without it the port list keeps COM1 to COM4 and nothing is remembered.
    void UseSettings(PortLister ports, SettingsStore& store);

    void OnInitDialog();

    // The port list is about to drop down.
    void OnPortListDropDown();
    // Where the file dialogs of Open and Save start: the folder of the last Open or Save while
    // it exists, else empty (the toolkit's default).
    std::filesystem::path StartFolder() const;

    // A click on the button or check box `id`. False when it has no handler here (Exit, the
    // boxes that only toggle themselves): the front end's default applies.
    bool OnCommand(int id);
    void OnSelchangeProfileTab();
    // A field was typed into, a box toggled or a list entry picked: refreshes the line under the
    // form (IDC_IMAGE_USAGE) with the bytes the configuration needs, or a warning.
    void OnFormChanged();

    // False keeps the window open: an action is running, or the user chose to keep changes that
    // were neither written nor saved. Otherwise stops a tone that may still be on, and true.
    bool QueryClose();

    // "Open Configuration..." and "Save Configuration As..." with the path the user chose: the
    // file action, after which the form counts as clean. Nothing while a device action runs.
    // False on success.
    bool OnOpenConfig(const std::filesystem::path& path);
    bool OnSaveConfigAs(const std::filesystem::path& path);

    // The record now matches what was opened from or saved to a file: call it once the record
    // holds what was opened (and the form shows it), or once the form was saved into the record
    // that went into the file.
    void NoteClean();
    // The form, as it would be saved, differs from the record last read, written, opened or saved.
    bool HasUnsavedChanges() const;

    ConfigForm& Form() { return m_form; }
    DeviceActions& Actions() { return m_actions; }
    PortChooser& Ports() { return m_ports; }

private:
    void NoteFolder(const std::filesystem::path& file);

    ControlAccess& m_controls;
    ActionHost& m_host;
    CComPort& m_port;
    PortChooser m_ports;
    SettingsStore* m_settings = nullptr;
    ConfigForm m_form;
    CleanRecord m_clean;
    DeviceActions m_actions;
    FileActions m_files;
};

}  // namespace wb::ui
