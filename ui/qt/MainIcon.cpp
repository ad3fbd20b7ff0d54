// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/MainIcon.h"

#include <QPixmap>

#include "res/Resources.h"

namespace wb::ui {

QIcon LoadMainIcon() {
    QIcon icon;
    icon.addPixmap(QPixmap(res::MainIconXpm32()));
    icon.addPixmap(QPixmap(res::MainIconXpm16()));
    return icon;
}

}  // namespace wb::ui
