// SPDX-License-Identifier: GPL-3.0-or-later
// The C++ side of the page's script (Page.js): every call that draws or reads an element, shows
// a box or waits for the user. Texts cross as Latin-1, one byte a character, as the windows keep
// them; the page sets them as text, never as markup.
#pragma once

#include <string>
#include <vector>

#include "core/MessageSink.h"
#include "res/DialogTemplate.h"

namespace wb::web {

// Where the controls of a template go: the main form, or a dialog made for them.
enum class Surface { Form = 0, Dialog = 1 };

// Builds the controls of `dialog` on `surface`, in focus order, with its lists filled, tooltips
// for the ids that have one, and each label tied to the field after it.
void BuildControls(const res::DialogTemplate& dialog, Surface surface);

std::string GetText(int id);
void SetText(int id, const std::string& text);
bool IsChecked(int id);
void SetChecked(int id, bool checked);
int GetSelection(int id);
void SetSelection(int id, int index);
// Replaces a list's entries (texts and tips in UTF-8, unlike the others) and selects none.
void SetEntries(int id, const std::vector<std::string>& texts,
                const std::vector<std::string>& tips);
void SetEnabled(int id, bool enabled);
int GetTab(int id);
void InsertTab(int id, int index, const std::string& text);

// While an exchange runs the form takes no input and says that it is busy.
void SetBusy(bool busy);
// The bar under Exit: shown empty (-1), towards a total, at a count, hidden (-2).
void ShowProgress(int done, int total);

// A modal box with the message's caption as its heading; returns once the user dismissed it.
void ShowBox(const Message& message);
// The question's two buttons; true for `yes`.
bool Ask(const Message& question, const std::string& yes, const std::string& no);
// Shows the dialog built with BuildControls(..., Surface::Dialog) until its OK is pressed.
void RunDialog(const std::string& caption);

// The application icon, drawn on the page (the About box, the tab's icon).
void SetIcon(const unsigned char* rgba, int width, int height);

}  // namespace wb::web
