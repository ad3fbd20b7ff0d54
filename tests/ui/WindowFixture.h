// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit-free main window on fake controls, a fake host and the in-memory serial port, with
// every message recorded. No real time passes: the port's pauses are only logged.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "link/ComPort.h"
#include "res/ResourceIds.h"
#include "tests/support/FakeSerialBackend.h"
#include "tests/support/MessageRecorder.h"
#include "tests/ui/FakeControls.h"
#include "ui/ConfigWindow.h"

namespace wb::test {

using BoxList = std::vector<std::pair<std::string, std::string>>;

// Runs the exchange at once, on the caller's thread, and notes what the actions asked of it.
class FakeHost final : public ui::ActionHost {
public:
    bool RunInBackground(const std::function<bool()>& exchange) override {
        ++runs;
        // Once only, so that a nested action that does start is counted, not repeated for ever.
        if (const auto during = std::exchange(whileRunning, nullptr)) {
            during();
        }
        return exchange();
    }
    void BeginProgress() override { ++begun; }
    void ExpectProgress(int bytes) override {
        expected = bytes;
        moved = 0;
    }
    void AddProgress(int bytes) override { moved += bytes; }
    void EndProgress() override { ++ended; }
    bool AskQuestion(const Message& question, const char* yes, const char* no) override {
        questions.push_back({question.text, question.caption, std::string(yes) + "/" + no});
        return answer;
    }

    std::function<void()> whileRunning;  // what the user tries while the next exchange runs
    int runs = 0, begun = 0, ended = 0, expected = 0, moved = 0;
    std::vector<Message> questions;  // the buttons as "yes/no" in each detail
    bool answer = true;              // what every question gets
};

// Everything a test of the window needs; tables of cases make one per case.
class WindowRig {
public:
    WindowRig() { window.OnInitDialog(); }
    WindowRig(const WindowRig&) = delete;
    WindowRig& operator=(const WindowRig&) = delete;

    // What a user does: type into a field, click a button or box (a box toggles first), pick a
    // tab.
    void Type(int id, const std::string& text) { controls[id].text = text; }
    void Click(int id) {
        if (controls[id].kind == res::ControlKind::CheckBox) {
            controls[id].checked = !controls[id].checked;
        }
        window.OnCommand(id);
    }
    void ShowTab(int index) {
        controls[res::IDC_PROFILE_TAB].selection = index;
        window.OnSelchangeProfileTab();
    }
    const std::string& Text(int id) { return controls[id].text; }

    // Every box shown so far as (text, caption), in order.
    BoxList Shown() const {
        BoxList out;
        for (const Message& m : messages.messages()) {
            out.emplace_back(m.text, m.caption);
        }
        return out;
    }

    MessageRecorder messages;
    FakeSerialBackend backend;
    CComPort port{backend};
    CTrackerConfig config;
    FakeControls controls;
    FakeHost host;
    ui::ConfigWindow window{controls, host, config, port};
};

class WindowFixture : public ::testing::Test, public WindowRig {};

}  // namespace wb::test
