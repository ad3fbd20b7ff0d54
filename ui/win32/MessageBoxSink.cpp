#include "ui/win32/MessageBoxSink.h"

#include "ui/win32/WideText.h"

namespace wb::ui {

void ShowMessageBoxOver(HWND owner, const Message& message) {
    std::wstring text = WidenLatin1(message.text.c_str());
    if (!message.detail.empty()) {
        text += L"\n\n" + WidenAnsi(message.detail);
    }
    const std::wstring caption = WidenLatin1(message.caption.c_str());
    MessageBoxW(owner, text.c_str(), caption.empty() ? nullptr : caption.c_str(), MB_OK);
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
