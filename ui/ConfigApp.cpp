#include "ui/ConfigApp.h"

#include "ui/ConfigDlg.h"
#include "ui/MessageBoxSink.h"

bool CConfigApp::InitInstance() {
    CConfigDlg dlg;
    wb::ui::MessageBoxSink boxes(&dlg);
    dlg.exec();
    return false;
}
