// SPDX-License-Identifier: GPL-3.0-or-later
// The two typing rules an edit field can carry.
#pragma once

#include <QLineEdit>

namespace wb::ui {

// Typing accepts the digits 0 to 9 only. Pasted or dropped text is not checked, so text that
// begins with digits can still arrive and is read up to its first other character.
void AcceptDigitsOnlyWhenTyping(QLineEdit* edit);

// Letters the user types or pastes become capitals; text set by the program stays as it is.
void MakeTypedTextUpperCase(QLineEdit* edit);

}  // namespace wb::ui
