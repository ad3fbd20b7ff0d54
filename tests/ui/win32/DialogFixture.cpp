// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ui/win32/DialogFixture.h"

#include <gtest/gtest.h>

namespace wb::test {
namespace {

// A box that the answer did not end within this many looks (20 ms apart) fails the test and is
// ended here, so that the test goes on.
constexpr int kPatience = 250;

struct Answering {
    HWND owner;
    const std::function<void(HWND)>* answer;
    int seen;
    HWND current;
    int looks;
};
Answering* g_answering = nullptr;  // the one a timer of this thread looks at

BOOL CALLBACK FindOwned(HWND window, LPARAM) {
    if (GetWindow(window, GW_OWNER) != g_answering->owner || !IsWindowVisible(window)) {
        return TRUE;
    }
    if (window == g_answering->current) {
        if (++g_answering->looks == kPatience) {
            ADD_FAILURE() << "the answer did not end the box";
            EndDialog(window, IDCANCEL);
        }
        return FALSE;
    }
    g_answering->current = window;
    g_answering->looks = 0;
    ++g_answering->seen;
    (*g_answering->answer)(window);
    return FALSE;
}

void CALLBACK LookForDialogs(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), FindOwned, 0);
}

}  // namespace

int AnswerDialogs(HWND owner, const std::function<void()>& run,
                  const std::function<void(HWND)>& answer) {
    Answering answering{owner, &answer, 0, nullptr, 0};
    g_answering = &answering;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, LookForDialogs);
    run();
    KillTimer(nullptr, timer);
    g_answering = nullptr;
    return answering.seen;
}

}  // namespace wb::test
