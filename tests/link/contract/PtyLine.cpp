// SPDX-License-Identifier: GPL-3.0-or-later
// The contract on the POSIX backend, with a pseudo-terminal whose far side the test plays.
#include <gtest/gtest.h>

#include <list>
#include <mutex>
#include <thread>

#include "tests/link/PtyDevice.h"
#include "tests/link/contract/LineContract.h"

namespace wb::test {
namespace {

using Clock = std::chrono::steady_clock;

class PtyPeer final : public LinePeer {
public:
    explicit PtyPeer(PtyDevice& device) : m_device(device) {}
    ~PtyPeer() override { m_jobs.clear(); }  // stops and joins them

    void Send(const std::vector<BYTE>& bytes, Ms after, Ms gap) override {
        if (after == Ms(0) && gap == Ms(0)) {
            m_device.Send(bytes);
            Sent(bytes.size());
            return;
        }
        m_jobs.emplace_back([this, bytes, after, gap](std::stop_token stop) {
            auto due = Clock::now() + after;
            for (BYTE byte : bytes) {
                std::this_thread::sleep_until(due);
                if (stop.stop_requested()) {
                    return;
                }
                m_device.Send(std::vector<BYTE>{byte});
                Sent(1);
                due += gap;
            }
        });
    }
    std::vector<BYTE> Received(std::size_t count, Ms limit) override {
        std::vector<BYTE> bytes;
        for (const PtyDevice::Arrival& a : m_device.Receive(count, limit)) {
            bytes.push_back(a.byte);
        }
        return bytes;
    }
    void HangUp(Ms after) override {
        m_jobs.emplace_back([this, after](std::stop_token stop) {
            std::this_thread::sleep_for(after);
            if (!stop.stop_requested()) {
                m_device.HangUp();
            }
        });
    }

    std::vector<Ms> SentTimes() override {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_sent;
    }

private:
    void Sent(std::size_t count) {
        const Ms now = std::chrono::duration_cast<Ms>(Clock::now().time_since_epoch());
        std::lock_guard<std::mutex> lock(m_mutex);
        m_sent.insert(m_sent.end(), count, now);
    }

    PtyDevice& m_device;
    std::mutex m_mutex;
    std::vector<Ms> m_sent;  // guarded by m_mutex
    std::list<std::jthread> m_jobs;
};

class PtyLine final : public LineTarget {
public:
    SerialBackend& Backend() override { return *m_backend; }
    LinePeer& Peer() override { return m_peer; }
    Ms Now() override { return std::chrono::duration_cast<Ms>(Clock::now() - m_start); }
    bool ExactTime() const override { return false; }

private:
    const Clock::time_point m_start = Clock::now();
    PtyDevice m_device;
    PtyPeer m_peer{m_device};
    std::unique_ptr<SerialBackend> m_backend = MakePlatformBackend();
};

const LineKind kPseudoTerminal{"PseudoTerminal",
                               [] { return std::unique_ptr<LineTarget>(new PtyLine); }};

INSTANTIATE_TEST_SUITE_P(Posix, LineContract, testing::Values(kPseudoTerminal), LineKindName);
INSTANTIATE_TEST_SUITE_P(Posix, LineExclusive, testing::Values(kPseudoTerminal), LineKindName);
INSTANTIATE_TEST_SUITE_P(Posix, LineHangUpInRead, testing::Values(kPseudoTerminal), LineKindName);

}  // namespace
}  // namespace wb::test
