// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PortChooser.h"

#include "link/DeviceProtocol.h"
#include "res/ResourceIds.h"

namespace wb::ui {
namespace {

constexpr const char* kIdKey = "port/id";
constexpr const char* kNameKey = "port/name";

}  // namespace

PortChooser::PortChooser(ControlAccess& controls) : m_controls(controls) {}

void PortChooser::Use(PortLister lister, SettingsStore& store) {
    m_lister = std::move(lister);
    m_store = &store;
}

int PortChooser::Find(const std::string& identity) const {
    for (std::size_t i = 0; !identity.empty() && i < m_entries.size(); ++i) {
        if (m_entries[i].identity == identity) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void PortChooser::Show(int selected) {
    std::vector<ControlAccess::ListEntry> texts;
    for (const PortEntry& entry : m_entries) {
        texts.push_back({entry.label, entry.tip});
    }
    m_controls.SetListEntries(res::IDC_COM_PORT, texts);
    m_controls.SetListSelection(res::IDC_COM_PORT, selected);
}

void PortChooser::Fill() {
    if (!m_lister) {
        return;
    }
    m_entries = m_lister();
    const int remembered = Find(m_store->Get(kIdKey).value_or(""));
    Show(remembered >= 0 ? remembered : 0);
}

void PortChooser::Refresh() {
    if (!m_lister) {
        return;
    }
    const int before = m_controls.GetListSelection(res::IDC_COM_PORT);
    const PortEntry was = before >= 0 && before < static_cast<int>(m_entries.size())
                              ? m_entries[static_cast<std::size_t>(before)]
                              : PortEntry{};
    m_entries = m_lister();
    int now = Find(was.identity);
    if (now < 0 && was.number != 0) {
        now = was.number - 1;
    }
    Show(now);
}

void PortChooser::Select(CComPort& port) {
    const int index = m_controls.GetListSelection(res::IDC_COM_PORT);
    const bool listed = index >= 0 && index < static_cast<int>(m_entries.size());
    m_selected = listed ? m_entries[static_cast<std::size_t>(index)] : PortEntry{};
    m_answered = false;
    if (!listed || m_selected.number != 0) {
        port.SetPort(index + 1);  // the port number semantics of COM1 to COM4, untouched
    } else {
        port.SetPortName(m_selected.device);
    }
}

void PortChooser::RememberIfAnswered() {
    if (!m_answered.exchange(false) || m_store == nullptr || m_selected.identity.empty() ||
        (m_store->Get(kIdKey) == m_selected.identity &&
         m_store->Get(kNameKey) == m_selected.name)) {
        return;
    }
    m_store->Set({{kIdKey, m_selected.identity}, {kNameKey, m_selected.name}});
}

}  // namespace wb::ui
