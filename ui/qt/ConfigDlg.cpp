// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/ConfigDlg.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>

#include "link/PortList.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "ui/qt/AboutDlg.h"
#include "ui/qt/DropDownList.h"
#include "ui/qt/MainIcon.h"
#include "ui/qt/TabControl.h"

using namespace wb::res;

CConfigDlg::CConfigDlg(QWidget* parent) : QDialog(parent), m_hIcon(wb::ui::LoadMainIcon()) {
    m_controls = wb::ui::BuildDialog(*this, ConfigDialogTemplate(), m_hIcon);
    // Below Exit, where the template leaves room.
    m_progress = new wb::ui::TransferProgress(this);
    m_progress->setGeometry(wb::ui::DluToPixels(QRect(320, 226, 75, 11), m_controls.units));
    if (auto* usage = qobject_cast<QLabel*>(GetDlgItem(IDC_IMAGE_USAGE))) {
        usage->setWordWrap(true);
    }
    OnInitDialog();
    WireCommands();
}

// Hiding the dialog as it goes makes its controls signal (a list commits its edit text when it
// loses the focus); by then the members those signals reach are gone.
CConfigDlg::~CConfigDlg() {
    for (QWidget* control : m_controls.widgets) {
        control->disconnect(this);
    }
    if (auto* tabs = static_cast<wb::ui::TabControl*>(GetDlgItem(IDC_PROFILE_TAB))) {
        tabs->tabBar()->disconnect(this);
    }
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
    ListPorts();
    ShowTooltips();
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

QString CConfigDlg::StartFolder() const {
    return QString::fromStdU16String(m_window.StartFolder().u16string());
}

void CConfigDlg::OnOpenConfig() {
    if (m_window.Actions().IsBusy()) {
        return;
    }
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Open Configuration"), StartFolder(),
                                     QString::fromLatin1(kFileFilter));
    if (!path.isEmpty()) {
        m_window.OnOpenConfig(path.toStdU16String());
    }
}

void CConfigDlg::OnSaveConfigAs() {
    if (m_window.Actions().IsBusy()) {
        return;
    }
    QFileDialog dialog(this, QStringLiteral("Save Configuration As"), StartFolder(),
                       QString::fromLatin1(kFileFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("toml"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        m_window.OnSaveConfigAs(dialog.selectedFiles().constFirst().toStdU16String());
    }
}

// Every port of the machine, listed anew each time the list drops down.
void CConfigDlg::ListPorts() {
    m_window.UseSettings(wb::ListPlatformPorts, *m_settings);
    auto* ports = static_cast<wb::ui::DropDownList*>(GetDlgItem(IDC_COM_PORT));
    ports->SetBeforeDropDown([this] { m_window.OnPortListDropDown(); });
}

void CConfigDlg::ShowTooltips() {
    for (const ControlTooltip& tip : ConfigTooltips()) {
        if (QWidget* control = GetDlgItem(tip.id)) {
            control->setToolTip(QString::fromLatin1(tip.text));
        }
    }
}

void CConfigDlg::done(int result) {
    if (m_window.QueryClose()) {
        QDialog::done(result);
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
    // Every change of what the form holds refreshes the line under it.
    for (const auto& [id, widget] : m_controls.byId) {
        const auto changed = [this] { m_window.OnFormChanged(); };
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            connect(edit, &QLineEdit::textChanged, this, changed);
        } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            connect(box, &QCheckBox::toggled, this, changed);
        } else if (auto* list = qobject_cast<QComboBox*>(widget); list && id != IDC_COM_PORT) {
            connect(list, &QComboBox::currentIndexChanged, this, changed);
        }
    }
    // Connected after the tabs were inserted: only the user's changes of tab reach the handler.
    auto* tabs = static_cast<wb::ui::TabControl*>(GetDlgItem(IDC_PROFILE_TAB));
    connect(tabs->tabBar(), &QTabBar::currentChanged, this,
            [this] { m_window.OnSelchangeProfileTab(); });

    auto* ports = qobject_cast<QComboBox*>(GetDlgItem(IDC_COM_PORT));
    // The entry's start ("COM3 - ...") stays in sight in the narrow edit part.
    const auto showPortTip = [ports] {
        ports->setToolTip(ports->itemData(ports->currentIndex(), Qt::ToolTipRole).toString());
        if (QLineEdit* edit = ports->lineEdit()) {
            edit->setCursorPosition(0);
        }
    };
    connect(ports, &QComboBox::currentIndexChanged, ports, showPortTip);
    showPortTip();
}
