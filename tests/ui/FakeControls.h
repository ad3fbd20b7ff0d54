// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls without a toolkit: one entry per control of template 102 that has an
// id, of its kind, with the lists filled as the template says. Calls on ids the window does not
// have, or on a control of another kind, do nothing, as ControlAccess promises.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "res/DialogTemplate.h"
#include "ui/ControlAccess.h"

namespace wb::test {

class FakeControls final : public ui::ControlAccess {
public:
    struct Control {
        res::ControlKind kind = res::ControlKind::Static;
        std::string text;
        bool checked = false;
        int selection = -1;
        std::vector<std::string> entries;  // a list's entries, or a tab control's tabs
        std::vector<std::string> tips;     // a list's tips, once SetListEntries gave some
        bool enabled = true;
    };

    FakeControls();

    // The control with this id; the test fails when there is none.
    Control& operator[](int id);
    const Control& operator[](int id) const;

    std::string GetFieldText(int id) const override;
    void SetFieldText(int id, const char* text) override;
    bool IsBoxChecked(int id) const override;
    void SetBoxCheck(int id, BYTE flag) override;
    int GetListSelection(int id) const override;
    void SetListSelection(int id, int index) override;
    void SetListEntries(int id, const std::vector<ListEntry>& entries) override;
    void EnableControl(int id, bool enabled) override;
    int GetTabSelection(int id) const override;
    void InsertTab(int id, int index, const char* text) override;

private:
    Control* Find(int id, res::ControlKind kind);
    const Control* Find(int id, res::ControlKind kind) const;

    std::map<int, Control> m_controls;
};

}  // namespace wb::test
