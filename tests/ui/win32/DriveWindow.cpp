// SPDX-License-Identifier: GPL-3.0-or-later
// drive-window: starts a Windows program with a dialog window and works it from outside, the way
// a user would, one step after the other; every wait polls until the state is there or time runs
// out. It prints what it did and saw, and ends with status 1 at the first step that failed.
//
//   drive-window.exe launch PROGRAM STEP...
//
//   press ID            posts a click to button ID (for buttons whose action takes a while)
//   click ID            clicks button ID and returns once the window has handled it
//   syscommand ID       posts the system-menu command ID (16 opens the About box)
//   key ID VK           posts the key VK (a number: 13 Enter, 27 Escape, 39 Right) to control ID
//   settext ID TEXT     sets the text of control ID
//   select ID INDEX     selects entry INDEX of list ID
//   text ID TEXT        waits until control ID shows TEXT
//   checked ID 0|1      waits until check box ID is unchecked (0) or checked (1)
//   enabled ID 0|1      waits until control ID is disabled or enabled
//   visible ID 0|1      waits until control ID is hidden or shown
//   list ID INDEX       waits until list ID has entry INDEX selected (-1: none)
//   tab ID INDEX        waits until tab control ID has tab INDEX selected
//   showing CAPTION TEXT  waits for a message box owned by the window with that caption and
//                       text (a detail may follow after an empty line), one OK button, no icon
//   box CAPTION TEXT    the same, then presses its OK
//   answer CAPTION TEXT BUTTON
//                       waits for a question owned by the window with that caption and text,
//                       and presses its button BUTTON
//   file TITLE PATH     waits for a file dialog owned by the window with that title, types PATH
//                       as the file's name and presses Open or Save
//   exists PATH         waits until the file PATH exists
//   end click ID | end key ID VK
//                       repeats the click or key until the program has ended, then checks that
//                       it ended with status 0 (a busy window ignores them)
//   ended               waits until the program has ended, with status 0
//
// Controls are found by id in the program's top-level dialog; message boxes are dialogs whose
// owner is that window, their text in the static control 0xFFFF. Texts, the arguments included,
// are UTF-8.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "core/WideUtf8.h"
#include "ui/win32/WideText.h"
#include "ui/win32/Win32.h"

namespace {

using Clock = std::chrono::steady_clock;
using wb::NarrowToUtf8;
using wb::WidenUtf8;

constexpr auto kPollInterval = std::chrono::milliseconds(20);
constexpr UINT kSendTimeoutMs = 10000;
constexpr int kMessageBoxTextId = 0xFFFF;
// The file name field of the system's file dialogs (cmb13), or edt1 in their older layout.
constexpr int kFileNameIds[] = {0x47C, 0x480};

std::chrono::seconds Timeout() {
    const char* seconds = std::getenv("WB_DRIVE_TIMEOUT");
    return std::chrono::seconds(seconds != nullptr ? std::atoi(seconds) : 30);
}

// Polls `done` until it is true or the time is up.
bool WaitFor(const std::function<bool()>& done) {
    const auto until = Clock::now() + Timeout();
    while (!done()) {
        if (Clock::now() > until) {
            return false;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    return true;
}

std::string TextOf(HWND window) {
    wchar_t text[1024] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, &length);
    return NarrowToUtf8(std::wstring_view(text, length));
}

std::string ClassOf(HWND window) {
    return NarrowToUtf8(wb::ui::ClassOf(window));
}

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

struct Found {
    DWORD process;
    HWND owner;  // null: the top-level dialog itself
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectDialogs(HWND window, LPARAM parameter) {
    auto* found = reinterpret_cast<Found*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == found->process && ClassOf(window) == "#32770" && IsWindowVisible(window) &&
        GetWindow(window, GW_OWNER) == found->owner) {
        found->windows.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> Dialogs(DWORD process, HWND owner) {
    Found found{process, owner, {}};
    EnumWindows(CollectDialogs, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

// What a message box holds, and whether it has the form every box of the program must have.
struct BoxSeen {
    std::string caption;
    std::string text;
    int buttons = 0;
    bool icon = false;
};

BoxSeen Inspect(HWND box) {
    BoxSeen seen{TextOf(box), TextOf(GetDlgItem(box, kMessageBoxTextId)), 0, false};
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) {
            continue;
        }
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        const std::string name = ClassOf(child);
        if (name == "Button") {
            ++seen.buttons;
        } else if (name == "Static" && ((style & SS_TYPEMASK) == SS_ICON) &&
                   Send(child, STM_GETICON) != 0) {
            seen.icon = true;
        }
    }
    return seen;
}

// The text of a box is its message, then, after an empty line, the detail if there is one. A
// box may break a long line anew, at its spaces.
bool TextMatches(std::string seen, std::string expected) {
    std::replace(seen.begin(), seen.end(), '\n', ' ');
    std::replace(expected.begin(), expected.end(), '\n', ' ');
    return seen == expected || seen.rfind(expected + "  ", 0) == 0;
}

class Driver {
public:
    int Run(std::vector<std::string> args);

private:
    bool Step(const std::vector<std::string>& args, std::size_t& at);
    bool Launch(const std::string& program);
    HWND Control(int id) const { return GetDlgItem(m_dialog, id); }
    bool Expect(const std::string& what, const std::function<std::string()>& read,
                const std::string& expected);
    bool Box(const std::string& caption, const std::string& text, bool answer);
    bool Answer(const std::string& caption, const std::string& text, const std::string& button);
    bool ChooseFile(const std::string& title, const std::string& path);
    bool End(const std::function<void()>& poke);

    PROCESS_INFORMATION m_process{};
    HWND m_dialog = nullptr;
};

bool Driver::Launch(const std::string& program) {
    std::wstring command = L"\"" + WidenUtf8(program) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &m_process)) {
        std::printf("FAIL launch %s: error %lu\n", program.c_str(), GetLastError());
        return false;
    }
    const bool shown = WaitFor([this] {
        const std::vector<HWND> dialogs = Dialogs(m_process.dwProcessId, nullptr);
        m_dialog = dialogs.empty() ? nullptr : dialogs.front();
        return m_dialog != nullptr;
    });
    std::printf("%s launch %s: window \"%s\"\n", shown ? "ok  " : "FAIL", program.c_str(),
                shown ? TextOf(m_dialog).c_str() : "none");
    return shown;
}

bool Driver::Expect(const std::string& what, const std::function<std::string()>& read,
                    const std::string& expected) {
    std::string seen;
    const bool ok = WaitFor([&] { return (seen = read()) == expected; });
    std::printf("%s %s: \"%s\"%s\n", ok ? "ok  " : "FAIL", what.c_str(), seen.c_str(),
                ok ? "" : (", expected \"" + expected + "\"").c_str());
    return ok;
}

bool Driver::Box(const std::string& caption, const std::string& text, bool answer) {
    HWND box = nullptr;
    BoxSeen seen;
    const bool ok = WaitFor([&] {
        const std::vector<HWND> boxes = Dialogs(m_process.dwProcessId, m_dialog);
        box = boxes.empty() ? nullptr : boxes.front();
        if (box == nullptr) {
            return false;
        }
        seen = Inspect(box);
        return seen.caption == caption && TextMatches(seen.text, text) && seen.buttons == 1 &&
               !seen.icon;
    });
    if (!ok) {
        std::printf("FAIL box: %s, expected \"%s\" \"%s\" with one button and no icon\n",
                    box == nullptr ? "none owned by the window"
                                   : ("\"" + seen.caption + "\" \"" + seen.text + "\", " +
                                      std::to_string(seen.buttons) + " button(s)" +
                                      (seen.icon ? ", an icon" : ""))
                                         .c_str(),
                    caption.c_str(), text.c_str());
        return false;
    }
    std::printf("ok   %s \"%s\" \"%s\"%s\n", answer ? "box" : "showing", seen.caption.c_str(),
                seen.text.c_str(), answer ? ": OK" : "");
    if (answer) {
        Send(GetDlgItem(box, 1), BM_CLICK);
        WaitFor([box] { return !IsWindow(box) || !IsWindowVisible(box); });
    }
    return true;
}

// The task dialog that asks a question has the text in one of its controls and a button for each
// answer, named as told.
bool Driver::Answer(const std::string& caption, const std::string& text,
                    const std::string& button) {
    HWND press = nullptr;
    std::string seen;
    const bool ok = WaitFor([&] {
        press = nullptr;
        seen.clear();
        bool textShown = false;
        for (HWND box : Dialogs(m_process.dwProcessId, m_dialog)) {
            seen = "\"" + TextOf(box) + "\"";
            if (TextOf(box) != caption) {
                continue;
            }
            for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                if (!IsWindowVisible(child)) {
                    continue;
                }
                const std::string shown = TextOf(child);
                textShown = textShown || TextMatches(shown, text);
                if (ClassOf(child) == "Button") {
                    seen += " [" + shown + "]";
                    if (shown == button) {
                        press = child;
                    }
                }
            }
            return textShown && press != nullptr;
        }
        return false;
    });
    std::printf("%s answer \"%s\" \"%s\" %s%s\n", ok ? "ok  " : "FAIL", caption.c_str(),
                text.c_str(), button.c_str(), ok ? "" : (": saw " + seen).c_str());
    if (ok) {
        Send(press, BM_CLICK);
    }
    return ok;
}

bool Driver::ChooseFile(const std::string& title, const std::string& path) {
    HWND name = nullptr;
    HWND box = nullptr;
    const bool ok = WaitFor([&] {
        for (HWND dialog : Dialogs(m_process.dwProcessId, m_dialog)) {
            if (TextOf(dialog) != title) {
                continue;
            }
            for (int id : kFileNameIds) {
                if ((name = GetDlgItem(dialog, id)) != nullptr) {
                    box = dialog;
                    return true;
                }
            }
        }
        return false;
    });
    std::printf("%s file \"%s\" \"%s\"\n", ok ? "ok  " : "FAIL", title.c_str(), path.c_str());
    if (ok) {
        Send(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(WidenUtf8(path).c_str()));
        PostMessageW(GetDlgItem(box, 1), BM_CLICK, 0, 0);
    }
    return ok;
}

bool Driver::End(const std::function<void()>& poke) {
    const bool ended = WaitFor([&] {
        if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0) {
            return true;
        }
        poke();
        return WaitForSingleObject(m_process.hProcess, 200) == WAIT_OBJECT_0;
    });
    DWORD status = STILL_ACTIVE;
    GetExitCodeProcess(m_process.hProcess, &status);
    const bool ok = ended && status == 0;
    std::printf("%s end: %s\n", ok ? "ok  " : "FAIL",
                ended ? ("status " + std::to_string(status)).c_str() : "still running");
    return ok;
}

bool Driver::Step(const std::vector<std::string>& args, std::size_t& at) {
    auto next = [&]() -> std::string { return at < args.size() ? args[at++] : std::string(); };
    auto number = [&] { return std::atoi(next().c_str()); };
    const std::string verb = next();
    const std::string where = " " + (at < args.size() ? args[at] : std::string());
    if (verb == "press") {
        const int id = number();
        PostMessageW(Control(id), BM_CLICK, 0, 0);
        std::printf("ok   press %d\n", id);
        return true;
    }
    if (verb == "click") {
        const int id = number();
        Send(Control(id), BM_CLICK);
        std::printf("ok   click %d\n", id);
        return true;
    }
    if (verb == "syscommand") {
        const int id = number();
        PostMessageW(m_dialog, WM_SYSCOMMAND, static_cast<WPARAM>(id), 0);
        std::printf("ok   syscommand %d\n", id);
        return true;
    }
    if (verb == "key") {
        const int id = number();
        const int key = number();
        PostMessageW(Control(id), WM_KEYDOWN, static_cast<WPARAM>(key), 1);
        PostMessageW(Control(id), WM_KEYUP, static_cast<WPARAM>(key), 0xC0000001);
        std::printf("ok   key %d %d\n", id, key);
        return true;
    }
    if (verb == "settext") {
        const int id = number();
        const std::string text = next();
        Send(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(WidenUtf8(text).c_str()));
        std::printf("ok   settext %d \"%s\"\n", id, text.c_str());
        return true;
    }
    if (verb == "select") {
        const int id = number();
        const int index = number();
        Send(Control(id), CB_SETCURSEL, static_cast<WPARAM>(index));
        std::printf("ok   select %d %d\n", id, index);
        return true;
    }
    if (verb == "text") {
        const int id = number();
        return Expect(
            "text" + where, [&] { return TextOf(Control(id)); }, next());
    }
    if (verb == "checked" || verb == "enabled" || verb == "visible" || verb == "list" ||
        verb == "tab") {
        const int id = number();
        const std::string expected = next();
        return Expect(
            verb + where,
            [&]() -> std::string {
                HWND control = Control(id);
                if (control == nullptr) {
                    return "no such control";
                }
                LRESULT value = 0;
                if (verb == "checked") {
                    value = Send(control, BM_GETCHECK) == BST_CHECKED;
                } else if (verb == "enabled") {
                    value = IsWindowEnabled(control);
                } else if (verb == "visible") {
                    value = IsWindowVisible(control);
                } else if (verb == "list") {
                    value = Send(control, CB_GETCURSEL);
                } else {
                    value = Send(control, TCM_GETCURSEL);
                }
                return std::to_string(static_cast<long long>(value));
            },
            expected);
    }
    if (verb == "showing" || verb == "box") {
        const std::string caption = next();
        const std::string text = next();
        return Box(caption, text, verb == "box");
    }
    if (verb == "answer") {
        const std::string caption = next();
        const std::string text = next();
        return Answer(caption, text, next());
    }
    if (verb == "file") {
        const std::string title = next();
        return ChooseFile(title, next());
    }
    if (verb == "exists") {
        const std::string path = next();
        const bool ok = WaitFor(
            [&] { return GetFileAttributesW(WidenUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES; });
        std::printf("%s exists \"%s\"\n", ok ? "ok  " : "FAIL", path.c_str());
        return ok;
    }
    if (verb == "ended") {
        return End([] {});
    }
    if (verb == "end") {
        const std::string how = next();
        const int id = number();
        if (how == "click") {
            return End([&] { Send(Control(id), BM_CLICK); });
        }
        const int key = number();
        return End([&] {
            PostMessageW(Control(id), WM_KEYDOWN, static_cast<WPARAM>(key), 1);
            PostMessageW(Control(id), WM_KEYUP, static_cast<WPARAM>(key), 0xC0000001);
        });
    }
    std::printf("FAIL unknown step \"%s\"\n", verb.c_str());
    return false;
}

int Driver::Run(std::vector<std::string> args) {
    if (args.size() < 2 || args[0] != "launch") {
        std::printf("usage: drive-window launch PROGRAM STEP...\n");
        return 2;
    }
    bool ok = Launch(args[1]);
    for (std::size_t at = 2; ok && at < args.size();) {
        ok = Step(args, at);
        std::fflush(stdout);
    }
    if (m_process.hProcess != nullptr) {
        if (WaitForSingleObject(m_process.hProcess, 0) != WAIT_OBJECT_0) {
            TerminateProcess(m_process.hProcess, 3);  // a failed run leaves nothing behind
        }
        CloseHandle(m_process.hProcess);
        CloseHandle(m_process.hThread);
    }
    return ok ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(NarrowToUtf8(argv[i]));
    }
    Driver driver;
    const int status = driver.Run(std::move(args));
    std::fflush(stdout);
    return status;
}
