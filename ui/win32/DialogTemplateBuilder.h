// SPDX-License-Identifier: GPL-3.0-or-later
// Turns one of the res/ dialog templates into the in-memory template that DialogBoxIndirectParamW
// and CreateDialogIndirectParamW take: the dialog's caption, size and font, then each control
// with its class, styles, text and place in dialog units, in the template's focus order.
#pragma once

#include <vector>

#include "res/DialogTemplate.h"
#include "ui/win32/Win32.h"

namespace wb::ui {

// The Win32 class and styles that stand for a control of the template.
struct NativeControl {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};
NativeControl NativeControlOf(const res::ControlTemplate& control);

// A DLGTEMPLATE followed by its items, WORD-aligned, with the items on DWORD boundaries.
// `dialogStyle` is the window style of the dialog itself; DS_SETFONT is added.
class InMemoryTemplate {
public:
    InMemoryTemplate(const res::DialogTemplate& dialog, DWORD dialogStyle);

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void Add(WORD word);
    void AddDword(DWORD value);
    void AddText(const wchar_t* text);
    void AddLatin1(const char* text);
    void AlignToDword();

    std::vector<WORD> m_words;
};

}  // namespace wb::ui
