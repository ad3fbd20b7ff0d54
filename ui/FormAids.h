// SPDX-License-Identifier: GPL-3.0-or-later
// The aids beside the form: the symbol as a picture with the chooser behind it, the list of
// SmartBeaconing presets, and the chart of what the seven values do. They read and fill the form
// only through its controls; what needs drawing goes to the front end's FormAidHost.
#pragma once

#include <string>

#include "res/Symbols.h"
#include "ui/BeaconChart.h"
#include "ui/ControlAccess.h"
#include "ui/SymbolChooser.h"

namespace wb::ui {

class FormAidHost {
public:
    virtual ~FormAidHost() = default;

    // Puts the symbol on the button IDC_SYMBOL_PICTURE (DrawSymbol at the screen's whole scale);
    // `tip` is the button's tooltip and accessible name.
    virtual void ShowSymbolPicture(const res::SymbolLook& look, const std::string& tip) = 0;
    // Runs dialog 110 over the window on `chooser` until the user picks (true) or cancels.
    virtual bool RunSymbolChooser(SymbolChooser& chooser) = 0;
    // Opens the chart window, or brings it to the front; then shows these.
    virtual void OpenBeaconChart(const BeaconChart& chart, const std::string& sentence) = 0;
    // Shows these in the chart window when it is open.
    virtual void UpdateBeaconChart(const BeaconChart& chart, const std::string& sentence) = 0;
};

// The seven SmartBeaconing fields of the shown profile, as typed.
SmartBeaconValues ReadSmartBeaconValues(const ControlAccess& controls);
// The preset (index into res::kSmartBeaconPresets) whose values these are, or -1.
int MatchingPreset(const SmartBeaconValues& values);

class FormAids {
public:
    explicit FormAids(ControlAccess& controls) : m_controls(controls) {}

    // Without a host the picture, chooser and chart do nothing and their buttons are disabled;
    // the presets work all the same.
    void SetHost(FormAidHost* host) { m_host = host; }

    // The picture button, or a double click on either field: the chooser, then both fields.
    void OnChooseSymbol();
    void OnShowChart();

    // After every change of the form: the picture, the preset list and the chart follow the
    // fields. A preset the user has just picked in the list first fills the seven fields.
    void Refresh();

private:
    void RefreshPresets();

    ControlAccess& m_controls;
    FormAidHost* m_host = nullptr;
    int m_listedPreset = -1;  // what the preset list was last set to show
    bool m_filling = false;   // a preset is being filled in
};

}  // namespace wb::ui
