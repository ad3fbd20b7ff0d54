// SPDX-License-Identifier: GPL-3.0-or-later
// A group box drawn the classic dialog way: the frame line runs through the middle of the title,
// so the controls the template places just below the title stay clear of it.
#pragma once

#include <QGroupBox>

namespace wb::ui {

class GroupFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace wb::ui
