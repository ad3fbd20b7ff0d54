// SPDX-License-Identifier: GPL-3.0-or-later
// The window's port list (the list IDC_COM_PORT): what it offers, which entry it starts on, and
// which port an action opens. The entries are the port list of link/PortList.h, read again each
// time the list drops down. The port that last answered as a Wrenbeacon is remembered by what
// identifies it for good (PortEntry::identity) and selected at the next start wherever it now
// stands; when it is not there the list starts on COM1.
//
// Until Use is called the list keeps the template's entries COM1 to COM4, entry i standing for
// COM i+1, and nothing is remembered.
#pragma once

#include <atomic>
#include <functional>
#include <vector>

#include "link/ComPort.h"
#include "link/PortList.h"
#include "ui/ControlAccess.h"
#include "ui/SettingsStore.h"

namespace wb::ui {

using PortLister = std::function<std::vector<PortEntry>()>;

class PortChooser {
public:
    explicit PortChooser(ControlAccess& controls);

    // Lists ports through `lister` and remembers the port in `store` from now on; both must
    // outlive this object.
    void Use(PortLister lister, SettingsStore& store);

    // At start: fills the list, on the remembered port or else on COM1.
    void Fill();
    // When the list drops down: lists again, and keeps the same port selected wherever it now
    // stands; a COMn whose port changed stays COMn, and a port that is gone leaves nothing
    // selected.
    void Refresh();

    // The selected entry becomes the port that `port` opens next: COM1 to COM4 by number (no
    // selection gives 0, refused by the channel), a port after them by its name.
    void Select(CComPort& port);
    // A Wrenbeacon answered on the port last selected. Any thread.
    void NoteAnswered() { m_answered = true; }
    // On the window's thread, after an action: the port that answered is remembered.
    void RememberIfAnswered();

    const std::vector<PortEntry>& Entries() const { return m_entries; }

private:
    void Show(int selected);
    int Find(const std::string& identity) const;

    ControlAccess& m_controls;
    PortLister m_lister;
    SettingsStore* m_store = nullptr;
    std::vector<PortEntry> m_entries;
    PortEntry m_selected;  // the entry of the last Select
    std::atomic<bool> m_answered{false};
};

}  // namespace wb::ui
