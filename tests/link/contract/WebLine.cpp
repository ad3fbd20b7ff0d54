// SPDX-License-Identifier: GPL-3.0-or-later
// The contract on the Web Serial backend, run under node against a fake port: node has no
// navigator.serial, and the backend reaches a port only through the page's transport, which
// takes any object with the interface of a Web Serial port.
#include "tests/link/contract/WebLine.h"

#include <emscripten.h>

#include <chrono>
#include <cstdlib>

namespace wb::test {
namespace {

using Clock = std::chrono::steady_clock;

// clang-format off
EM_JS(int, wb_fake_line_make, (), {
    return Module.wbFakeLine.make();
});
EM_JS(void, wb_fake_line_drop, (int line), {
    Module.wbFakeLine.drop(line);
});
EM_JS(void, wb_fake_line_send, (int line, const BYTE* bytes, int count, int after, int gap), {
    Module.wbFakeLine.get(line).send(Array.from(HEAPU8.subarray(bytes, bytes + count)), after, gap);
});
EM_JS(int, wb_fake_line_arrived, (int line), {
    return Module.wbFakeLine.get(line).arrivals.length;
});
EM_JS(int, wb_fake_line_byte, (int line, int index), {
    return Module.wbFakeLine.get(line).arrivals[index][1];
});
EM_JS(double, wb_fake_line_arrival, (int line, int index), {
    return Module.wbFakeLine.get(line).arrivals[index][0];
});
EM_JS(void, wb_fake_line_hang_up, (int line, int after), {
    Module.wbFakeLine.get(line).hangUp(after);
});
EM_JS(void, wb_fake_line_set, (int line, const char* flag, int on), {
    Module.wbFakeLine.get(line)[UTF8ToString(flag)] = on !== 0;
});
EM_JS(int, wb_fake_line_is_open, (int line), {
    return Module.wbFakeLine.get(line).readable ? 1 : 0;
});
EM_JS(char*, wb_fake_line_open_options, (int line), {
    const opens = Module.wbFakeLine.get(line).opens;
    const text = JSON.stringify(opens.length ? opens[opens.length - 1] : null);
    const size = lengthBytesUTF8(text) + 1;
    const out = _malloc(size);
    stringToUTF8(text, out, size);
    return out;
});
// clang-format on

class WebPeer final : public LinePeer {
public:
    explicit WebPeer(int line) : m_line(line) {}
    void Send(const std::vector<BYTE>& bytes, Ms after, Ms gap) override {
        wb_fake_line_send(m_line, bytes.data(), static_cast<int>(bytes.size()),
                          static_cast<int>(after.count()), static_cast<int>(gap.count()));
    }
    // Every byte a finished write handed over has reached the port already.
    std::vector<BYTE> Received(std::size_t count, Ms) override {
        std::vector<BYTE> bytes;
        const std::size_t arrived = static_cast<std::size_t>(wb_fake_line_arrived(m_line));
        for (; m_taken < arrived && bytes.size() < count; ++m_taken) {
            bytes.push_back(
                static_cast<BYTE>(wb_fake_line_byte(m_line, static_cast<int>(m_taken))));
        }
        return bytes;
    }
    void HangUp(Ms after) override {
        wb_fake_line_hang_up(m_line, static_cast<int>(after.count()));
    }

private:
    int m_line;
    std::size_t m_taken = 0;
};

const Clock::time_point kStart = Clock::now();

}  // namespace

WebLine::WebLine()
    : m_id(wb_fake_line_make()),
      m_peer(std::make_unique<WebPeer>(m_id)),
      m_backend(MakePlatformBackend()) {}

WebLine::~WebLine() {
    wb_fake_line_drop(m_id);
}

Ms WebLine::Now() {
    return std::chrono::duration_cast<Ms>(Clock::now() - kStart);
}

void WebLine::HoldElsewhere(bool held) {
    wb_fake_line_set(m_id, "heldElsewhere", held ? 1 : 0);
}

void WebLine::Remove() {
    wb_fake_line_set(m_id, "gone", 1);
}

void WebLine::StallWrites(bool stalled) {
    wb_fake_line_set(m_id, "stalled", stalled ? 1 : 0);
}

void WebLine::SlowHandOver(bool slow) {
    wb_fake_line_set(m_id, "slowHandOver", slow ? 1 : 0);
}

bool WebLine::PortOpen() {
    return wb_fake_line_is_open(m_id) != 0;
}

std::string WebLine::OpenOptions() {
    char* text = wb_fake_line_open_options(m_id);
    std::string options(text);
    std::free(text);
    return options;
}

std::vector<double> WebLine::Arrivals() {
    std::vector<double> times;
    const int arrived = wb_fake_line_arrived(m_id);
    for (int i = 0; i < arrived; ++i) {
        times.push_back(wb_fake_line_arrival(m_id, i));
    }
    return times;
}

namespace {

const LineKind kWebSerial{"WebSerial", [] { return std::unique_ptr<LineTarget>(new WebLine); }};

INSTANTIATE_TEST_SUITE_P(Browser, LineContract, testing::Values(kWebSerial), LineKindName);
INSTANTIATE_TEST_SUITE_P(Browser, LineExclusive, testing::Values(kWebSerial), LineKindName);
INSTANTIATE_TEST_SUITE_P(Browser, LineHangUpInRead, testing::Values(kWebSerial), LineKindName);

}  // namespace
}  // namespace wb::test
