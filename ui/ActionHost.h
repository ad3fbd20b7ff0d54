// SPDX-License-Identifier: GPL-3.0-or-later
// What the device actions need from the window that runs them, beyond its controls.
#pragma once

#include <functional>

#include "core/MessageSink.h"

namespace wb::ui {

class ActionHost {
public:
    virtual ~ActionHost() = default;

    // Runs `exchange` off the window's thread and returns its result once it has ended. Until
    // then the window stays alive: it keeps painting, shows that it is busy and ignores the
    // user's input (clicks, keys, closing). Messages that the exchange shows (through the message
    // sink, on its own thread) appear as boxes owned by the window and take the user's answer
    // while the exchange waits for it. Called on the window's thread only.
    virtual bool RunInBackground(const std::function<bool()>& exchange) = 0;

    // The progress of an image exchange. Begin shows an empty indicator and End hides it, on the
    // window's thread; Expect starts counting towards a total of bytes and Add counts bytes
    // moved, from any thread.
    virtual void BeginProgress() = 0;
    virtual void ExpectProgress(int bytes) = 0;
    virtual void AddProgress(int bytes) = 0;
    virtual void EndProgress() = 0;

    // A question in a box owned by the window, with two buttons: `yes` and `no` (which Escape
    // and closing the box also give). True when the user chose `yes`. Window's thread only.
    virtual bool AskQuestion(const Message& question, const char* yes, const char* no) = 0;
};

}  // namespace wb::ui
