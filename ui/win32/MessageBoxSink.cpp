// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/MessageBoxSink.h"

#include <vector>

#include "core/WideUtf8.h"
#include "ui/BoxText.h"
#include "ui/win32/BoxFit.h"
#include "ui/win32/WideText.h"

namespace wb::ui {

namespace {

std::wstring BoxText(const Message& message) {
    std::wstring text = WidenShown(message.text);
    if (!message.detail.empty()) {
        text += L"\n\n" + WidenShown(message.detail);
    }
    return text;
}

std::vector<std::wstring> BoxPaths(const Message& message) {
    std::vector<std::wstring> paths;
    for (const std::string& path : PathsIn(message)) {
        paths.push_back(WidenUtf8(path));
    }
    return paths;
}

using TaskDialogFunction = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

// The task dialog of the common controls of version 6, which the program's manifest asks for;
// null where only older ones are loaded.
TaskDialogFunction FindTaskDialog() {
    HMODULE controls = GetModuleHandleW(L"comctl32.dll");
    if (controls == nullptr) {
        return nullptr;
    }
    // Through a function type without arguments, which any function pointer may be cast to.
    return reinterpret_cast<TaskDialogFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(controls, "TaskDialogIndirect")));
}

}  // namespace

void ShowMessageBoxOver(HWND owner, const Message& message) {
    const std::wstring caption = WidenShown(message.caption);
    const std::wstring text = BoxText(message);
    // An empty caption gives the system's own title, "Error".
    ShowFittedBox(caption.empty() ? L"Error" : caption, text, BoxPaths(message), [&] {
        return MessageBoxW(owner, text.c_str(), caption.empty() ? nullptr : caption.c_str(), MB_OK);
    });
}

bool AskQuestionOver(HWND owner, const Message& question, const char* yes, const char* no) {
    const std::wstring text = BoxText(question);
    const std::wstring caption = WidenShown(question.caption);
    const std::wstring yesText = WidenShown(yes);
    const std::wstring noText = WidenShown(no);
    if (TaskDialogFunction taskDialog = FindTaskDialog()) {
        // `no` carries the id of Escape, so that Escape gives it wherever the dialog manager
        // turns the key into that command.
        constexpr int kYes = 100, kNo = IDCANCEL;
        const TASKDIALOG_BUTTON buttons[] = {{kYes, yesText.c_str()}, {kNo, noText.c_str()}};
        TASKDIALOGCONFIG config{};
        config.cbSize = sizeof config;
        config.hwndParent = owner;
        config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
        config.pszWindowTitle = caption.empty() ? nullptr : caption.c_str();
        config.pszContent = text.c_str();
        config.cButtons = static_cast<UINT>(std::size(buttons));
        config.pButtons = buttons;
        config.nDefaultButton = kNo;  // Enter alone never throws the user's work away
        config.cxWidth = TaskDialogWidth(caption, text);
        int chosen = 0;
        if (SUCCEEDED(taskDialog(&config, &chosen, nullptr, nullptr))) {
            return chosen == kYes;
        }
    }
    // Without it the buttons keep the system's names: OK for `yes`, Cancel for `no`.
    const int answer = ShowFittedBox(caption, text, BoxPaths(question), [&] {
        return MessageBoxW(owner, text.c_str(), caption.empty() ? nullptr : caption.c_str(),
                           MB_OKCANCEL | MB_DEFBUTTON2);
    });
    return answer != IDCANCEL && answer != 0;
}

MessageBoxSink::MessageBoxSink(std::function<HWND()> owner) {
    m_previous = SetMessageSink([owner = std::move(owner)](const Message& message) {
        const HWND window = owner();
        if (window == nullptr || !IsWindow(window)) {
            ShowMessageBoxOver(nullptr, message);
        } else if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
            ShowMessageBoxOver(window, message);
        } else {
            SendMessageW(window, kShowMessage, 0, reinterpret_cast<LPARAM>(&message));
        }
    });
}

MessageBoxSink::~MessageBoxSink() {
    SetMessageSink(m_previous);
}

}  // namespace wb::ui
