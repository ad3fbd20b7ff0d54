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

#include "link/DeviceProtocol.h"
#include "link/LineTermios.h"
#include "link/OpenFailure.h"
#include "link/PortMap.h"
#include "link/SerialBackend.h"

namespace wb {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

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

class PosixBackend final : public SerialBackend {
public:
    PortHandle Open(int port, std::string& reason) override {
        const std::string device = ComPortDevice(port);
        if (device.empty()) {
            reason = OpenFailureDetail(port, device, 0, {});
            return kInvalidPort;
        }
        int fd;
        do {
            fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0) {
            const int error = errno;
            reason = OpenFailureDetail(port, device, error,
                                       error == EACCES ? DeviceGroup(device) : std::string());
            return kInvalidPort;
        }
        // TIOCEXCL makes further opens of the terminal fail, but not for root; the advisory lock
        // stops a second copy of this program (and other lock-aware programs) even then.
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            reason = OpenFailureDetail(port, device, error == EWOULDBLOCK ? EBUSY : error, {});
            return kInvalidPort;
        }
        // Its failure (not a terminal) shows at once as a failure to read the settings.
        ioctl(fd, TIOCEXCL);
        return static_cast<PortHandle>(fd);
    }

    bool GetState(PortHandle port) override { return tcgetattr(Fd(port), &m_current) == 0; }

    bool SetState(PortHandle port) override {
        const termios line = MakeLineTermios(m_current);
        int r;
        do {
            r = tcsetattr(Fd(port), TCSANOW, &line);
        } while (r != 0 && errno == EINTR);
        return r == 0;
    }

    // The limits are kept here and applied by every read and write.
    bool SetTimeouts(PortHandle port, const CommTimeouts& timeouts) override {
        if (fcntl(Fd(port), F_GETFD) < 0) {
            return false;
        }
        m_timeouts = timeouts;
        return true;
    }

    bool WriteByte(PortHandle port, BYTE byte, int& written) override {
        written = 0;
        const auto deadline = Clock::now() + milliseconds(m_timeouts.writeTotalConstant +
                                                          m_timeouts.writeTotalMultiplier);
        for (;;) {
            if (const Wait wait = WaitFor(Fd(port), POLLOUT, deadline); wait != Wait::Ready) {
                return wait == Wait::TimedOut;  // written stays 0
            }
            const ssize_t n = ::write(Fd(port), &byte, 1);
            if (n == 1) {
                written = 1;
                return true;
            }
            if (n < 0 && errno != EAGAIN && errno != EINTR) {
                return false;
            }
        }
    }

    bool Read(PortHandle port, BYTE* buffer, int count, int& received,
              const TransferObserver& progress) override {
        received = 0;
        const auto start = Clock::now();
        const auto total = start + milliseconds(m_timeouts.readTotalConstant +
                                                m_timeouts.readTotalMultiplier * count);
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

    bool Close(PortHandle port) override {
        ioctl(Fd(port), TIOCNXCL);  // a terminal kept alive by another descriptor stays usable
        // Only EBADF means the descriptor is still as it was. After any other error it is gone,
        // and closing its number again later could close a file opened since.
        return ::close(Fd(port)) == 0 || errno != EBADF;
    }

    void Sleep(int ms) override {
        // sleep_until resumes after a signal with the time that is left.
        std::this_thread::sleep_until(Clock::now() + milliseconds(ms));
    }

private:
    termios m_current{};
    CommTimeouts m_timeouts = device::kTimeouts;
};

}  // namespace

std::unique_ptr<SerialBackend> MakePlatformBackend() {
    return std::make_unique<PosixBackend>();
}

}  // namespace wb
