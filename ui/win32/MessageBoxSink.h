// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes owned by the main window: while an object of this class lives, every message of
// the program is shown in a box over the window that `owner` gives at that moment, with only an
// OK button and no icon, wide enough for its caption and its paths (BoxFit.h). A box asked for on
// another thread is shown on the owner's thread (which handles kShowMessage by calling
// ShowMessageBoxOver), and that thread waits until the user has answered it.
#pragma once

#include <functional>

#include "core/MessageSink.h"
#include "ui/win32/Win32.h"

namespace wb::ui {

// Sent to the owner with the Message in lParam.
inline constexpr UINT kShowMessage = WM_APP + 1;

class MessageBoxSink {
public:
    explicit MessageBoxSink(std::function<HWND()> owner);
    ~MessageBoxSink();
    MessageBoxSink(const MessageBoxSink&) = delete;
    MessageBoxSink& operator=(const MessageBoxSink&) = delete;

private:
    MessageSink m_previous;
};

// A question in a box over `owner` with the buttons `yes` and `no`; `no` is the default, and
// Escape and closing the box give it too. True when the user chose `yes`. The owner's thread.
bool AskQuestionOver(HWND owner, const Message& question, const char* yes, const char* no);

// Shows one box and returns once the user has dismissed it. The owner's thread only. An empty
// caption gives the system's own title; a detail stands under the text, after an empty line.
void ShowMessageBoxOver(HWND owner, const Message& message);

}  // namespace wb::ui
