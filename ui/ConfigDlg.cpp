#include "ui/ConfigDlg.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QKeySequence>
#include <QTabBar>

#include "link/PortMap.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "ui/AboutDlg.h"
#include "ui/MainIcon.h"
#include "ui/TabControl.h"

using namespace wb::res;

CConfigDlg::CConfigDlg(QWidget* parent) : QDialog(parent), m_hIcon(wb::ui::LoadMainIcon()) {
    m_controls = wb::ui::BuildDialog(*this, ConfigDialogTemplate(), m_hIcon);
    // Below Exit, where the template leaves room.
    m_progress = new wb::ui::TransferProgress(this);
    m_progress->setGeometry(wb::ui::DluToPixels(QRect(320, 226, 75, 11), m_controls.units));
    m_port.SetTransferObserver([progress = m_progress](int bytes) { progress->Add(bytes); });
    OnInitDialog();
    WireCommands();
}

QWidget* CConfigDlg::GetDlgItem(int id) const {
    const auto found = m_controls.byId.find(id);
    return found == m_controls.byId.end() ? nullptr : found->second;
}

void CConfigDlg::OnInitDialog() {
    // The window manager owns the system menu here; the About entry goes into the window's
    // context menu instead, with F1 as its key.
    const QString aboutText = QString::fromLatin1(AboutMenuText());
    if (!aboutText.isEmpty()) {
        m_aboutAction = new QAction(aboutText, this);
        m_aboutAction->setShortcut(QKeySequence(Qt::Key_F1));
        m_aboutAction->setShortcutContext(Qt::WindowShortcut);
        connect(m_aboutAction, &QAction::triggered, this, [this] { OnSysCommand(IDM_ABOUTBOX); });
        addAction(m_aboutAction);
        setContextMenuPolicy(Qt::ActionsContextMenu);
    }
    setWindowIcon(m_hIcon);
    SetUpForm();
}

void CConfigDlg::SetUpForm() {
    auto* ports = qobject_cast<QComboBox*>(GetDlgItem(IDC_COM_PORT));
    for (int i = 0; i < ports->count(); ++i) {
        ports->setItemData(i, QString::fromStdString(wb::DescribeComPort(i + 1)), Qt::ToolTipRole);
    }
    SetListSelection(IDC_COM_PORT, 0);

    auto* tabs = static_cast<wb::ui::TabControl*>(GetDlgItem(IDC_PROFILE_TAB));
    tabs->InsertItem(0, QStringLiteral("Primary"));
    tabs->InsertItem(1, QStringLiteral("Seconday"));
    m_config.m_nProfile = tabs->GetCurSel() & 1;
    ConfigToForm();
}

void CConfigDlg::OnSysCommand(unsigned id) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about(this, m_hIcon);
        about.exec();
    }
}

// The dispatch table: which handler each control's event runs.
void CConfigDlg::WireCommands() {
    const struct {
        int id;
        void (CConfigDlg::*handler)();
    } clicks[] = {
        {IDC_READ_VERSION, &CConfigDlg::OnReadVersion},
        {IDC_READ_CONFIG, &CConfigDlg::OnReadConfig},
        {IDC_WRITE_CONFIG, &CConfigDlg::OnWriteConfig},
        {IDC_SEND_1200, &CConfigDlg::OnSend1200},
        {IDC_SEND_2200, &CConfigDlg::OnSend2200},
        {IDC_SEND_BOTH, &CConfigDlg::OnSendBoth},
        {IDC_STOP_SENDING, &CConfigDlg::OnStopSending},
        {IDC_SMARTBEACON_ENABLE, &CConfigDlg::OnSmartBeaconEnable},
        {IDC_TIMESLOT_ENABLE, &CConfigDlg::OnTimeSlotEnable},
        {IDC_MICE_ENABLE, &CConfigDlg::OnMicEEnable},
    };
    for (const auto& click : clicks) {
        auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(click.id));
        connect(button, &QAbstractButton::clicked, this,
                [this, handler = click.handler] { (this->*handler)(); });
    }
    // Connected after the tabs were inserted: only the user's changes of tab reach the handler.
    auto* tabs = static_cast<wb::ui::TabControl*>(GetDlgItem(IDC_PROFILE_TAB));
    connect(tabs->tabBar(), &QTabBar::currentChanged, this, [this] { OnSelchangeProfileTab(); });

    auto* ports = qobject_cast<QComboBox*>(GetDlgItem(IDC_COM_PORT));
    const auto showPortTip = [ports] {
        ports->setToolTip(ports->itemData(ports->currentIndex(), Qt::ToolTipRole).toString());
    };
    connect(ports, &QComboBox::currentIndexChanged, ports, showPortTip);
    showPortTip();
}
