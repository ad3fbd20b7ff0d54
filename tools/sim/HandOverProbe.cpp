// SPDX-License-Identifier: GPL-3.0-or-later
#include "HandOverProbe.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace wb::sim {

HandOverProbe::HandOverProbe()
    : m_input(open(m_pty.SlavePath().c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {
    if (m_input < 0) {
        throw std::runtime_error("Could not open the simulated beacon's probe terminal: " +
                                 std::string(std::strerror(errno)));
    }
}

HandOverProbe::~HandOverProbe() {
    close(m_input);
}

void HandOverProbe::SendIfDue(Clock::time_point now) {
    if (!m_sent.empty() || now < m_lastSent + kInterval) {
        return;
    }
    const std::uint8_t probe = 0;
    const Clock::time_point at = Clock::now();
    if (write(m_input, &probe, 1) == 1) {
        m_sent.push_back(at);
        m_lastSent = at;
    }
}

std::optional<HandOverProbe::Clock::time_point> HandOverProbe::NextDue() const {
    if (!m_sent.empty()) {
        return std::nullopt;
    }
    return m_lastSent + kInterval;
}

std::optional<HandOverProbe::Clock::time_point> HandOverProbe::Collect() {
    std::optional<Clock::time_point> last;
    std::uint8_t buffer[64];
    ssize_t count = 0;
    while ((count = read(m_pty.Master(), buffer, sizeof buffer)) > 0) {
        for (ssize_t i = 0; i < count && !m_sent.empty(); ++i) {
            last = m_sent.front();
            m_sent.pop_front();
        }
    }
    return last;
}

}  // namespace wb::sim
