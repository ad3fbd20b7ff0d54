// SPDX-License-Identifier: GPL-3.0-or-later
// The program's one road for telling the user something.
//
// Every message box of the program goes through the sink installed here: the window installs
// real boxes, a command-line tool prints, tests record. The default prints to stderr.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace wb {

struct Message {
    std::string text;     // exact text, as the user must see it
    std::string caption;  // empty: the platform's default title (an error box)
    std::string detail;   // optional reason from the platform and what to do; shown apart
};

// What an operation that does not talk to the user itself hands back for its caller to show.
using Messages = std::vector<Message>;

using MessageSink = std::function<void(const Message&)>;

// Installs `sink` and returns the one it replaces. An empty sink restores the default.
MessageSink SetMessageSink(MessageSink sink);

// Hands `message` to the installed sink and returns when the user has dismissed it.
void ShowMessage(const Message& message);

// Shows each of `messages` in turn.
void ShowMessages(const Messages& messages);

// The default sink: "caption: text" (or "Error: text") on stderr, the detail on the next line.
void PrintMessage(const Message& message);

// Hands `message` to `sink`, or to the default when `sink` is empty: for a sink that adds to the
// one it replaced.
void ForwardMessage(const MessageSink& sink, const Message& message);

}  // namespace wb

// The error box: no caption of its own, one OK button. Always returns true, so that a failing
// operation can end with `return ShowError(...)`.
bool ShowError(const char* text);
bool ShowError(const char* text, const std::string& detail);

// A box with its own caption (the outcome of an action, or a warning).
void ShowMessageBox(const char* text, const char* caption);
