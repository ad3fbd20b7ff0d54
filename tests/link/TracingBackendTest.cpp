// SPDX-License-Identifier: GPL-3.0-or-later
// Tracing must be invisible to the channel: the same calls reach the wrapped backend and the
// same results come back, whatever the backend scripts.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "link/ComPort.h"
#include "link/TracingBackend.h"
#include "tests/support/FakeSerialBackend.h"
#include "tests/support/MessageRecorder.h"

using wb::test::FakeSerialBackend;

namespace {

using Script = void (*)(FakeSerialBackend&);

struct Outcome {
    std::vector<int> results;
    std::vector<std::vector<BYTE>> buffers;
    std::vector<int> progress;
    std::vector<std::string> messages;
    wb::test::CallLog calls;
};

// Runs every command of the channel once against a fake scripted by `script`.
Outcome Exercise(Script script, bool traced, std::string* trace = nullptr) {
    FakeSerialBackend fake;
    script(fake);
    wb::test::MessageRecorder recorder;
    auto* text = new std::ostringstream;
    std::unique_ptr<wb::TracingBackend> tracing;
    if (traced) {
        tracing =
            std::make_unique<wb::TracingBackend>(fake, std::unique_ptr<std::ostream>(text),
                                                 [](int n) { return "dev" + std::to_string(n); });
    } else {
        delete text;
    }
    wb::SerialBackend& backend = traced ? static_cast<wb::SerialBackend&>(*tracing) : fake;
    CComPort port(backend);
    Outcome o;
    port.SetTransferObserver([&o](int n) { o.progress.push_back(n); });
    char banner[32] = {};
    o.results.push_back(port.ReadVersion(banner, 30));
    o.buffers.emplace_back(banner, banner + 32);
    std::vector<BYTE> image(200, 0xEE);
    o.results.push_back(port.ReadImage(image.data(), 200));
    o.buffers.push_back(image);
    const std::vector<BYTE> sent(128, 0x42);
    o.results.push_back(port.WriteImage(sent.data(), 128));
    o.results.push_back(port.SendTone('3'));
    port.SetPort(5);
    o.results.push_back(port.ReadVersion(banner, 30));
    o.messages = recorder.texts();
    o.calls = fake.log();
    if (trace != nullptr && traced) {
        *trace = text->str();
    }
    return o;
}

void ExpectSame(const Outcome& a, const Outcome& b) {
    EXPECT_EQ(a.results, b.results);
    EXPECT_EQ(a.buffers, b.buffers);
    EXPECT_EQ(a.progress, b.progress);
    EXPECT_EQ(a.messages, b.messages);
    EXPECT_EQ(a.calls, b.calls);
}

}  // namespace

TEST(TracingBackend, PassesEveryCallAndResultThroughUnchanged) {
    const Script scripts[] = {
        [](FakeSerialBackend& f) {  // everything answers
            f.QueueRead(std::vector<BYTE>{});
            f.QueueRead("Wrenbeacon 2");
            for (int k = 0; k < 3; ++k) {
                f.QueueRead(std::vector<BYTE>{});
                f.QueueRead(std::vector<BYTE>(128, 0x42));
            }
        },
        [](FakeSerialBackend& f) {  // failures in every kind of call
            f.FailOpen(2, "gone");
            f.Fail(FakeSerialBackend::Call::SetState, 3);
            f.Fail(FakeSerialBackend::Call::Close, 1);
            f.WriteTimesOut(2);
            f.Fail(FakeSerialBackend::Call::WriteByte, 7);
            f.QueueRead("Wrenbeacon");
            f.QueueReadFailure();
            f.QueueRead(std::vector<BYTE>(300, 1));
        },
        [](FakeSerialBackend&) {},  // silence
    };
    for (Script script : scripts) {
        ExpectSame(Exercise(script, true), Exercise(script, false));
    }
}

TEST(TracingBackend, TraceHoldsOpensBytesAndMessagesWithTheirTimes) {
    std::string trace;
    Exercise(
        [](FakeSerialBackend& f) {
            f.QueueRead(std::vector<BYTE>{});
            f.QueueRead("Wrenbeacon 2");
        },
        true, &trace);
    const std::regex stamped(R"(( *\d+\.\d (.*)\n)+)");
    EXPECT_TRUE(std::regex_match(trace.substr(trace.find('\n') + 1), stamped)) << trace;
    for (const char* line : {
             " open COM1 (dev1)\n",
             " set line settings 4800 8N1\n",
             " read of 29 ended with 0 bytes\n",
             " > 1B\n",
             " > 56\n",
             " < 57 72 65 6E 62 65 61 63 6F 6E 20 32\n",
             " read of 29 ended with 12 bytes\n",
             " close (dev1)\n",
             " message Error: Invalid Com Port Number\n",
         }) {
        EXPECT_NE(trace.find(line), std::string::npos) << line << trace;
    }
}
