// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a device exchange on a worker thread while the window waits for it. Meanwhile the window
// keeps painting and shows a busy cursor, but ignores what the user does to it: no click, key,
// wheel, drop or close reaches its controls, so a second action can never start inside the first.
// Message boxes are windows of their own and still take the user's answer.
#pragma once

#include <QObject>
#include <QWidget>
#include <functional>

namespace wb::ui {

class ActionRunner : public QObject {
public:
    explicit ActionRunner(QWidget* window);

    bool IsBusy() const { return m_busy; }

    // Runs `work` on a worker thread and returns its result once it has ended. Must be called on
    // the window's thread, and not while busy.
    bool Run(const std::function<bool()>& work);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    bool m_busy = false;
};

}  // namespace wb::ui
