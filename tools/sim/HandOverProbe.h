// SPDX-License-Identifier: GPL-3.0-or-later
// How late the kernel hands bytes on through a pseudo-terminal just now. While a host holds
// the beacon's port, the beacon sends a byte through a terminal pair of its own every 2 ms, one
// at a time, and notes when each was sent. A byte comes out of a terminal only when a kernel
// worker has handed it on, and the workers take the terminals' bytes in the order they were
// written; so once a probe has come out and the host's line is then found empty, whatever the
// host sends next was written after that probe was sent. On a quiet machine that is within a
// few milliseconds of the truth; while the workers wait for a processor, it is as late as they
// are. It costs about 2 % of a processor while a host holds the port.
#pragma once

#include <chrono>
#include <deque>
#include <optional>

#include "PseudoTerminal.h"

namespace wb::sim {

class HandOverProbe {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kInterval{2};

    // Throws std::runtime_error saying what failed.
    HandOverProbe();
    ~HandOverProbe();
    HandOverProbe(const HandOverProbe&) = delete;
    HandOverProbe& operator=(const HandOverProbe&) = delete;

    // The side the probes come out of, to wait on with the host's line.
    int Fd() const { return m_pty.Master(); }

    // Sends a probe when one is due and none is on its way.
    void SendIfDue(Clock::time_point now);
    // When the next probe is due, or nothing while one is on its way.
    std::optional<Clock::time_point> NextDue() const;
    // Takes the probes that came out; returns when the last of them was sent, if any came.
    std::optional<Clock::time_point> Collect();

private:
    PseudoTerminal m_pty{true};
    int m_input = -1;                      // the slave side, written to
    std::deque<Clock::time_point> m_sent;  // probes on their way, when each was sent
    Clock::time_point m_lastSent{};
};

}  // namespace wb::sim
