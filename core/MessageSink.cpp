// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MessageSink.h"

#include <cstdio>
#include <mutex>
#include <utility>

namespace wb {
namespace {

// The only global state of the program: who shows messages.
std::mutex g_sinkMutex;
MessageSink g_sink;

MessageSink CurrentSink() {
    std::lock_guard<std::mutex> lock(g_sinkMutex);
    return g_sink;
}

}  // namespace

MessageSink SetMessageSink(MessageSink sink) {
    std::lock_guard<std::mutex> lock(g_sinkMutex);
    return std::exchange(g_sink, std::move(sink));
}

void PrintMessage(const Message& message) {
    std::fprintf(stderr, "%s: %s\n", message.caption.empty() ? "Error" : message.caption.c_str(),
                 message.text.c_str());
    if (!message.detail.empty()) {
        std::fprintf(stderr, "  %s\n", message.detail.c_str());
    }
}

void ForwardMessage(const MessageSink& sink, const Message& message) {
    if (sink) {
        sink(message);
    } else {
        PrintMessage(message);
    }
}

void ShowMessage(const Message& message) {
    // Called without the lock held: a sink may block until the user answers.
    ForwardMessage(CurrentSink(), message);
}

void ShowMessages(const Messages& messages) {
    for (const Message& m : messages) {
        ShowMessage(m);
    }
}

}  // namespace wb

bool ShowError(const char* text) {
    wb::ShowMessage({text, {}, {}});
    return true;
}

bool ShowError(const char* text, const std::string& detail) {
    wb::ShowMessage({text, {}, detail});
    return true;
}

void ShowMessageBox(const char* text, const char* caption) {
    wb::ShowMessage({text, caption, {}});
}
