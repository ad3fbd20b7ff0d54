// SPDX-License-Identifier: GPL-3.0-or-later
// The window's port list (the list IDC_COM_PORT): what it offers, which entry it starts on, and
// which port an action opens. The entries are the port list of link/PortList.h, read again each
// time the list drops down. The port that last answered as a Wrenbeacon is remembered by what
// identifies it for good (PortEntry::identity) and selected at the next start wherever it now
// stands; when it is not there the list starts on its first port (COM1 on the desktop).
// Where several entries share an identity (the page's adapters of one kind), the remembered
// name decides between them at the start, and the device while the list is read again.
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
// Asks the user for a port the list does not have yet (the browser's chooser): the device of
// the port chosen, or "" when none was.
using PortPrompt = std::function<std::string()>;

class PortChooser {
public:
    explicit PortChooser(ControlAccess& controls);

    // Lists ports through `lister` and remembers the port in `store` from now on; both must
    // outlive this object.
    void Use(PortLister lister, SettingsStore& store);

    // What picking an entry that is a prompt (PortEntry::prompt) runs.
    void SetPrompt(PortPrompt prompt) { m_prompt = std::move(prompt); }

    // At start: fills the list, on the remembered port or else on the first entry that is no
    // prompt (COM1 on the desktop).
    void Fill();
    // When the list drops down: lists again, and keeps the same port selected wherever it now
    // stands; a COMn whose port changed stays COMn, and a port that is gone leaves nothing
    // selected.
    void Refresh();
    // The user picked an entry. A prompt asks for a port, lists again and selects the port
    // chosen, or else the entry that was selected before.
    void OnSelectionChange();

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
    // The entry with `identity` whose `field` is `value`, else the first with `identity`; -1.
    int Find(const std::string& identity, std::string PortEntry::*field,
             const std::string& value) const;
    // Where the port of `was`, an entry of an earlier listing, now stands; -1 when it is gone.
    int Locate(const PortEntry& was) const;

    ControlAccess& m_controls;
    PortLister m_lister;
    PortPrompt m_prompt;
    SettingsStore* m_store = nullptr;
    std::vector<PortEntry> m_entries;
    PortEntry m_selected;  // the entry of the last Select
    PortEntry m_settled;   // the last entry selected that is no prompt
    std::atomic<bool> m_answered{false};
};

}  // namespace wb::ui
