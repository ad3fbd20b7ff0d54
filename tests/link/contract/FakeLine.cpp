// SPDX-License-Identifier: GPL-3.0-or-later
// The contract on the in-memory fake, whose virtual clock makes every limit exact.
#include <gtest/gtest.h>

#include "tests/link/contract/LineContract.h"
#include "tests/support/FakeSerialBackend.h"

namespace wb::test {
namespace {

class FakePeer final : public LinePeer {
public:
    explicit FakePeer(FakeSerialBackend& fake) : m_fake(fake) {}
    void Send(const std::vector<BYTE>& bytes, Ms after, Ms gap) override {
        m_fake.Arrive(bytes, after, gap);
    }
    std::vector<BYTE> Received(std::size_t count, Ms) override {
        const std::vector<BYTE>& all = m_fake.written();
        const std::size_t end = std::min(all.size(), m_taken + count);
        std::vector<BYTE> bytes(all.begin() + static_cast<std::ptrdiff_t>(m_taken),
                                all.begin() + static_cast<std::ptrdiff_t>(end));
        m_taken = end;
        return bytes;
    }
    void HangUp(Ms after) override { m_fake.HangUp(after); }

private:
    FakeSerialBackend& m_fake;
    std::size_t m_taken = 0;
};

class FakeLine final : public LineTarget {
public:
    SerialBackend& Backend() override { return m_fake; }
    LinePeer& Peer() override { return m_peer; }
    Ms Now() override { return m_fake.now(); }
    bool ExactTime() const override { return true; }

private:
    FakeSerialBackend m_fake;
    FakePeer m_peer{m_fake};
};

const LineKind kFake{"Fake", [] { return std::unique_ptr<LineTarget>(new FakeLine); }};

INSTANTIATE_TEST_SUITE_P(InMemory, LineContract, testing::Values(kFake), LineKindName);
INSTANTIATE_TEST_SUITE_P(InMemory, LineExclusive, testing::Values(kFake), LineKindName);
INSTANTIATE_TEST_SUITE_P(InMemory, LineHangUpInRead, testing::Values(kFake), LineKindName);

}  // namespace
}  // namespace wb::test
