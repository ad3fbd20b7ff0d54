#include "tests/ui/win32/DialogFixture.h"

namespace wb::test {
namespace {

struct Answering {
    HWND owner;
    const std::function<void(HWND)>* answer;
    int seen;
    HWND current;
};
Answering* g_answering = nullptr;  // the one a timer of this thread looks at

BOOL CALLBACK FindOwned(HWND window, LPARAM) {
    if (GetWindow(window, GW_OWNER) == g_answering->owner && IsWindowVisible(window) &&
        window != g_answering->current) {
        g_answering->current = window;
        ++g_answering->seen;
        (*g_answering->answer)(window);
        return FALSE;
    }
    return TRUE;
}

void CALLBACK LookForDialogs(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), FindOwned, 0);
}

}  // namespace

int AnswerDialogs(HWND owner, const std::function<void()>& run,
                  const std::function<void(HWND)>& answer) {
    Answering answering{owner, &answer, 0, nullptr};
    g_answering = &answering;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, LookForDialogs);
    run();
    KillTimer(nullptr, timer);
    g_answering = nullptr;
    return answering.seen;
}

}  // namespace wb::test
