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

#include "ui/BoxText.h"

namespace wb::ui {
namespace {

// Room the window manager takes beside the caption: the window's icon and its buttons.
constexpr int kCaptionFrame = 120;
constexpr QChar kWordJoiner(0x2060);
constexpr QChar kNoBreakSpace(0x00A0);

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(ShownText(text));
}

// A line may break at a space, a '/' or a '-' of a path. A word joiner after each of its
// characters keeps it whole, and a space in it is drawn as a no-break space, which the layout
// does not break at either (it breaks at any plain space, joiners or not). Neither changes what
// is drawn.
QString GluePaths(QString text, const QStringList& paths) {
    for (const QString& path : paths) {
        QString glued;
        for (qsizetype i = 0; i < path.size(); ++i) {
            glued += path[i] == QLatin1Char(' ') ? kNoBreakSpace : path[i];
            if (i + 1 < path.size()) {
                glued += kWordJoiner;
            }
        }
        text.replace(path, glued);
    }
    return text;
}

// The box's text, caption and detail; wide enough for its caption in the title bar and for the
// longest path on one line.
void Fill(QMessageBox& box, const Message& message) {
    const QString caption =
        message.caption.empty() ? QStringLiteral("Error") : FromUtf8(message.caption);
    box.setWindowTitle(caption);
    box.setIcon(QMessageBox::NoIcon);
    QStringList paths;
    int widestPath = 0;
    for (const std::string& path : PathsIn(message)) {
        paths << FromUtf8(path);
        widestPath = std::max(widestPath, box.fontMetrics().horizontalAdvance(paths.last()));
    }
    // The box sizes its text itself, and wraps it where a line is free to break: never inside
    // a glued path (unless the path is wider than the box may grow).
    box.setText(GluePaths(FromUtf8(message.text), paths));
    box.setTextFormat(Qt::PlainText);
    if (!message.detail.empty()) {
        box.setInformativeText(GluePaths(FromUtf8(message.detail), paths));
        // The detail is shown as written, never as markup, on a label the box sizes only to its
        // own width: held open to the widest path.
        if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
            label->setTextFormat(Qt::PlainText);
            label->setMinimumWidth(widestPath);
        }
    }
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int width = QFontMetrics(titleFont).horizontalAdvance(caption) + kCaptionFrame;
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
    QPushButton* accept = box.addButton(FromUtf8(yes), QMessageBox::AcceptRole);
    QPushButton* reject = box.addButton(FromUtf8(no), QMessageBox::RejectRole);
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
