#include "ui/qt/ConfigApp.h"

#include "ui/qt/ConfigDlg.h"
#include "ui/qt/MessageBoxSink.h"

bool CConfigApp::InitInstance() {
    CConfigDlg dlg;
    wb::ui::MessageBoxSink boxes(&dlg);
    dlg.exec();
    return false;
}
