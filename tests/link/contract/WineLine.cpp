// SPDX-License-Identifier: GPL-3.0-or-later
// The contract on the Win32 backend under Wine, with COM1 on a pseudo-terminal whose far end is
// `wrenbeacon-sim --peer` in another process (tools/wine-line starts it), reached through files
// in the folder WB_LINE_PEER names.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "tests/link/contract/LineContract.h"

namespace wb::test {
namespace {

using Clock = std::chrono::steady_clock;

// The Unix folder as this program reaches it: Wine's drive Z: is the root.
std::string PeerFolder() {
    const char* folder = std::getenv("WB_LINE_PEER");
    return folder != nullptr ? std::string("Z:") + folder : std::string();
}

class FilePeer final : public LinePeer {
public:
    explicit FilePeer(std::string folder) : m_folder(std::move(folder)) {
        // A fresh line for each test; the peer has taken it once its ack is there.
        const int n = Command("reset");
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        while (!std::ifstream(Path("ack-" + std::to_string(n))) && Clock::now() < deadline) {
            std::this_thread::sleep_for(Ms(2));
        }
    }

    void Send(const std::vector<BYTE>& bytes, Ms after, Ms gap) override {
        std::string hex;
        for (BYTE b : bytes) {
            char two[3];
            std::snprintf(two, sizeof two, "%02X", b);
            hex += two;
        }
        Command("send " + std::to_string(after.count()) + " " + std::to_string(gap.count()) + " " +
                hex);
    }

    std::vector<BYTE> Received(std::size_t count, Ms limit) override {
        const auto deadline = Clock::now() + limit;
        std::vector<BYTE> all;
        do {
            std::ifstream file(Path("received"), std::ios::binary | std::ios::ate);
            const std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : 0;
            all.resize(static_cast<std::size_t>(std::max<std::streamoff>(size, 0)));
            file.seekg(0);
            file.read(reinterpret_cast<char*>(all.data()),
                      static_cast<std::streamsize>(all.size()));
            if (all.size() >= m_taken + count) {
                break;
            }
            std::this_thread::sleep_for(Ms(2));
        } while (Clock::now() < deadline);
        const std::size_t end = std::min(all.size(), m_taken + count);
        std::vector<BYTE> bytes(all.begin() + static_cast<std::ptrdiff_t>(std::min(m_taken, end)),
                                all.begin() + static_cast<std::ptrdiff_t>(end));
        m_taken = end;
        return bytes;
    }

    void HangUp(Ms after) override { Command("hangup " + std::to_string(after.count())); }

    std::vector<Ms> SentTimes() override {
        std::vector<Ms> times;
        std::ifstream file(Path("sent"));
        for (long ms = 0; file >> ms;) {
            times.push_back(Ms(ms));
        }
        return times;
    }

private:
    std::string Path(const std::string& name) const { return m_folder + "/" + name; }

    // Written under another name and renamed, so that the peer never reads half a command.
    int Command(const std::string& line) {
        const std::string name = Path("cmd-" + std::to_string(m_next));
        std::ofstream(name + ".tmp") << line << '\n';
        std::rename((name + ".tmp").c_str(), name.c_str());
        return m_next++;
    }

    std::string m_folder;
    std::size_t m_taken = 0;
    static inline int m_next = 0;  // the peer counts commands over the whole run
};

class WineLine final : public LineTarget {
public:
    explicit WineLine(const std::string& folder) : m_peer(folder) {}
    SerialBackend& Backend() override { return *m_backend; }
    LinePeer& Peer() override { return m_peer; }
    Ms Now() override { return std::chrono::duration_cast<Ms>(Clock::now() - m_start); }
    bool ExactTime() const override { return false; }
    // Wine opens a port a second time although the share mode is 0; Windows refuses it.
    bool RefusesSecondOpen() const override { return false; }
    // Wine's ReadFile on a pseudo-terminal whose far end closed runs to its time limit and
    // returns nothing, where Windows fails the read of a vanished port.
    bool SeesHangUpInRead() const override { return false; }

private:
    const Clock::time_point m_start = Clock::now();
    FilePeer m_peer;
    std::unique_ptr<SerialBackend> m_backend = MakePlatformBackend();
};

std::unique_ptr<LineTarget> MakeWineLine() {
    const std::string folder = PeerFolder();
    if (folder.empty()) {
        return nullptr;  // not run through tools/wine-line: the cases skip
    }
    return std::make_unique<WineLine>(folder);
}

const LineKind kWin32{"Win32", MakeWineLine};

INSTANTIATE_TEST_SUITE_P(Wine, LineContract, testing::Values(kWin32), LineKindName);
INSTANTIATE_TEST_SUITE_P(WineAllowsASecondOpen, LineExclusive, testing::Values(kWin32),
                         LineKindName);
INSTANTIATE_TEST_SUITE_P(WineReadsAHungUpLineAsQuiet, LineHangUpInRead, testing::Values(kWin32),
                         LineKindName);

}  // namespace
}  // namespace wb::test
