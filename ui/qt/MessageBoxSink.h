// Message boxes owned by the main window: while an object of this class lives, every message of
// the program is shown in a box over `owner`, with only an OK button and no icon. Safe to call
// from any thread: the box is always shown on the owner's thread, and the caller waits for it.
#pragma once

#include <QPointer>
#include <QWidget>

#include "core/MessageSink.h"

namespace wb::ui {

class MessageBoxSink {
public:
    explicit MessageBoxSink(QWidget* owner);
    ~MessageBoxSink();
    MessageBoxSink(const MessageBoxSink&) = delete;
    MessageBoxSink& operator=(const MessageBoxSink&) = delete;

private:
    MessageSink m_previous;
};

// Shows one box over `owner` and returns once the user has dismissed it. GUI thread only.
void ShowMessageBoxOver(QWidget* owner, const Message& message);

}  // namespace wb::ui
