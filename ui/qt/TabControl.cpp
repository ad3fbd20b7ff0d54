// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/TabControl.h"

#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

namespace wb::ui {

TabControl::TabControl(QWidget* parent) : QWidget(parent), m_tabs(new QTabBar(this)) {
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    setFocusPolicy(m_tabs->focusPolicy());
    setFocusProxy(m_tabs);
}

int TabControl::InsertItem(int index, const QString& text) {
    const int at = m_tabs->insertTab(index, text);
    m_tabs->resize(m_tabs->sizeHint().boundedTo(size()));
    update();
    return at;
}

int TabControl::GetCurSel() const {
    return m_tabs->currentIndex();
}

void TabControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_tabs->resize(m_tabs->sizeHint().boundedTo(size()));
}

void TabControl::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
    const int top = m_tabs->height() - overlap;
    frame.rect = QRect(0, top, width(), height() - top);
    frame.shape = QTabBar::RoundedNorth;
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    frame.tabBarSize = m_tabs->size();
    frame.tabBarRect = m_tabs->geometry();
    if (m_tabs->currentIndex() >= 0) {
        frame.selectedTabRect = m_tabs->tabRect(m_tabs->currentIndex());
    }
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

}  // namespace wb::ui
