// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/ActionRunner.h"

#include <QApplication>
#include <QEventLoop>
#include <thread>

namespace wb::ui {
namespace {

bool IsUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TabletPress:
            return true;
        default:
            return false;
    }
}

}  // namespace

ActionRunner::ActionRunner(QWidget* window) : m_window(window) {}

bool ActionRunner::Run(const std::function<bool()>& work) {
    m_busy = true;
    qApp->installEventFilter(this);
    QApplication::setOverrideCursor(Qt::WaitCursor);

    QEventLoop loop;
    bool failed = false;
    std::thread worker([&] {
        failed = work();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();

    QApplication::restoreOverrideCursor();
    qApp->removeEventFilter(this);
    m_busy = false;
    return failed;
}

bool ActionRunner::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != m_window) {
        return false;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();  // taken by the focused control, so no shortcut fires
        return true;
    }
    if (event->type() == QEvent::Close) {
        event->ignore();  // the window stays open
        return true;
    }
    return IsUserInput(event->type());
}

}  // namespace wb::ui
