// SPDX-License-Identifier: GPL-3.0-or-later
// The symbol's picture and the symbol chooser in the page (Aids.js draws them). Pictures are
// drawn here at a whole number of screen pixels per picture pixel, for the screen's pixel ratio.
// The chooser hands every change the user makes back here, to the toolkit-free chooser, and shows
// its answer.
#pragma once

#include <string>

#include "res/Symbols.h"
#include "ui/SymbolChooser.h"

namespace wb::web {

// The picture on the button beside the two symbol fields; `tip` names it (its first line) and
// says what the button does.
void ShowSymbolPicture(const res::SymbolLook& look, const std::string& tip);

// Dialog 110 over the page until the user picks (true) or cancels.
bool RunSymbolChooserPage(ui::SymbolChooser& chooser);

}  // namespace wb::web
