// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ControlAccess.h"

#include "config/DecimalText.h"

namespace wb::ui {

int ControlAccess::GetFieldInt(int id) const {
    // A text of its own, so a caller's earlier GetFieldText result is never overwritten.
    const std::string text = GetFieldText(id);
    return ParseDecimal(text.c_str());
}

void ControlAccess::SetFieldInt(int id, int value) {
    SetFieldText(id, std::to_string(value).c_str());
}

}  // namespace wb::ui
