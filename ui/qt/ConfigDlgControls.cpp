// SPDX-License-Identifier: GPL-3.0-or-later
// Control access by id over the Qt widgets, and the host of the device actions.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <algorithm>

#include "res/ResourceIds.h"
#include "ui/qt/ConfigDlg.h"
#include "ui/qt/MessageBoxSink.h"
#include "ui/qt/TabControl.h"

std::string CConfigDlg::GetFieldText(int id) const {
    auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(id));
    if (edit == nullptr) {
        return {};
    }
    return edit->text().toLatin1().toStdString();
}

void CConfigDlg::SetFieldText(int id, const char* text) {
    QWidget* control = GetDlgItem(id);
    const QString value = QString::fromLatin1(text);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(value);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(value);
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(value);
    }
}

bool CConfigDlg::IsBoxChecked(int id) const {
    auto* box = qobject_cast<QCheckBox*>(GetDlgItem(id));
    return box != nullptr && box->checkState() == Qt::Checked;
}

void CConfigDlg::SetBoxCheck(int id, BYTE flag) {
    if (auto* box = qobject_cast<QCheckBox*>(GetDlgItem(id))) {
        box->setChecked(flag != 0);
    }
}

int CConfigDlg::GetListSelection(int id) const {
    auto* list = qobject_cast<QComboBox*>(GetDlgItem(id));
    return list == nullptr ? -1 : list->currentIndex();
}

void CConfigDlg::SetListSelection(int id, int index) {
    if (auto* list = qobject_cast<QComboBox*>(GetDlgItem(id))) {
        list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
    }
}

void CConfigDlg::SetListEntries(int id, const std::vector<ListEntry>& entries) {
    auto* list = qobject_cast<QComboBox*>(GetDlgItem(id));
    if (list == nullptr) {
        return;
    }
    list->clear();
    int widest = 0;
    for (const ListEntry& entry : entries) {
        const QString text = QString::fromStdString(entry.text);
        list->addItem(text);
        list->setItemData(list->count() - 1, QString::fromStdString(entry.tip), Qt::ToolTipRole);
        widest = std::max(widest, list->fontMetrics().horizontalAdvance(text));
    }
    list->setCurrentIndex(-1);
    // The list drops down wide enough for its longest entry; the closed list keeps its place.
    list->view()->setMinimumWidth(widest + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                                  2 * list->fontMetrics().averageCharWidth());
}

void CConfigDlg::EnableControl(int id, bool enabled) {
    if (QWidget* control = GetDlgItem(id)) {
        control->setEnabled(enabled);
    }
}

int CConfigDlg::GetTabSelection(int id) const {
    auto* tabs = dynamic_cast<wb::ui::TabControl*>(GetDlgItem(id));
    return tabs == nullptr ? -1 : tabs->GetCurSel();
}

void CConfigDlg::InsertTab(int id, int index, const char* text) {
    if (auto* tabs = dynamic_cast<wb::ui::TabControl*>(GetDlgItem(id))) {
        tabs->InsertItem(index, QString::fromLatin1(text));
    }
}

bool CConfigDlg::RunInBackground(const std::function<bool()>& exchange) {
    return m_runner.Run(exchange);
}

// The bar takes the place of the line under the form while it shows.
void CConfigDlg::BeginProgress() {
    GetDlgItem(wb::res::IDC_IMAGE_USAGE)->hide();
    m_progress->Begin();
}

void CConfigDlg::ExpectProgress(int bytes) {
    m_progress->Expect(bytes);
}

void CConfigDlg::AddProgress(int bytes) {
    m_progress->Add(bytes);
}

void CConfigDlg::EndProgress() {
    m_progress->End();
    GetDlgItem(wb::res::IDC_IMAGE_USAGE)->show();
}

bool CConfigDlg::AskQuestion(const wb::Message& question, const char* yes, const char* no) {
    return wb::ui::AskQuestionOver(this, question, yes, no);
}
