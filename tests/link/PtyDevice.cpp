// SPDX-License-Identifier: GPL-3.0-or-later
#include "PtyDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace wb::test {

PtyDevice::PtyDevice() {
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        throw std::runtime_error("no pseudo-terminal");
    }
    m_path = ptsname(m_master);
    m_terminal = open(m_path.c_str(), O_RDWR | O_NOCTTY);
    if (m_terminal < 0) {
        throw std::runtime_error("cannot open " + m_path);
    }
    // Raw from the start, so that bytes sent before the channel opens stay as they are, but for
    // XON/XOFF, as another program may leave a port: the channel must turn it off.
    termios raw{};
    tcgetattr(m_terminal, &raw);
    cfmakeraw(&raw);
    raw.c_iflag |= IXON | IXOFF;
    tcsetattr(m_terminal, TCSANOW, &raw);
    setenv("WRENBEACON_COM1", m_path.c_str(), 1);
}

PtyDevice::~PtyDevice() {
    unsetenv("WRENBEACON_COM1");
    HangUp();
    close(m_terminal);
}

void PtyDevice::Send(const std::vector<BYTE>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(m_master, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            return;
        }
        done += static_cast<std::size_t>(n);
    }
}

void PtyDevice::Send(const std::string& text) {
    Send(std::vector<BYTE>(text.begin(), text.end()));
}

std::vector<PtyDevice::Arrival> PtyDevice::Receive(std::size_t count,
                                                   std::chrono::milliseconds limit) {
    std::vector<Arrival> arrivals;
    const auto deadline = Clock::now() + limit;
    while (arrivals.size() < count && Clock::now() < deadline) {
        pollfd entry{m_master, POLLIN, 0};
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (poll(&entry, 1, static_cast<int>(left.count())) <= 0 || !(entry.revents & POLLIN)) {
            continue;
        }
        BYTE buffer[256];
        const ssize_t n = read(m_master, buffer, sizeof buffer);
        const auto at = Clock::now();
        for (ssize_t i = 0; i < n; ++i) {
            arrivals.push_back({buffer[i], at});
        }
    }
    return arrivals;
}

void PtyDevice::HangUp() {
    const int master = m_master.exchange(-1);
    if (master >= 0) {
        close(master);
    }
}

}  // namespace wb::test
