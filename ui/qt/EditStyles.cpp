// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/EditStyles.h"

#include <QKeyEvent>
#include <QObject>

namespace wb::ui {
namespace {

class DigitsOnlyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && Swallows(*static_cast<QKeyEvent*>(event))) {
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // Key presses that would type a character other than a digit. Shortcuts (paste among them),
    // editing and moving keys carry no printable text or a modifier and pass.
    static bool Swallows(const QKeyEvent& key) {
        if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
            return false;
        }
        const QString text = key.text();
        if (text.isEmpty() || !text.at(0).isPrint()) {
            return false;
        }
        for (QChar c : text) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
                return true;
            }
        }
        return false;
    }
};

}  // namespace

void AcceptDigitsOnlyWhenTyping(QLineEdit* edit) {
    edit->installEventFilter(new DigitsOnlyFilter(edit));
}

void MakeTypedTextUpperCase(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int cursor = edit->cursorPosition();
            edit->setText(upper);
            edit->setCursorPosition(cursor);
        }
    });
}

}  // namespace wb::ui
