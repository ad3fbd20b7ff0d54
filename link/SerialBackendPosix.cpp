// SPDX-License-Identifier: GPL-3.0-or-later
// Serial ports of Linux and macOS through termios. The descriptor stays non-blocking and every
// wait is a poll() against a deadline on the monotonic clock, so that the read and write time
// limits hold exactly and a port that vanishes (POLLHUP, EIO) ends the call instead of hanging it.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>
#include <utility>

#include "link/DeviceProtocol.h"
#include "link/LineTermios.h"
#include "link/OpenFailure.h"
#include "link/PortMap.h"
#include "link/SerialBackendPosix.h"

namespace wb {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How often a byte held in the output queue is looked at again.
constexpr auto kDrainPoll = std::chrono::microseconds(500);

int Fd(PortHandle port) {
    return static_cast<int>(port);
}

enum class Wait { Ready, TimedOut, Gone };

// Waits until `fd` is ready for `events` or `deadline` passes. A hang-up or error counts as gone
// unless readable data is still waiting: that is read first.
Wait WaitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        const auto now = Clock::now();
        if (now >= deadline) {
            return Wait::TimedOut;
        }
        // Rounded up, so that poll never wakes before the deadline and spins.
        const auto left = std::chrono::ceil<milliseconds>(deadline - now).count();
        pollfd entry{fd, events, 0};
        const int r = poll(&entry, 1, static_cast<int>(std::min<long long>(left, 60'000)));
        if (r < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Wait::Gone;
        }
        if (r == 0) {
            continue;
        }
        if (entry.revents & events) {
            return Wait::Ready;
        }
        if (entry.revents & (POLLHUP | POLLERR | POLLNVAL)) {
            return Wait::Gone;
        }
    }
}

}  // namespace

PortHandle PosixSerialBackend::Open(int port, std::string& reason) {
    const std::string device = ComPortDevice(port);
    if (device.empty()) {
        reason = ExplainOpenFailure(port, device, 0);
        return kInvalidPort;
    }
    return OpenDevice(port, device, reason);
}

// A name without a folder is a device in /dev: "ttyUSB4", "cu.usbserial-A10K".
PortHandle PosixSerialBackend::OpenNamed(const std::string& name, std::string& reason) {
    return OpenDevice(0, name.find('/') == std::string::npos ? "/dev/" + name : name, reason);
}

PortHandle PosixSerialBackend::OpenDevice(int port, const std::string& device,
                                          std::string& reason) {
    int fd;
    do {
        fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int error = errno;
        reason = ExplainOpenFailure(port, device, error);
        return kInvalidPort;
    }
    // TIOCEXCL makes further opens of the terminal fail, but not for root; the advisory lock
    // stops a second copy of this program (and other lock-aware programs) even then.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        reason = ExplainOpenFailure(port, device, error == EWOULDBLOCK ? EBUSY : error);
        return kInvalidPort;
    }
    // Its failure (not a terminal) shows at once as a failure to read the settings.
    ioctl(fd, TIOCEXCL);
    return static_cast<PortHandle>(fd);
}

bool PosixSerialBackend::GetState(PortHandle port) {
    return tcgetattr(Fd(port), &m_current) == 0;
}

bool PosixSerialBackend::SetState(PortHandle port) {
    const termios line = MakeLineTermios(m_current);
    int r;
    do {
        r = tcsetattr(Fd(port), TCSANOW, &line);
    } while (r != 0 && errno == EINTR);
    return r == 0;
}

// The limits are kept here and applied by every read and write.
bool PosixSerialBackend::SetTimeouts(PortHandle port, const CommTimeouts& timeouts) {
    if (fcntl(Fd(port), F_GETFD) < 0) {
        return false;
    }
    m_timeouts = timeouts;
    return true;
}

bool PosixSerialBackend::WriteByte(PortHandle port, BYTE byte, int& written) {
    written = 0;
    const auto deadline = Clock::now() + milliseconds(m_timeouts.writeTotalConstant +
                                                      m_timeouts.writeTotalMultiplier);
    for (;;) {
        if (const Wait wait = WaitFor(Fd(port), POLLOUT, deadline); wait != Wait::Ready) {
            return wait == Wait::TimedOut;  // written stays 0
        }
        const ssize_t n = ::write(Fd(port), &byte, 1);
        if (n == 1) {
            break;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        }
    }
    // In the kernel's buffer is not yet on the line: wait until the queue is empty. At 4800
    // baud a character takes about 2 ms to leave.
    for (;;) {
        const int queued = OutputQueued(Fd(port));
        if (queued < 0 && errno != ENOTTY && errno != EINVAL) {
            return false;  // the device is gone
        }
        if (queued <= 0) {  // empty, or a driver that cannot tell: handed over counts as sent
            written = 1;
            return true;
        }
        const auto now = Clock::now();
        if (now >= deadline) {
            m_heldBack = true;
            return true;  // written stays 0
        }
        std::this_thread::sleep_for(std::min<Clock::duration>(deadline - now, kDrainPoll));
    }
}

bool PosixSerialBackend::Read(PortHandle port, BYTE* buffer, int count, int& received,
                              const TransferObserver& progress) {
    received = 0;
    const auto start = Clock::now();
    const auto total =
        start + milliseconds(m_timeouts.readTotalConstant + m_timeouts.readTotalMultiplier * count);
    auto deadline = total;
    while (received < count) {
        if (const Wait wait = WaitFor(Fd(port), POLLIN, deadline); wait != Wait::Ready) {
            return wait == Wait::TimedOut;  // what came so far is the result
        }
        const ssize_t n =
            ::read(Fd(port), buffer + received, static_cast<std::size_t>(count - received));
        if (n > 0) {
            received += static_cast<int>(n);
            deadline = std::min(total, Clock::now() + milliseconds(m_timeouts.readInterval));
            if (progress) {
                progress(static_cast<int>(n));
            }
        } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
            // Readable yet nothing to read: the line was hung up.
            return false;
        }
    }
    return true;
}

bool PosixSerialBackend::Close(PortHandle port) {
    if (std::exchange(m_heldBack, false)) {
        DiscardOutput(Fd(port));
    }
    ioctl(Fd(port), TIOCNXCL);  // a terminal kept alive by another descriptor stays usable
    // Only EBADF means the descriptor is still as it was. After any other error it is gone,
    // and closing its number again later could close a file opened since.
    return ::close(Fd(port)) == 0 || errno != EBADF;
}

void PosixSerialBackend::Sleep(int ms) {
    // sleep_until resumes after a signal with the time that is left.
    std::this_thread::sleep_until(Clock::now() + milliseconds(ms));
}

int PosixSerialBackend::OutputQueued(int fd) {
    int queued = 0;
    return ioctl(fd, TIOCOUTQ, &queued) == 0 ? queued : -1;
}

void PosixSerialBackend::DiscardOutput(int fd) {
    tcflush(fd, TCOFLUSH);
}

std::unique_ptr<SerialBackend> MakePlatformBackend() {
    return std::make_unique<PosixSerialBackend>();
}

}  // namespace wb
