#include "ui/win32/ConfigApp.h"

#include "ui/win32/ConfigDlg.h"
#include "ui/win32/MessageBoxSink.h"

bool CConfigApp::InitInstance() {
    // The common controls in the look of the system (version 6, asked for by the manifest).
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    CConfigDlg dlg;
    wb::ui::MessageBoxSink boxes([&dlg] { return dlg.GetSafeHwnd(); });
    dlg.DoModal();
    return false;
}
