// SPDX-License-Identifier: GPL-3.0-or-later
#include "PtyHost.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

namespace wb::test {

using Clock = std::chrono::steady_clock;

PtyHost::PtyHost(const std::string& path, bool settle)
    : m_fd(open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC)) {
    if (m_fd >= 0) {
        if (settle) {
            termios attributes{};
            tcgetattr(m_fd, &attributes);
            cfmakeraw(&attributes);
            cfsetspeed(&attributes, B4800);
            tcsetattr(m_fd, TCSANOW, &attributes);
        }
        ioctl(m_fd, TIOCEXCL);
    }
}

PtyHost::~PtyHost() {
    if (m_fd >= 0) {
        // The flag belongs to the terminal, which outlives this descriptor on a pseudo-terminal.
        ioctl(m_fd, TIOCNXCL);
        close(m_fd);
    }
}

bool PtyHost::Write(const Bytes& bytes, milliseconds pause) {
    for (std::uint8_t byte : bytes) {
        if (write(m_fd, &byte, 1) != 1) {
            return false;
        }
        std::this_thread::sleep_for(pause);
    }
    return true;
}

bool PtyHost::WriteAtOnce(const Bytes& bytes) {
    return write(m_fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

Bytes PtyHost::Read(std::size_t count, milliseconds gap, milliseconds limit) {
    Bytes received;
    const Clock::time_point end = Clock::now() + limit;
    Clock::time_point deadline = end;
    while (received.size() < count) {
        const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now());
        pollfd fd{m_fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&fd, 1, static_cast<int>(left.count())) <= 0) {
            break;
        }
        std::uint8_t buffer[256];
        const ssize_t got = read(m_fd, buffer, std::min(sizeof buffer, count - received.size()));
        if (got <= 0) {
            break;
        }
        received.insert(received.end(), buffer, buffer + got);
        deadline = std::min(end, Clock::now() + gap);
    }
    return received;
}

}  // namespace wb::test
