// SPDX-License-Identifier: GPL-3.0-or-later
// What every fuzz target shares: a property that fails stops the run where it failed, and a
// message that the code under test shows on its own is such a failure: it hands them back.
#pragma once

#include "core/MessageSink.h"

namespace wb::fuzz {

inline void Check(bool ok) {
    if (!ok) {
        __builtin_trap();
    }
}

// Once per process, before the first input.
inline void ForbidMessages() {
    static const bool forbidden = [] {
        SetMessageSink([](const Message&) { Check(false); });
        return true;
    }();
    (void)forbidden;
}

}  // namespace wb::fuzz
