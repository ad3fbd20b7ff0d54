// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/GroupFrame.h"

#include <qdrawutil.h>
#include <QPainter>
#include <QStyle>

namespace wb::ui {

void GroupFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    qDrawShadeRect(&painter, rect().adjusted(0, metrics.height() / 2, 0, 0), palette(), true, 1, 0);

    const int pad = metrics.averageCharWidth() / 2;
    const QRect titleRect(metrics.averageCharWidth(), 0,
                          metrics.horizontalAdvance(title()) + 2 * pad, metrics.height());
    painter.fillRect(titleRect, palette().window());
    style()->drawItemText(&painter, titleRect, Qt::AlignCenter, palette(), isEnabled(), title(),
                          QPalette::WindowText);
}

}  // namespace wb::ui
