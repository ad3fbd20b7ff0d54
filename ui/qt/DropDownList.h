// SPDX-License-Identifier: GPL-3.0-or-later
// A drop-down list that says when it is about to drop down, so that its entries can be made
// anew first (the port list shows an adapter plugged in after the window opened).
#pragma once

#include <QComboBox>
#include <functional>
#include <utility>

namespace wb::ui {

class DropDownList : public QComboBox {
public:
    using QComboBox::QComboBox;

    void SetBeforeDropDown(std::function<void()> before) { m_before = std::move(before); }

    void showPopup() override {
        if (m_before) {
            m_before();
        }
        QComboBox::showPopup();
    }

private:
    std::function<void()> m_before;
};

}  // namespace wb::ui
