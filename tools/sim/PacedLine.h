// SPDX-License-Identifier: GPL-3.0-or-later
// The beacon's transmit line: bytes leave at the pace of a 4800-baud line, 8N1.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace wb::sim {

class PacedLine {
public:
    using Clock = std::chrono::steady_clock;

    // How long `count` characters of 10 bits (start, 8 data, stop) take at 4800 baud.
    static constexpr std::chrono::nanoseconds LineTime(std::int64_t count) {
        return std::chrono::nanoseconds(count * 10 * 1'000'000'000 / 4800);
    }

    // Queues `bytes` behind whatever is still going out. Each byte is due when the line has
    // finished it, counted from `now` or from the end of the bytes before, whichever is later.
    void Send(const std::vector<std::uint8_t>& bytes, Clock::time_point now);

    // When the next byte is due, or nothing when the line is idle.
    std::optional<Clock::time_point> NextDue() const;

    // Removes and returns every byte due at `now`, in order.
    std::vector<std::uint8_t> TakeDue(Clock::time_point now);

    bool Idle() const { return m_pending.empty(); }

private:
    struct Pending {
        Clock::time_point due;
        std::uint8_t value;
    };

    std::deque<Pending> m_pending;
    Clock::time_point m_freeAt{};
};

}  // namespace wb::sim
