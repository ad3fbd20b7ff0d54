// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FormAids.h"

#include <iterator>
#include <utility>

#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "res/SmartBeaconPresets.h"

namespace wb::ui {

using namespace wb::res;

namespace {

constexpr int kCustomEntry = static_cast<int>(std::size(kSmartBeaconPresets));

SmartBeaconValues ValuesOf(const SmartBeaconPreset& p) {
    return {p.slowSpeed,    p.slowRate,  p.fastSpeed,  p.fastRate,
            p.minTurnAngle, p.turnSlope, p.minTurnTime};
}

std::string PictureTip(const SymbolLook& look) {
    std::string tip = DescribeSymbol(look);
    for (const ControlTooltip& t : ConfigTooltips()) {
        if (t.id == IDC_SYMBOL_PICTURE) {
            tip = tip + "\n" + t.text;
        }
    }
    return tip;
}

char FirstOf(const std::string& text) {
    return text.empty() ? '\0' : text[0];
}

}  // namespace

SmartBeaconValues ReadSmartBeaconValues(const ControlAccess& c) {
    return {c.GetFieldInt(IDC_SLOW_SPEED),     c.GetFieldInt(IDC_SLOW_RATE),
            c.GetFieldInt(IDC_FAST_SPEED),     c.GetFieldInt(IDC_FAST_RATE),
            c.GetFieldInt(IDC_MIN_TURN_ANGLE), c.GetFieldInt(IDC_TURN_SLOPE),
            c.GetFieldInt(IDC_MIN_TURN_TIME)};
}

int MatchingPreset(const SmartBeaconValues& values) {
    for (int i = 0; i < kCustomEntry; ++i) {
        if (ValuesOf(kSmartBeaconPresets[i]) == values) {
            return i;
        }
    }
    return -1;
}

void FormAids::OnChooseSymbol() {
    if (m_host == nullptr) {
        return;
    }
    SymbolChooser chooser(m_controls.GetFieldText(IDC_SYMBOL),
                          m_controls.GetFieldText(IDC_SYMBOL_TABLE));
    if (!m_host->RunSymbolChooser(chooser)) {
        return;
    }
    if (const auto fields = chooser.Pick()) {
        m_controls.SetFieldText(IDC_SYMBOL, fields->symbol.c_str());
        m_controls.SetFieldText(IDC_SYMBOL_TABLE, fields->table.c_str());
    }
}

void FormAids::OnShowChart() {
    if (m_host != nullptr) {
        const SmartBeaconValues values = ReadSmartBeaconValues(m_controls);
        m_host->OpenBeaconChart(MakeBeaconChart(values), DescribeBeaconing(values));
    }
}

void FormAids::Refresh() {
    if (m_filling) {
        return;  // each filled field reports its change; the fields are done after the last
    }
    RefreshPresets();
    // Without a host nothing draws the picture, the chooser or the chart.
    m_controls.EnableControl(IDC_SYMBOL_PICTURE, m_host != nullptr);
    m_controls.EnableControl(IDC_SMARTBEACON_CHART, m_host != nullptr);
    if (m_host == nullptr) {
        return;
    }
    const SymbolLook look = LookUpSymbol(FirstOf(m_controls.GetFieldText(IDC_SYMBOL)),
                                         FirstOf(m_controls.GetFieldText(IDC_SYMBOL_TABLE)));
    m_host->ShowSymbolPicture(look, PictureTip(look));
    const SmartBeaconValues values = ReadSmartBeaconValues(m_controls);
    m_host->UpdateBeaconChart(MakeBeaconChart(values), DescribeBeaconing(values));
}

// The list shows the preset that the fields hold, or Custom. An entry other than the one it was
// set to show is the user's pick (front ends report a list's change like any field's).
void FormAids::RefreshPresets() {
    const int listed = m_controls.GetListSelection(IDC_SMARTBEACON_PRESET);
    if (listed != m_listedPreset && listed >= 0 && listed < kCustomEntry) {
        const SmartBeaconPreset& p = kSmartBeaconPresets[listed];
        m_filling = true;
        for (const auto& [id, value] : {std::pair{IDC_SLOW_SPEED, p.slowSpeed},
                                        {IDC_SLOW_RATE, p.slowRate},
                                        {IDC_FAST_SPEED, p.fastSpeed},
                                        {IDC_FAST_RATE, p.fastRate},
                                        {IDC_MIN_TURN_ANGLE, p.minTurnAngle},
                                        {IDC_TURN_SLOPE, p.turnSlope},
                                        {IDC_MIN_TURN_TIME, p.minTurnTime}}) {
            m_controls.SetFieldInt(id, value);
        }
        m_filling = false;
    }
    const int match = MatchingPreset(ReadSmartBeaconValues(m_controls));
    m_listedPreset = match < 0 ? kCustomEntry : match;
    m_controls.SetListSelection(IDC_SMARTBEACON_PRESET, m_listedPreset);
}

}  // namespace wb::ui
