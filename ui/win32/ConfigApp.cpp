// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/ConfigApp.h"

#include "ui/win32/ConfigDlg.h"
#include "ui/win32/MessageBoxSink.h"

bool CConfigApp::InitInstance() {
    // The common controls in the look of the system (version 6, asked for by the manifest).
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    // The boxes come first: the window's trace, when asked for, sees the sink installed before it.
    CConfigDlg* window = nullptr;
    wb::ui::MessageBoxSink boxes([&window] { return window ? window->GetSafeHwnd() : nullptr; });
    CConfigDlg dlg;
    window = &dlg;
    dlg.DoModal();
    return false;
}
