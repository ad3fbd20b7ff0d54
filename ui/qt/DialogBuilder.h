// SPDX-License-Identifier: GPL-3.0-or-later
// Builds a dialog's widgets from its template: caption, font, size, every control in its place,
// the lists filled, the focus order as listed, OK (id 1) ending the dialog.
#pragma once

#include <QDialog>
#include <QIcon>
#include <map>
#include <vector>

#include "res/DialogTemplate.h"
#include "ui/qt/DialogUnits.h"

namespace wb::ui {

struct BuiltDialog {
    BaseUnits units{};
    std::map<int, QWidget*> byId;   // every control with an id of its own
    std::vector<QWidget*> widgets;  // every control, in template order
};

// `icon` is what icon controls show.
BuiltDialog BuildDialog(QDialog& dialog, const res::DialogTemplate& dialogTemplate,
                        const QIcon& icon);

}  // namespace wb::ui
