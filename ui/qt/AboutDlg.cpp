// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/AboutDlg.h"

#include "res/Resources.h"
#include "ui/qt/DialogBuilder.h"

CAboutDlg::CAboutDlg(QWidget* parent, const QIcon& icon) : QDialog(parent) {
    wb::ui::BuildDialog(*this, wb::res::AboutDialogTemplate(), icon);
}
