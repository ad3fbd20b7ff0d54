// SPDX-License-Identifier: GPL-3.0-or-later
// What every fuzz target shares: a property that fails stops the run where it failed, and the
// messages that the code under test shows go nowhere.
#pragma once

#include "core/MessageSink.h"

namespace wb::fuzz {

inline void Check(bool ok) {
    if (!ok) {
        __builtin_trap();
    }
}

// Once per process, before the first input.
inline void SilenceMessages() {
    static const bool silenced = [] {
        SetMessageSink([](const Message&) {});
        return true;
    }();
    (void)silenced;
}

}  // namespace wb::fuzz
