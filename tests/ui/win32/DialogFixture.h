// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 main dialog, created modeless on this thread, with the messages recorded.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "tests/support/MessageRecorder.h"
#include "ui/win32/ConfigDlg.h"
#include "ui/win32/WideText.h"

namespace wb::test {

inline std::string Text(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return ui::NarrowLatin1(text);
}

inline std::string ClassOf(HWND window) {
    return ui::NarrowLatin1(ui::ClassOf(window));
}

class Win32Dialog : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls,
                                      ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        dlg = std::make_unique<CConfigDlg>();
        ASSERT_NE(dlg->Create(), nullptr);
        Pump();
    }

    HWND Item(int id) const { return dlg->GetDlgItem(id); }

    // Handles what is queued for this thread.
    static void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    MessageRecorder messages;
    std::unique_ptr<CConfigDlg> dlg;
};

// Calls `answer` with each dialog that appears on this thread owned by `owner` while `run` runs
// (a modal box or the About box); `answer` must end it. Returns how many it saw.
int AnswerDialogs(HWND owner, const std::function<void()>& run,
                  const std::function<void(HWND)>& answer);

}  // namespace wb::test
