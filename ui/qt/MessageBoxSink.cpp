#include "ui/qt/MessageBoxSink.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMetaObject>
#include <QThread>

namespace wb::ui {

void ShowMessageBoxOver(QWidget* owner, const Message& message) {
    const QString caption =
        message.caption.empty() ? QStringLiteral("Error") : QString::fromLatin1(message.caption);
    QMessageBox box(QMessageBox::NoIcon, caption, QString::fromLatin1(message.text),
                    QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    if (!message.detail.empty()) {
        box.setInformativeText(QString::fromLocal8Bit(message.detail));
        // The detail is shown as written, never as markup.
        if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
            label->setTextFormat(Qt::PlainText);
        }
    }
    box.setWindowModality(Qt::ApplicationModal);
    // A box raised while an action runs takes a plain pointer, not the busy one.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    box.exec();
    if (busy) {
        QApplication::restoreOverrideCursor();
    }
}

MessageBoxSink::MessageBoxSink(QWidget* owner) {
    QPointer<QWidget> guarded(owner);
    m_previous = SetMessageSink([guarded](const Message& message) {
        QWidget* window = guarded.data();
        if (window == nullptr) {
            PrintMessage(message);
        } else if (QThread::currentThread() == window->thread()) {
            ShowMessageBoxOver(window, message);
        } else {
            QMetaObject::invokeMethod(
                window, [window, &message] { ShowMessageBoxOver(window, message); },
                Qt::BlockingQueuedConnection);
        }
    });
}

MessageBoxSink::~MessageBoxSink() {
    SetMessageSink(m_previous);
}

}  // namespace wb::ui
