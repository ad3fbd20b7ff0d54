// SPDX-License-Identifier: GPL-3.0-or-later
// The real main dialog, shown, with every message recorded instead of shown.
#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <memory>

#include "res/ResourceIds.h"
#include "tests/support/MessageRecorder.h"
#include "ui/qt/ConfigDlg.h"
#include "ui/qt/TabControl.h"

namespace wb::test {

class DialogFixture : public ::testing::Test {
protected:
    void SetUp() override {
        dlg = std::make_unique<CConfigDlg>();
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    }

    QLineEdit* Edit(int id) const { return qobject_cast<QLineEdit*>(dlg->GetDlgItem(id)); }
    QCheckBox* Box(int id) const { return qobject_cast<QCheckBox*>(dlg->GetDlgItem(id)); }
    QComboBox* List(int id) const { return qobject_cast<QComboBox*>(dlg->GetDlgItem(id)); }
    QPushButton* Button(int id) const { return qobject_cast<QPushButton*>(dlg->GetDlgItem(id)); }
    QTabBar* Tabs() const {
        return static_cast<ui::TabControl*>(dlg->GetDlgItem(res::IDC_PROFILE_TAB))->tabBar();
    }

    // Replaces the field's text the way a user does: select everything, then type.
    void Type(int id, const QString& text) const {
        QLineEdit* edit = Edit(id);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    void Click(int id) const {
        QWidget* control = dlg->GetDlgItem(id);
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(6, control->height() / 2));
    }

    void ShowTab(int index) const {
        QTabBar* tabs = Tabs();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    }

    ui::ConfigForm& TheForm() const { return dlg->m_window.Form(); }
    QString Text(int id) const { return Edit(id)->text(); }
    bool Enabled(int id) const { return dlg->GetDlgItem(id)->isEnabled(); }

    MessageRecorder messages;
    std::unique_ptr<CConfigDlg> dlg;
};

}  // namespace wb::test
