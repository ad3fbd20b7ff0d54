// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/ConfigApp.h"

#include "ui/qt/ConfigDlg.h"
#include "ui/qt/MessageBoxSink.h"

bool CConfigApp::InitInstance() {
    // The boxes come first, so that a serial trace the dialog starts (WRENBEACON_TRACE) sees
    // every one of them.
    wb::ui::MessageBoxSink boxes;
    CConfigDlg dlg;
    boxes.SetOwner(&dlg);
    dlg.exec();
    return false;
}
