// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/TransferProgress.h"

#include <algorithm>

namespace wb::ui {

TransferProgress::TransferProgress(QWidget* parent) : QProgressBar(parent) {
    setFormat(QStringLiteral("%v of %m bytes"));
    setTextVisible(true);
    hide();
    m_refresh.setInterval(50);
    connect(&m_refresh, &QTimer::timeout, this, [this] { Refresh(); });
}

void TransferProgress::Begin() {
    m_moved = 0;
    m_expected = 0;
    Refresh();
    show();
    m_refresh.start();
}

void TransferProgress::Expect(int bytes) {
    m_expected = 0;
    m_moved = 0;
    m_expected = bytes;
}

void TransferProgress::Add(int bytes) {
    m_moved += bytes;
}

void TransferProgress::End() {
    m_refresh.stop();
    Refresh();
    hide();
}

void TransferProgress::Refresh() {
    const int expected = m_expected.load();
    if (expected == 0) {
        setRange(0, 0);  // nothing to count yet: a busy bar
        return;
    }
    setRange(0, expected);
    setValue(std::min(m_moved.load(), expected));
}

}  // namespace wb::ui
