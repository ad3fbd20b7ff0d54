// SPDX-License-Identifier: GPL-3.0-or-later
// The form's and the actions' only way to a control of the main window: by id, one call per
// control message. Each front end implements it over its own widgets (a Win32 dialog with
// WM_GETTEXT, BM_GETCHECK, CB_GETCURSEL, TCM_GETCURSEL, EnableWindow and their setters).
// A call on an id that the window does not have, or on a control of another kind, does nothing
// and answers empty, false or -1.
#pragma once

#include <string>
#include <vector>

#include "core/Types.h"

namespace wb::ui {

class ControlAccess {
public:
    virtual ~ControlAccess() = default;

    // The whole text of a single-line edit field, however long; setting it also takes a static
    // text or a group box's title (WM_SETTEXT).
    virtual std::string GetFieldText(int id) const = 0;
    virtual void SetFieldText(int id, const char* text) = 0;

    // True exactly when the check box is checked.
    virtual bool IsBoxChecked(int id) const = 0;
    // 0 unchecks, 1 checks. Setting a box raises no click.
    virtual void SetBoxCheck(int id, BYTE flag) = 0;

    // A drop-down list's selection index, -1 when nothing is selected. Setting an index outside
    // the list selects nothing.
    virtual int GetListSelection(int id) const = 0;
    virtual void SetListSelection(int id, int index) = 0;

    // Replaces a drop-down list's entries with these, in this order (a sorted list too), and
    // selects nothing. `tip` is what the toolkit shows over the entry, where it can.
    struct ListEntry {
        std::string text;
        std::string tip;
    };
    virtual void SetListEntries(int id, const std::vector<ListEntry>& entries) = 0;

    virtual void EnableControl(int id, bool enabled) = 0;

    // The tab control's tabs: the selected index (-1 when none), and inserting one with a text.
    virtual int GetTabSelection(int id) const = 0;
    virtual void InsertTab(int id, int index, const char* text) = 0;

    // The field's text read as a decimal number (its leading number; none gives 0), and a number
    // written as "%d".
    int GetFieldInt(int id) const;
    void SetFieldInt(int id, int value);
};

}  // namespace wb::ui
