// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes owned by the main window: while an object of this class lives, every message of
// the program is shown in a box over `owner`, with only an OK button and no icon. Safe to call
// from any thread: the box is always shown on the owner's thread, and the caller waits for it.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "core/MessageSink.h"

namespace wb::ui {

class MessageBoxSink {
public:
    explicit MessageBoxSink(QWidget* owner);
    // Prints until SetOwner gives it a window: for installing the boxes before the window exists.
    MessageBoxSink();
    void SetOwner(QWidget* owner);
    ~MessageBoxSink();
    MessageBoxSink(const MessageBoxSink&) = delete;
    MessageBoxSink& operator=(const MessageBoxSink&) = delete;

private:
    std::shared_ptr<QPointer<QWidget>> m_owner = std::make_shared<QPointer<QWidget>>();
    MessageSink m_previous;
};

// Shows one box over `owner` and returns once the user has dismissed it. GUI thread only. Every
// box is wide enough for its caption, and keeps each device path of its detail on one line.
void ShowMessageBoxOver(QWidget* owner, const Message& message);

// The same box with two buttons instead of OK; true when the user chose `yes`. Enter, Escape and
// the close box give `no`.
bool AskQuestionOver(QWidget* owner, const Message& question, const char* yes, const char* no);

}  // namespace wb::ui
