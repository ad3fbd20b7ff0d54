// SPDX-License-Identifier: GPL-3.0-or-later
// The SmartBeaconing chart in Qt: a small window beside the main one that draws the toolkit-free
// layout of the chart as it comes, with the sentence under it. Escape or the close box hide it.
#pragma once

#include <QDialog>
#include <QLabel>
#include <string>

#include "ui/BeaconChart.h"

namespace wb::ui {

class BeaconChartWindow : public QDialog {
public:
    explicit BeaconChartWindow(QWidget* owner);

    void Show(const BeaconChart& chart, const std::string& sentence);

    QWidget* Plot() const { return m_plot; }
    const QLabel* Sentence() const { return m_sentence; }

private:
    QWidget* m_plot;
    QLabel* m_sentence;
};

}  // namespace wb::ui
