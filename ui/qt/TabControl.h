// SPDX-License-Identifier: GPL-3.0-or-later
// A row of tabs over a framed pane that has no pages of its own: the controls it frames are its
// siblings, and the selection only says what they show.
#pragma once

#include <QTabBar>
#include <QWidget>

namespace wb::ui {

class TabControl : public QWidget {
public:
    explicit TabControl(QWidget* parent);

    QTabBar* tabBar() const { return m_tabs; }
    int InsertItem(int index, const QString& text);
    int GetCurSel() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QTabBar* m_tabs;
};

}  // namespace wb::ui
