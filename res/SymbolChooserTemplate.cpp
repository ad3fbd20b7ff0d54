// SPDX-License-Identifier: GPL-3.0-or-later
// Dialog 110, the symbol chooser: a search field, the grid of symbols (the front end puts its own
// grid of pictures where the placeholder IDC_SYMBOL_GRID stands), the chosen symbol's picture,
// name and characters, the overlay list, OK and Cancel.
#include "res/DialogTemplate.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"

namespace wb::res {
namespace {

using K = ControlKind;
using namespace style;

constexpr ControlTemplate kChooserControls[] = {
    {kStaticId, K::Static, "Search:", kRight | kCenterV, 7, 7, 28, 13},
    {IDC_SYMBOL_SEARCH, K::Edit, "", kBorder | kTabStop | kAutoHScroll, 37, 7, 110, 13},
    {kStaticId, K::Static, "a name or part of one: car, jeep, house, digi", kCenterV | kNoPrefix,
     151, 7, 158, 13},
    {IDC_SYMBOL_GRID, K::Static, "", kTabStop, 7, 25, 302, 160},
    {IDC_SYMBOL_PREVIEW, K::Icon, "", 0, 9, 192, 24, 24},
    {IDC_SYMBOL_NAME, K::Static, "", kNoPrefix, 40, 192, 162, 8},
    {IDC_SYMBOL_CODES, K::Static, "", kNoPrefix, 40, 203, 162, 8},
    {kStaticId, K::Static, "Overlay:", kRight | kCenterV, 205, 192, 36, 13},
    {IDC_SYMBOL_OVERLAY, K::ComboBox, "", kVScroll | kTabStop, 243, 192, 66, 100},
    {IDOK, K::PushButton, "OK", kDefault | kTabStop, 205, 216, 50, 14},
    {IDC_CHOOSER_CANCEL, K::PushButton, "Cancel", kTabStop, 259, 216, 50, 14},
};

// An alternate symbol carries no overlay, or one of these characters drawn over it.
constexpr const char* kOverlays[] = {
    "None", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B",
    "C",    "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "O",
    "P",    "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z",
};

constexpr ListInit kChooserLists[] = {
    {IDC_SYMBOL_OVERLAY, kOverlays},
};

constexpr DialogTemplate kChooserDialog = {
    IDD_SYMBOL_CHOOSER, "Choose a Symbol", "MS Sans Serif", 8, 316, 237,
    kChooserControls,   kChooserLists,
};

}  // namespace

const DialogTemplate& SymbolChooserTemplate() {
    return kChooserDialog;
}

}  // namespace wb::res
