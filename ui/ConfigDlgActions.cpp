// The seven device actions of the "Configure" and "Tone Test" groups.
#include "ui/ConfigDlg.h"

void CConfigDlg::OnReadVersion() {}
void CConfigDlg::OnReadConfig() {}
void CConfigDlg::OnWriteConfig() {}
void CConfigDlg::OnSend1200() {}
void CConfigDlg::OnSend2200() {}
void CConfigDlg::OnSendBoth() {}
void CConfigDlg::OnStopSending() {}
