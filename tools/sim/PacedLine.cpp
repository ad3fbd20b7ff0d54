// SPDX-License-Identifier: GPL-3.0-or-later
#include "PacedLine.h"

#include <algorithm>

namespace wb::sim {

void PacedLine::Send(const std::vector<std::uint8_t>& bytes, Clock::time_point now) {
    // Deadlines are absolute from the burst's start, so a late wake-up never stretches the burst.
    const Clock::time_point start = std::max(now, m_freeAt);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        m_pending.push_back({start + LineTime(static_cast<std::int64_t>(i) + 1), bytes[i]});
    }
    if (!bytes.empty()) {
        m_freeAt = m_pending.back().due;
    }
}

std::optional<PacedLine::Clock::time_point> PacedLine::NextDue() const {
    if (m_pending.empty()) {
        return std::nullopt;
    }
    return m_pending.front().due;
}

std::vector<std::uint8_t> PacedLine::TakeDue(Clock::time_point now) {
    std::vector<std::uint8_t> due;
    while (!m_pending.empty() && m_pending.front().due <= now) {
        due.push_back(m_pending.front().value);
        m_pending.pop_front();
    }
    return due;
}

}  // namespace wb::sim
