// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/web/ConfigPage.h"

#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "ui/web/BeaconChartPage.h"
#include "ui/web/IconImage.h"
#include "ui/web/LocalStorageSettings.h"
#include "ui/web/PageBridge.h"
#include "ui/web/PageMenu.h"
#include "ui/web/PagePorts.h"
#include "ui/web/SymbolChooserPage.h"

namespace wb::web {

ConfigPage::ConfigPage()
    : m_settings(MakePageSettings()),
      m_backend(MakePlatformBackend()),
      m_port(*m_backend),
      m_window(*this, *this, m_config, m_port) {
    BuildControls(res::ConfigDialogTemplate(), Surface::Form);
    LabelMenu();
    const IconImage icon = LoadMainIcon();
    SetIcon(icon.rgba.data(), icon.width, icon.height);
    m_window.UseSettings(ListPagePorts, *m_settings);
    m_window.Ports().SetPrompt(AskForPort);
    m_window.SetAidHost(*this);
    m_window.OnInitDialog();
}

std::string ConfigPage::GetFieldText(int id) const {
    return GetText(id);
}

void ConfigPage::SetFieldText(int id, const char* text) {
    SetText(id, text);
}

bool ConfigPage::IsBoxChecked(int id) const {
    return IsChecked(id);
}

void ConfigPage::SetBoxCheck(int id, BYTE flag) {
    SetChecked(id, flag != 0);
}

int ConfigPage::GetListSelection(int id) const {
    return GetSelection(id);
}

void ConfigPage::SetListSelection(int id, int index) {
    SetSelection(id, index);
}

void ConfigPage::SetListEntries(int id, const std::vector<ListEntry>& entries) {
    std::vector<std::string> texts;
    std::vector<std::string> tips;
    for (const ListEntry& entry : entries) {
        texts.push_back(entry.text);
        tips.push_back(entry.tip);
    }
    SetEntries(id, texts, tips);
}

void ConfigPage::EnableControl(int id, bool enabled) {
    SetEnabled(id, enabled);
}

int ConfigPage::GetTabSelection(int id) const {
    return GetTab(id);
}

void ConfigPage::InsertTab(int id, int index, const char* text) {
    web::InsertTab(id, index, text);
}

bool ConfigPage::RunInBackground(const std::function<bool()>& exchange) {
    struct Busy {
        Busy() { SetBusy(true); }
        ~Busy() { SetBusy(false); }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;
    } busy;
    return exchange();
}

void ConfigPage::BeginProgress() {
    m_progressDone = 0;
    m_progressTotal = 0;
    ShowProgress(-1, 0);
}

void ConfigPage::ExpectProgress(int bytes) {
    m_progressDone = 0;
    m_progressTotal = bytes;
    ShowProgress(0, bytes);
}

void ConfigPage::AddProgress(int bytes) {
    if (m_progressTotal > 0) {
        m_progressDone += bytes;
        ShowProgress(m_progressDone, m_progressTotal);
    }
}

void ConfigPage::EndProgress() {
    ShowProgress(-2, 0);
}

bool ConfigPage::AskQuestion(const Message& question, const char* yes, const char* no) {
    return Ask(question, yes, no);
}

void ConfigPage::ShowSymbolPicture(const res::SymbolLook& look, const std::string& tip) {
    web::ShowSymbolPicture(look, tip);
}

bool ConfigPage::RunSymbolChooser(ui::SymbolChooser& chooser) {
    return RunSymbolChooserPage(chooser);
}

void ConfigPage::OpenBeaconChart(const ui::BeaconChart& chart, const std::string& sentence) {
    OpenBeaconChartPage(chart, sentence);
}

void ConfigPage::UpdateBeaconChart(const ui::BeaconChart& chart, const std::string& sentence) {
    UpdateBeaconChartPage(chart, sentence);
}

void ConfigPage::ShowAbout() {
    const res::DialogTemplate& about = res::AboutDialogTemplate();
    BuildControls(about, Surface::Dialog);
    RunDialog(about.caption);
}

}  // namespace wb::web
