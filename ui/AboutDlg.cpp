#include "ui/AboutDlg.h"

#include "res/Resources.h"
#include "ui/DialogBuilder.h"

CAboutDlg::CAboutDlg(QWidget* parent, const QIcon& icon) : QDialog(parent) {
    wb::ui::BuildDialog(*this, wb::res::AboutDialogTemplate(), icon);
}
