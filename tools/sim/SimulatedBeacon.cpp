// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimulatedBeacon.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "LineCheck.h"
#include "PseudoTerminal.h"

namespace wb::sim {
namespace {

using namespace std::chrono_literals;

// While no host holds the port the master reports a hang-up on every poll; look again this often
// instead of spinning.
constexpr auto kHostCheckInterval = 5ms;

// The simulator cannot see when a byte arrived, only that it came after the line was last seen
// empty and before it was read; on a loaded machine it reads several well-paced bytes at once.
// The core gives each byte the earliest arrival that fits those bounds and the pace. Reads are
// taken to be at most 100 ms late.
constexpr auto kMaxLate = 100ms;

}  // namespace

// The beacon's thread: the terminal and the timers around the core.
class SimulatedBeacon::Device {
public:
    explicit Device(SimulatedBeacon& beacon) : m_beacon(beacon) {
        if (pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0) {
            throw std::runtime_error(std::string("Could not create the simulated beacon's pipe: ") +
                                     std::strerror(errno));
        }
    }
    ~Device() {
        close(m_wake[0]);
        close(m_wake[1]);
    }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    const std::string& Path() const { return m_pty.SlavePath(); }

    void Wake() {
        const char byte = 0;
        [[maybe_unused]] ssize_t ignored = write(m_wake[1], &byte, 1);
    }

    void Run();

private:
    Clock::time_point NextWake(Clock::time_point now) const;
    void SendDue(Clock::time_point now);
    void CheckHost(Clock::time_point now, bool hostLeft);
    void ReceiveFromHost();
    std::string LineProblemNow() const;

    SimulatedBeacon& m_beacon;
    PseudoTerminal m_pty{m_beacon.m_core.Lenient()};
    int m_wake[2]{-1, -1};
    Clock::time_point m_emptySince{};  // when a read last found nothing waiting
};

void SimulatedBeacon::Device::Run() {
    while (m_pty.Master() >= 0) {
        const Clock::time_point now = Clock::now();
        {
            std::lock_guard<std::mutex> lock(m_beacon.m_mutex);
            m_beacon.m_core.Tick(now);
        }
        SendDue(now);

        const auto wait = std::max(NextWake(now) - Clock::now(), Clock::duration::zero());
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(wait);
        const timespec timeout{static_cast<time_t>(seconds.count()),
                               static_cast<long>((wait - seconds) / 1ns)};
        bool hostPresent = false;
        {
            std::lock_guard<std::mutex> lock(m_beacon.m_mutex);
            hostPresent = m_beacon.m_core.HostPresent();
        }
        pollfd fds[2] = {{m_wake[0], POLLIN, 0}, {hostPresent ? m_pty.Master() : -1, POLLIN, 0}};
        if (ppoll(fds, 2, &timeout, nullptr) < 0 && errno != EINTR) {
            break;
        }
        if (fds[0].revents != 0) {
            return;  // Stop
        }
        CheckHost(Clock::now(), (fds[1].revents & POLLHUP) != 0);
    }
    // Hung up: nothing more to do but wait for Stop.
    pollfd stop{m_wake[0], POLLIN, 0};
    while (poll(&stop, 1, -1) < 0 && errno == EINTR) {
    }
}

Clock::time_point SimulatedBeacon::Device::NextWake(Clock::time_point now) const {
    std::lock_guard<std::mutex> lock(m_beacon.m_mutex);
    Clock::time_point wake = m_beacon.m_core.HostPresent() ? now + 1h : now + kHostCheckInterval;
    if (const auto due = m_beacon.m_core.NextWake()) {
        wake = std::min(wake, *due);
    }
    return wake;
}

void SimulatedBeacon::Device::SendDue(Clock::time_point now) {
    std::lock_guard<std::mutex> lock(m_beacon.m_mutex);
    const std::vector<std::uint8_t> due = m_beacon.m_core.TakeDue(now);
    if (!due.empty()) {
        [[maybe_unused]] const ssize_t written = write(m_pty.Master(), due.data(), due.size());
    }
}

// `hostLeft`: a hang-up was seen since the last look, even if a host has opened the port again.
void SimulatedBeacon::Device::CheckHost(Clock::time_point now, bool hostLeft) {
    pollfd master{m_pty.Master(), POLLIN, 0};
    if (poll(&master, 1, 0) < 0) {
        return;
    }
    if ((master.revents & POLLIN) != 0) {
        ReceiveFromHost();
        if (m_pty.Master() < 0) {
            return;
        }
    }
    const bool present = (master.revents & (POLLHUP | POLLERR)) == 0;
    std::lock_guard<std::mutex> lock(m_beacon.m_mutex);
    if (hostLeft) {
        m_beacon.m_core.SetHostPresent(false, now);
    }
    m_beacon.m_core.SetHostPresent(present, now);
}

std::string SimulatedBeacon::Device::LineProblemNow() const {
    termios line{};
    return tcgetattr(m_pty.Master(), &line) != 0 ? std::string("its settings cannot be read")
                                                 : LineProblem(line);
}

void SimulatedBeacon::Device::ReceiveFromHost() {
    std::uint8_t buffer[256];
    const auto lineProblem = [this] { return LineProblemNow(); };
    for (;;) {
        const Clock::time_point before = Clock::now();
        const ssize_t count = read(m_pty.Master(), buffer, sizeof buffer);
        if (count <= 0) {
            m_emptySince = before;
            return;
        }
        const Clock::time_point seen = Clock::now();
        const Clock::time_point earliest = std::max(m_emptySince, seen - kMaxLate);
        std::lock_guard<std::mutex> lock(m_beacon.m_mutex);
        for (ssize_t i = 0; i < count; ++i) {
            if (!m_beacon.m_core.Receive(buffer[i], earliest, seen, lineProblem)) {
                // HangupInDownload: closes the master, as a beacon losing power or its cable
                // would. The host's descriptor then fails and the terminal's path disappears;
                // the rest of what was read is lost with the line.
                m_pty.Close();
                return;
            }
        }
    }
}

SimulatedBeacon::SimulatedBeacon(std::string banner) : m_core(std::move(banner)) {}

SimulatedBeacon::~SimulatedBeacon() {
    Stop();
}

void SimulatedBeacon::Start() {
    if (m_thread.joinable()) {
        return;
    }
    m_device = std::make_unique<Device>(*this);
    m_devicePath = m_device->Path();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_core.ClearHangUp();
    }
    m_thread = std::thread([device = m_device.get()] { device->Run(); });
}

void SimulatedBeacon::Stop() {
    if (m_thread.joinable()) {
        m_device->Wake();
        m_thread.join();
    }
    m_device.reset();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_core.SetHostPresent(false, Clock::now());
}

void SimulatedBeacon::SetLenient(bool lenient) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_core.SetLenient(lenient);
}

std::vector<Remark> SimulatedBeacon::TakeRemarks() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::exchange(m_core.Remarks(), {});
}

void SimulatedBeacon::SetFault(Fault fault) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_core.SetFault(fault);
}

void SimulatedBeacon::SetBanner(std::string banner) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_core.SetBanner(std::move(banner));
}

Image SimulatedBeacon::Eeprom() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_core.Eeprom();
}

void SimulatedBeacon::SetEeprom(const Image& image) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_core.SetEeprom(image);
}

char SimulatedBeacon::Tone() const {
    return Locked(&BeaconCore::Tone);
}

std::vector<LoggedByte> SimulatedBeacon::Log() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_core.Log();
}

void SimulatedBeacon::ClearLog() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_core.Log().clear();
}

std::vector<LoggedByte> SimulatedBeacon::TakeLog() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::exchange(m_core.Log(), {});
}

int SimulatedBeacon::Downloads() const {
    return Locked(&BeaconCore::Downloads);
}

int SimulatedBeacon::Uploads() const {
    return Locked(&BeaconCore::Uploads);
}

int SimulatedBeacon::VersionQueries() const {
    return Locked(&BeaconCore::VersionQueries);
}

int SimulatedBeacon::ToneCommands() const {
    return Locked(&BeaconCore::ToneCommands);
}

bool SimulatedBeacon::HungUp() const {
    return Locked(&BeaconCore::HungUp);
}

}  // namespace wb::sim
