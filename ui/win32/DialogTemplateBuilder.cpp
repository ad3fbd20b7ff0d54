// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/DialogTemplateBuilder.h"

#include "ui/win32/WideText.h"

namespace wb::ui {
namespace {

using res::ControlKind;
namespace style = res::style;

bool Has(const res::ControlTemplate& c, unsigned bit) {
    return (c.styles & bit) != 0;
}

DWORD If(bool condition, DWORD bits) {
    return condition ? bits : 0;
}

}  // namespace

NativeControl NativeControlOf(const res::ControlTemplate& c) {
    DWORD style = WS_CHILD | WS_VISIBLE | If(Has(c, style::kTabStop), WS_TABSTOP) |
                  If(Has(c, style::kGroup), WS_GROUP);
    switch (c.kind) {
        case ControlKind::Static:
            style |= (Has(c, style::kRight) ? SS_RIGHT : SS_LEFT) |
                     If(Has(c, style::kCenterV), SS_CENTERIMAGE) |
                     If(Has(c, style::kNoPrefix), SS_NOPREFIX);
            return {WC_STATICW, style, 0};
        case ControlKind::Edit:
            style |= ES_LEFT | If(Has(c, style::kAutoHScroll), ES_AUTOHSCROLL) |
                     If(Has(c, style::kNumber), ES_NUMBER) |
                     If(Has(c, style::kUpperCase), ES_UPPERCASE);
            // The sunken frame that a dialog with the three-dimensional look gives a bordered edit.
            return {WC_EDITW, style, If(Has(c, style::kBorder), WS_EX_CLIENTEDGE)};
        case ControlKind::ComboBox:
            style |= (Has(c, style::kDropDown) ? CBS_DROPDOWN : CBS_DROPDOWNLIST) |
                     If(Has(c, style::kSort), CBS_SORT) | If(Has(c, style::kVScroll), WS_VSCROLL);
            return {WC_COMBOBOXW, style, 0};
        case ControlKind::CheckBox:
            style |= Has(c, style::kAutoCheckBox) ? BS_AUTOCHECKBOX : BS_CHECKBOX;
            return {WC_BUTTONW, style, 0};
        case ControlKind::PushButton:
            style |= Has(c, style::kDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
            return {WC_BUTTONW, style, 0};
        case ControlKind::GroupBox:
            return {WC_BUTTONW, style | BS_GROUPBOX, 0};
        case ControlKind::Tab:
            // Lowest of the controls it frames, and painting only where they are not.
            return {WC_TABCONTROLW, style | WS_CLIPSIBLINGS, 0};
        case ControlKind::Icon:
            return {WC_STATICW, style | SS_ICON, 0};
    }
    return {WC_STATICW, style, 0};
}

InMemoryTemplate::InMemoryTemplate(const res::DialogTemplate& dialog, DWORD dialogStyle) {
    AddDword(dialogStyle | DS_SETFONT);
    AddDword(0);
    Add(static_cast<WORD>(dialog.controls.size()));
    for (int value : {0, 0, dialog.cx, dialog.cy}) {
        Add(static_cast<WORD>(value));
    }
    Add(0);  // no menu
    Add(0);  // the standard dialog class
    AddLatin1(dialog.caption);
    Add(static_cast<WORD>(dialog.fontPointSize));
    AddLatin1(dialog.fontFace);

    for (const res::ControlTemplate& c : dialog.controls) {
        const NativeControl native = NativeControlOf(c);
        AlignToDword();
        AddDword(native.style);
        AddDword(native.exStyle);
        for (int value : {c.x, c.y, c.cx, c.cy}) {
            Add(static_cast<WORD>(value));
        }
        Add(static_cast<WORD>(c.id));  // kStaticId (-1) is 0xFFFF, the id nothing asks for
        AddText(native.className);
        AddLatin1(c.text);
        Add(0);  // no creation data
    }
}

void InMemoryTemplate::Add(WORD word) {
    m_words.push_back(word);
}

void InMemoryTemplate::AddDword(DWORD value) {
    Add(LOWORD(value));
    Add(HIWORD(value));
}

void InMemoryTemplate::AddText(const wchar_t* text) {
    for (const wchar_t* c = text; *c != L'\0'; ++c) {
        Add(static_cast<WORD>(*c));
    }
    Add(0);
}

void InMemoryTemplate::AddLatin1(const char* text) {
    AddText(WidenLatin1(text).c_str());
}

void InMemoryTemplate::AlignToDword() {
    if (m_words.size() % 2 != 0) {
        Add(0);
    }
}

}  // namespace wb::ui
