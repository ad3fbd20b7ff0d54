// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/MessageBoxSink.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMetaObject>
#include <QPushButton>
#include <QSpacerItem>
#include <QThread>
#include <algorithm>

namespace wb::ui {
namespace {

// Room the window manager takes beside the caption: the window's icon and its buttons.
constexpr int kCaptionFrame = 120;
constexpr QChar kWordJoiner(0x2060);

bool IsDevicePath(const QString& word) {
    return word.contains(QLatin1Char('/')) || word.contains(QLatin1Char('\\'));
}

// A line may break at a '/' or '-' of a device path; a word joiner after each of its characters
// keeps the path whole. The joiners take no room and are not drawn.
QString GluePaths(const QString& detail, int& widestPath, const QFontMetrics& metrics) {
    QStringList words = detail.split(QLatin1Char(' '));
    for (QString& word : words) {
        if (!IsDevicePath(word)) {
            continue;
        }
        widestPath = std::max(widestPath, metrics.horizontalAdvance(word));
        QString glued;
        for (qsizetype i = 0; i < word.size(); ++i) {
            glued += word[i];
            if (i + 1 < word.size() && word[i] != QLatin1Char('\n') &&
                word[i + 1] != QLatin1Char('\n')) {
                glued += kWordJoiner;
            }
        }
        word = glued;
    }
    return words.join(QLatin1Char(' '));
}

// The box's text, caption and detail; wide enough for its caption in the title bar and for the
// longest device path of the detail on one line.
void Fill(QMessageBox& box, const Message& message) {
    const QString caption =
        message.caption.empty() ? QStringLiteral("Error") : QString::fromLatin1(message.caption);
    box.setWindowTitle(caption);
    box.setText(QString::fromLatin1(message.text));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(QMessageBox::NoIcon);
    QFont titleFont = box.font();
    titleFont.setBold(true);
    int width = QFontMetrics(titleFont).horizontalAdvance(caption) + kCaptionFrame;
    if (!message.detail.empty()) {
        int widestPath = 0;
        box.setInformativeText(
            GluePaths(QString::fromLocal8Bit(message.detail), widestPath, box.fontMetrics()));
        // The detail is shown as written, never as markup.
        if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
            label->setTextFormat(Qt::PlainText);
            label->setMinimumWidth(widestPath);
        }
    }
    // A row of its own across the box holds it open to that width.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    box.setWindowModality(Qt::ApplicationModal);
}

void Run(QMessageBox& box) {
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

}  // namespace

void ShowMessageBoxOver(QWidget* owner, const Message& message) {
    QMessageBox box(owner);
    Fill(box, message);
    box.setStandardButtons(QMessageBox::Ok);
    Run(box);
}

bool AskQuestionOver(QWidget* owner, const Message& question, const char* yes, const char* no) {
    QMessageBox box(owner);
    Fill(box, question);
    QPushButton* accept = box.addButton(QString::fromLatin1(yes), QMessageBox::AcceptRole);
    QPushButton* reject = box.addButton(QString::fromLatin1(no), QMessageBox::RejectRole);
    // Enter alone never throws the user's work away.
    box.setDefaultButton(reject);
    box.setEscapeButton(reject);
    Run(box);
    return box.clickedButton() == accept;
}

MessageBoxSink::MessageBoxSink(QWidget* owner) : MessageBoxSink() {
    SetOwner(owner);
}

void MessageBoxSink::SetOwner(QWidget* owner) {
    *m_owner = owner;
}

MessageBoxSink::MessageBoxSink() {
    m_previous = SetMessageSink([owner = m_owner](const Message& message) {
        QWidget* window = owner->data();
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
