// SPDX-License-Identifier: GPL-3.0-or-later
// Records every message box shown while it lives, in order, instead of showing it.
#pragma once

#include <string>
#include <vector>

#include "core/MessageSink.h"

namespace wb::test {

class MessageRecorder {
public:
    MessageRecorder()
        : previous_(SetMessageSink([this](const Message& m) { messages_.push_back(m); })) {}
    ~MessageRecorder() { SetMessageSink(previous_); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    const std::vector<Message>& messages() const { return messages_; }

    // The texts alone, in order: the usual thing to compare.
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const Message& m : messages_) {
            out.push_back(m.text);
        }
        return out;
    }

    void clear() { messages_.clear(); }

private:
    std::vector<Message> messages_;
    MessageSink previous_;
};

}  // namespace wb::test
