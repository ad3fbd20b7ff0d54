// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinePeer.h"

#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "PseudoTerminal.h"

namespace wb::sim {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
namespace fs = std::filesystem;

volatile sig_atomic_t g_stop = 0;  // set by the signal handler only

void Stop(int) {
    g_stop = 1;
}

struct Due {
    Clock::time_point at;
    std::optional<std::uint8_t> byte;  // none: hang up
};

class Peer {
public:
    Peer(fs::path folder, fs::path link) : m_folder(std::move(folder)), m_link(std::move(link)) {}

    void Reset() {
        m_pty = std::make_unique<PseudoTerminal>(true);
        // As another program may leave a port: XON/XOFF on, which the host must turn off.
        termios line{};
        tcgetattr(m_pty->Master(), &line);
        line.c_iflag |= IXON | IXOFF;
        tcsetattr(m_pty->Master(), TCSANOW, &line);
        m_pending.clear();
        std::error_code ignored;
        fs::remove(m_link, ignored);
        fs::create_symlink(m_pty->SlavePath(), m_link);
        std::ofstream(m_folder / "received", std::ios::binary | std::ios::trunc);
        std::ofstream(m_folder / "sent", std::ios::trunc);
    }

    void Run() {
        Reset();
        std::ofstream(m_folder / "ready") << m_pty->SlavePath() << '\n';
        while (g_stop == 0) {
            pollfd master{m_pty->Master(), POLLIN, 0};
            const int ready = poll(&master, 1, 1);
            if (ready > 0 && (master.revents & POLLIN) != 0) {
                Receive();
            } else if (ready > 0) {
                std::this_thread::sleep_for(milliseconds(1));  // no host: the master hangs up
            }
            TakeCommands();
            SendDue();
        }
    }

private:
    void Receive() {
        std::uint8_t buffer[256];
        const ssize_t n = read(m_pty->Master(), buffer, sizeof buffer);
        if (n > 0) {
            std::ofstream(m_folder / "received", std::ios::binary | std::ios::app)
                .write(reinterpret_cast<const char*>(buffer), n);
        }
    }

    void TakeCommands() {
        for (;;) {
            const fs::path file = m_folder / ("cmd-" + std::to_string(m_next));
            std::ifstream in(file);
            std::string line;
            if (!in || !std::getline(in, line)) {
                return;
            }
            in.close();
            fs::remove(file);
            Take(line);
            std::ofstream(m_folder / ("ack-" + std::to_string(m_next))) << "ok\n";
            ++m_next;
        }
    }

    void Take(const std::string& line) {
        std::istringstream words(line);
        std::string verb;
        long after = 0;
        long gap = 0;
        words >> verb;
        if (verb == "reset") {
            Reset();
            return;
        }
        words >> after;
        Clock::time_point at = Clock::now() + milliseconds(after);
        if (verb == "hangup") {
            m_pending.push_back({at, std::nullopt});
            return;
        }
        words >> gap;
        std::string hex;
        words >> hex;
        for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
            m_pending.push_back(
                {at, static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16))});
            at += milliseconds(gap);
        }
        std::stable_sort(m_pending.begin(), m_pending.end(),
                         [](const Due& a, const Due& b) { return a.at < b.at; });
    }

    void SendDue() {
        const auto now = Clock::now();
        while (!m_pending.empty() && m_pending.front().at <= now && m_pty->Master() >= 0) {
            const Due due = m_pending.front();
            m_pending.pop_front();
            if (!due.byte) {
                m_pty->Close();
                m_pending.clear();
                return;
            }
            if (write(m_pty->Master(), &*due.byte, 1) == 1) {
                const auto ms =
                    std::chrono::duration_cast<milliseconds>(Clock::now().time_since_epoch());
                std::ofstream(m_folder / "sent", std::ios::app) << ms.count() << '\n';
            }
        }
    }

    fs::path m_folder;
    fs::path m_link;
    std::unique_ptr<PseudoTerminal> m_pty;
    std::deque<Due> m_pending;
    int m_next = 0;
};

}  // namespace

int RunLinePeer(const std::string& folder, const std::string& link) {
    struct sigaction action {};
    action.sa_handler = Stop;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    try {
        Peer(folder, link).Run();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "wrenbeacon-sim: %s\n", failure.what());
        return 1;
    }
    return 0;
}

}  // namespace wb::sim
