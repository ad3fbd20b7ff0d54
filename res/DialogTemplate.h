// SPDX-License-Identifier: GPL-3.0-or-later
// Dialog templates as data: every control of a window with its id, kind, text, styles and place in
// dialog units, listed in focus order. The window code builds its widgets from these tables.
#pragma once

#include <span>

namespace wb::res {

enum class ControlKind {
    Static,      // a label or unit word
    Edit,        // single-line edit field
    ComboBox,    // list with an edit part
    CheckBox,    // check box
    PushButton,  // push button
    GroupBox,    // frame with a title around other controls
    Tab,         // tab control (tabs only, no pages)
    Icon,        // the application icon
};

// Style bits; several may be combined.
namespace style {
inline constexpr unsigned kTabStop = 1u << 0;      // reached with the Tab key
inline constexpr unsigned kBorder = 1u << 1;       // edit field with a frame
inline constexpr unsigned kAutoHScroll = 1u << 2;  // edit text scrolls past the field's width
inline constexpr unsigned kNumber = 1u << 3;  // typing accepts digits only (pasting does not check)
inline constexpr unsigned kUpperCase = 1u << 4;     // typed letters become capitals
inline constexpr unsigned kDropDown = 1u << 5;      // list with an editable edit part
inline constexpr unsigned kSort = 1u << 6;          // list entries kept sorted
inline constexpr unsigned kVScroll = 1u << 7;       // vertical scroll bar in the list
inline constexpr unsigned kAutoCheckBox = 1u << 8;  // check box that toggles itself on a click
inline constexpr unsigned kDefault = 1u << 9;       // the default push button (Enter)
inline constexpr unsigned kRight = 1u << 10;        // text aligned right
inline constexpr unsigned kCenterV = 1u << 11;      // text centred vertically in the control
inline constexpr unsigned kGroup = 1u << 12;        // starts a group of controls
inline constexpr unsigned kNoPrefix = 1u << 13;     // '&' is shown, not taken as a mnemonic
}  // namespace style

// The id of the labels, unit words and group boxes that nothing addresses.
inline constexpr int kStaticId = -1;

struct ControlTemplate {
    int id;
    ControlKind kind;
    const char* text;
    unsigned styles;
    int x, y, cx, cy;  // dialog units
};

// Entries put into a list control when the window is created, in this order.
struct ListInit {
    int id;
    std::span<const char* const> entries;
};

struct DialogTemplate {
    int id;
    const char* caption;
    const char* fontFace;
    int fontPointSize;
    int cx, cy;                                 // client area, dialog units
    std::span<const ControlTemplate> controls;  // focus order
    std::span<const ListInit> lists;
};

}  // namespace wb::res
