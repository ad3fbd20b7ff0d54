// SPDX-License-Identifier: GPL-3.0-or-later
// Boxes that fit what they show. A message box sizes itself to its text and buttons, not to its
// caption, so a long caption over a short text is cut ("Wr..."); and its text breaks lines at
// spaces and also after '-' and '/', so a path can be split across two lines.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/win32/Win32.h"

namespace wb::ui {

// Runs `show`, which shows one message box (MessageBoxW) with `caption` and `text` on this thread,
// and returns what it returns. Before the box appears it is widened, keeping its centre, until
// the caption fits beside the close button and the text is wider than the widest of `paths` (the
// names in it that must stay whole, BoxText.h); a paragraph with a path that would still wrap is
// broken at its spaces only, never inside a path, and the box grows to hold the lines.
int ShowFittedBox(const std::wstring& caption, const std::wstring& text,
                  const std::vector<std::wstring>& paths, const std::function<int()>& show);

// The width for a task dialog (in its dialog units) that fits `caption` in its title bar, or 0
// (the dialog's own choice) when the first line of `text` makes it wide enough already.
UINT TaskDialogWidth(const std::wstring& caption, const std::wstring& text);

}  // namespace wb::ui
