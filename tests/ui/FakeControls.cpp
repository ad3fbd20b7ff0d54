// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ui/FakeControls.h"

#include <gtest/gtest.h>

#include "res/Resources.h"

namespace wb::test {

using res::ControlKind;

FakeControls::FakeControls() {
    const res::DialogTemplate& dialog = res::ConfigDialogTemplate();
    for (const res::ControlTemplate& c : dialog.controls) {
        if (c.id != res::kStaticId) {
            Control& control = m_controls[c.id];
            control.kind = c.kind;
            control.text = c.text;
        }
    }
    for (const res::ListInit& list : dialog.lists) {
        m_controls.at(list.id).entries.assign(list.entries.begin(), list.entries.end());
    }
}

FakeControls::Control& FakeControls::operator[](int id) {
    const auto found = m_controls.find(id);
    EXPECT_NE(found, m_controls.end()) << "no control " << id;
    return found->second;
}

const FakeControls::Control& FakeControls::operator[](int id) const {
    return const_cast<FakeControls&>(*this)[id];
}

FakeControls::Control* FakeControls::Find(int id, ControlKind kind) {
    const auto found = m_controls.find(id);
    return found == m_controls.end() || found->second.kind != kind ? nullptr : &found->second;
}

const FakeControls::Control* FakeControls::Find(int id, ControlKind kind) const {
    return const_cast<FakeControls&>(*this).Find(id, kind);
}

std::string FakeControls::GetFieldText(int id) const {
    const Control* c = Find(id, ControlKind::Edit);
    return c == nullptr ? std::string() : c->text;
}

void FakeControls::SetFieldText(int id, const char* text) {
    for (ControlKind kind : {ControlKind::Edit, ControlKind::Static, ControlKind::GroupBox}) {
        if (Control* c = Find(id, kind)) {
            c->text = text;
        }
    }
}

bool FakeControls::IsBoxChecked(int id) const {
    const Control* c = Find(id, ControlKind::CheckBox);
    return c != nullptr && c->checked;
}

void FakeControls::SetBoxCheck(int id, BYTE flag) {
    if (Control* c = Find(id, ControlKind::CheckBox)) {
        c->checked = flag != 0;
    }
}

int FakeControls::GetListSelection(int id) const {
    const Control* c = Find(id, ControlKind::ComboBox);
    return c == nullptr ? -1 : c->selection;
}

void FakeControls::SetListSelection(int id, int index) {
    if (Control* c = Find(id, ControlKind::ComboBox)) {
        c->selection = index >= 0 && index < static_cast<int>(c->entries.size()) ? index : -1;
    }
}

void FakeControls::SetListEntries(int id, const std::vector<ListEntry>& entries) {
    if (Control* c = Find(id, ControlKind::ComboBox)) {
        c->entries.clear();
        c->tips.clear();
        for (const ListEntry& entry : entries) {
            c->entries.push_back(entry.text);
            c->tips.push_back(entry.tip);
        }
        c->selection = -1;
    }
}

void FakeControls::EnableControl(int id, bool enabled) {
    if (const auto found = m_controls.find(id); found != m_controls.end()) {
        found->second.enabled = enabled;
    }
}

int FakeControls::GetTabSelection(int id) const {
    const Control* c = Find(id, ControlKind::Tab);
    return c == nullptr ? -1 : c->selection;
}

void FakeControls::InsertTab(int id, int index, const char* text) {
    if (Control* c = Find(id, ControlKind::Tab)) {
        c->entries.insert(c->entries.begin() + index, text);
        if (c->selection < 0) {
            c->selection = 0;  // the first tab inserted is the selected one
        }
    }
}

}  // namespace wb::test
