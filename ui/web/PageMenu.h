// SPDX-License-Identifier: GPL-3.0-or-later
// The page's menu and file choosers in the window's own words: the entries and their keys, the
// title of Save As, the kinds of file offered and the extension a name without one gets.
#pragma once

namespace wb::web {

void LabelMenu();

}  // namespace wb::web
