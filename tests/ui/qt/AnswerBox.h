// SPDX-License-Identifier: GPL-3.0-or-later
// Answers the next message box the code under test raises, as a user would: waits for it to
// show, notes what it shows, and clicks one of its buttons. A box that ignores the click is
// closed a little later, so that a failing test does not hang.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <atomic>

namespace wb::test {

struct SeenBox {
    bool shown = false;
    QString title, text, informative;
    QStringList buttons;  // their texts, in order
    QString defaultButton;
    QMessageBox::Icon icon = QMessageBox::Information;
    QWidget* parent = nullptr;
    int width = 0;
    QLabel* informativeLabel = nullptr;  // valid only inside `inspect`
    bool threadWaited = false;
    bool clickIgnored = false;  // the box stayed after the click and had to be closed
};

// A box's text as it is drawn: without the word joiners and no-break spaces that keep a path on
// one line.
inline QString Drawn(QString text) {
    return text.remove(QChar(0x2060)).replace(QChar(0x00A0), QLatin1Char(' '));
}

inline void AnswerNextBox(SeenBox& seen, const QString& button = QStringLiteral("OK"),
                          const std::function<void(QMessageBox&, SeenBox&)>& inspect = {},
                          const std::atomic<bool>* callerReturned = nullptr) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [=, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        QTimer::singleShot(500, [box, &seen] {
            if (QApplication::activeModalWidget() == box) {
                seen.clickIgnored = true;
                box->hide();  // ends its exec() without asking anybody
            }
        });
        seen.shown = true;
        seen.title = box->windowTitle();
        seen.text = Drawn(box->text());
        seen.informative = Drawn(box->informativeText());
        QAbstractButton* chosen = nullptr;
        for (QAbstractButton* b : box->buttons()) {
            seen.buttons << b->text().remove(QLatin1Char('&'));
            if (seen.buttons.last() == button) {
                chosen = b;
            }
        }
        if (box->defaultButton() != nullptr) {
            seen.defaultButton = box->defaultButton()->text();
        }
        seen.icon = box->icon();
        seen.parent = box->parentWidget();
        seen.width = box->width();
        seen.threadWaited = callerReturned != nullptr && !callerReturned->load();
        seen.informativeLabel =
            box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
        if (inspect) {
            inspect(*box, seen);
        }
        seen.informativeLabel = nullptr;
        if (chosen != nullptr) {
            QTest::mouseClick(chosen, Qt::LeftButton);
        }
    });
    timer->start();
}

}  // namespace wb::test
