#include "ui/qt/ConfigDlg.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QKeySequence>
#include <QTabBar>

#include "link/PortMap.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "ui/qt/AboutDlg.h"
#include "ui/qt/MainIcon.h"
#include "ui/qt/TabControl.h"

using namespace wb::res;

CConfigDlg::CConfigDlg(QWidget* parent) : QDialog(parent), m_hIcon(wb::ui::LoadMainIcon()) {
    m_controls = wb::ui::BuildDialog(*this, ConfigDialogTemplate(), m_hIcon);
    // Below Exit, where the template leaves room.
    m_progress = new wb::ui::TransferProgress(this);
    m_progress->setGeometry(wb::ui::DluToPixels(QRect(320, 226, 75, 11), m_controls.units));
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
    AddFileActions();
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
    DescribePorts();
    m_window.OnInitDialog();
}

namespace {

const char kFileFilter[] =
    "Wrenbeacon configurations (*.toml *.bin);;Configuration text (*.toml);;Device image (*.bin)";

}  // namespace

// First in the context menu, before About.
void CConfigDlg::AddFileActions() {
    m_openAction = new QAction(QStringLiteral("Open Configuration..."), this);
    m_openAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(m_openAction, &QAction::triggered, this, &CConfigDlg::OnOpenConfig);
    m_saveAction = new QAction(QStringLiteral("Save Configuration As..."), this);
    m_saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(m_saveAction, &QAction::triggered, this, &CConfigDlg::OnSaveConfigAs);
    for (QAction* action : {m_openAction, m_saveAction}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    addAction(separator);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void CConfigDlg::OnOpenConfig() {
    if (m_window.Actions().IsBusy()) {
        return;
    }
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open Configuration"),
                                                      QString(), QString::fromLatin1(kFileFilter));
    if (!path.isEmpty()) {
        m_files.OnOpenConfig(path.toStdU16String());
    }
}

void CConfigDlg::OnSaveConfigAs() {
    if (m_window.Actions().IsBusy()) {
        return;
    }
    QFileDialog dialog(this, QStringLiteral("Save Configuration As"), QString(),
                       QString::fromLatin1(kFileFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("toml"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        m_files.OnSaveConfigAs(dialog.selectedFiles().constFirst().toStdU16String());
    }
}

void CConfigDlg::DescribePorts() {
    auto* ports = qobject_cast<QComboBox*>(GetDlgItem(IDC_COM_PORT));
    for (int i = 0; i < ports->count(); ++i) {
        ports->setItemData(i, QString::fromStdString(wb::DescribeComPort(i + 1)), Qt::ToolTipRole);
    }
}

void CConfigDlg::OnSysCommand(unsigned id) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about(this, m_hIcon);
        about.exec();
    }
}

// Every click of a button or check box goes to the window's dispatch; Exit (OK) ends the dialog
// through the builder's wiring.
void CConfigDlg::WireCommands() {
    for (const auto& [id, widget] : m_controls.byId) {
        auto* button = qobject_cast<QAbstractButton*>(widget);
        if (button != nullptr && id != IDOK) {
            connect(button, &QAbstractButton::clicked, this,
                    [this, id = id] { m_window.OnCommand(id); });
        }
    }
    // Connected after the tabs were inserted: only the user's changes of tab reach the handler.
    auto* tabs = static_cast<wb::ui::TabControl*>(GetDlgItem(IDC_PROFILE_TAB));
    connect(tabs->tabBar(), &QTabBar::currentChanged, this,
            [this] { m_window.OnSelchangeProfileTab(); });

    auto* ports = qobject_cast<QComboBox*>(GetDlgItem(IDC_COM_PORT));
    const auto showPortTip = [ports] {
        ports->setToolTip(ports->itemData(ports->currentIndex(), Qt::ToolTipRole).toString());
    };
    connect(ports, &QComboBox::currentIndexChanged, ports, showPortTip);
    showPortTip();
}
