// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimulatedBeacon.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <utility>

#include "CommandParser.h"
#include "HandOverProbe.h"
#include "LineCheck.h"
#include "PacedLine.h"
#include "PseudoTerminal.h"

namespace wb::sim {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// While no host holds the port the master reports a hang-up on every poll; look again this often
// instead of spinning.
constexpr auto kHostCheckInterval = 5ms;
// A command left unfinished this long is dropped; a half-received image is not stored.
constexpr auto kAbandonAfter = 1s;
// NoiseBeforeCommand: quiet time on the line before the burst, and the burst (a NMEA fragment).
constexpr auto kQuietBeforeNoise = 100ms;
constexpr char kNoise[] = "\r\n$GP";

constexpr char kWrongBanner[] = " Wrenbeacon 1.0 (simulated)";  // banner word not at the start
constexpr char kShortBanner[] = "Wrenbea";
constexpr std::size_t kHangupAfterImageBytes = kImageSize / 2;
constexpr std::size_t kUnstableByte = kImageSize - 1;  // in the zero fill behind the texts
constexpr std::size_t kCorruptByte = 64;
constexpr std::uint8_t kCorruptMask = 0x01;

// The device takes one byte of a command every 9 ms at most. The simulator cannot see when a
// byte arrived, only that it came before it was read and after a moment the probe vouches for
// (HandOverProbe): on a loaded machine the kernel hands well-paced bytes on late and several
// at once. So each byte is given the earliest arrival that fits those bounds and the pace, and
// is lost only when none fits.
constexpr auto kBytePace = 9ms;

const char* CommandName(Command::Kind kind) {
    switch (kind) {
        case Command::Kind::Version:
            return "version query";
        case Command::Kind::Download:
            return "download";
        case Command::Kind::Upload:
            return "upload";
        case Command::Kind::Tone:
            return "tone command";
    }
    return "command";
}

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

}  // namespace

// The beacon's thread: the terminal, the command parser, the transmit line and the timers.
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
    std::optional<Clock::time_point> NoiseDue() const;
    Clock::time_point NextWake(Clock::time_point now) const;
    void SendDue(Clock::time_point now);
    void CheckHost(Clock::time_point now, bool hostLeft);
    void ReceiveFromHost();
    void Handle(const Command& command, Clock::time_point now);
    bool HangUpIfFaulty();
    void LineEmpty();
    bool TooSoon(Clock::time_point earliest, Clock::time_point seen);
    void Note(Clock::time_point at, std::string text);

    SimulatedBeacon& m_beacon;
    PseudoTerminal m_pty{m_beacon.m_lenient};
    int m_wake[2]{-1, -1};
    CommandParser m_parser;
    PacedLine m_line;
    bool m_hostPresent = false;
    Clock::time_point m_lastHostByte{};
    Clock::time_point m_quietSince{};  // the host's arrival or the last byte either way
    bool m_noiseSent = false;
    HandOverProbe m_probe;
    Clock::time_point m_probeSent{};  // when the last probe that came out was sent
    // No byte not read yet can have come before this: the terminal's making, the last time no
    // host held it, or the probe that came out before the line was last found empty.
    Clock::time_point m_earliest = Clock::now();
    Clock::time_point m_lastArrival{};  // the earliest arrival that fits the last byte taken
    Clock::time_point m_lastSeen{};     // when the last byte taken was read
};

void SimulatedBeacon::Device::Run() {
    while (m_pty.Master() >= 0) {
        const Clock::time_point now = Clock::now();
        if (m_parser.MidCommand() && now - m_lastHostByte >= kAbandonAfter) {
            m_parser.Abandon();
        }
        if (const auto noise = NoiseDue(); noise && *noise <= now) {
            m_line.Send(Bytes(kNoise), now);
            m_noiseSent = true;
        }
        SendDue(now);
        if (m_hostPresent && !m_beacon.m_lenient) {
            m_probe.SendIfDue(now);
        }

        const auto wait = std::max(NextWake(now) - Clock::now(), Clock::duration::zero());
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(wait);
        const timespec timeout{static_cast<time_t>(seconds.count()),
                               static_cast<long>((wait - seconds) / 1ns)};
        pollfd fds[3] = {{m_wake[0], POLLIN, 0},
                         {m_hostPresent ? m_pty.Master() : -1, POLLIN, 0},
                         {m_probe.Fd(), POLLIN, 0}};
        if (ppoll(fds, 3, &timeout, nullptr) < 0 && errno != EINTR) {
            break;
        }
        ++m_beacon.m_wakeups;
        if (fds[0].revents != 0) {
            return;  // Stop
        }
        // The probes first: the host's line is looked at after them.
        if (const auto sent = m_probe.Collect()) {
            m_probeSent = *sent;
        }
        CheckHost(Clock::now(), (fds[1].revents & POLLHUP) != 0);
    }
    // Hung up: nothing more to do but wait for Stop.
    pollfd stop{m_wake[0], POLLIN, 0};
    while (poll(&stop, 1, -1) < 0 && errno == EINTR) {
    }
}

std::optional<Clock::time_point> SimulatedBeacon::Device::NoiseDue() const {
    if (!m_hostPresent || m_noiseSent || m_parser.MidCommand() || !m_line.Idle()) {
        return std::nullopt;
    }
    std::lock_guard<std::mutex> lock(m_beacon.m_mutex);
    if (m_beacon.m_fault != Fault::NoiseBeforeCommand) {
        return std::nullopt;
    }
    return m_quietSince + kQuietBeforeNoise;
}

Clock::time_point SimulatedBeacon::Device::NextWake(Clock::time_point now) const {
    Clock::time_point wake = m_hostPresent ? now + 1h : now + kHostCheckInterval;
    if (const auto probe = m_probe.NextDue(); probe && m_hostPresent && !m_beacon.m_lenient) {
        wake = std::min(wake, *probe);
    }
    if (const auto due = m_line.NextDue()) {
        wake = std::min(wake, *due);
    }
    if (m_parser.MidCommand()) {
        wake = std::min(wake, m_lastHostByte + kAbandonAfter);
    }
    if (const auto noise = NoiseDue()) {
        wake = std::min(wake, *noise);
    }
    return wake;
}

void SimulatedBeacon::Device::SendDue(Clock::time_point now) {
    const std::vector<std::uint8_t> due = m_line.TakeDue(now);
    if (due.empty() || !m_hostPresent) {
        return;  // with the port closed at the other end the bytes fall on the floor
    }
    const Clock::time_point at = Clock::now();
    const ssize_t written = write(m_pty.Master(), due.data(), due.size());
    m_quietSince = at;
    std::lock_guard<std::mutex> lock(m_beacon.m_mutex);
    for (ssize_t i = 0; i < written; ++i) {
        m_beacon.m_log.push_back({at, false, due[static_cast<std::size_t>(i)]});
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
    } else {
        LineEmpty();
    }
    const bool present = (master.revents & (POLLHUP | POLLERR)) == 0;
    if (!present) {
        m_earliest = std::max(m_earliest, now);
    }
    if (present && (!m_hostPresent || hostLeft)) {
        m_quietSince = now;
        m_noiseSent = false;
    }
    m_hostPresent = present;
}

void SimulatedBeacon::Device::ReceiveFromHost() {
    std::uint8_t buffer[256];
    for (;;) {
        const ssize_t count = read(m_pty.Master(), buffer, sizeof buffer);
        if (count <= 0) {
            LineEmpty();
            return;
        }
        const Clock::time_point seen = Clock::now();
        const Clock::time_point earliest = m_earliest;
        for (ssize_t i = 0; i < count; ++i) {
            const Clock::time_point now = Clock::now();
            {
                std::lock_guard<std::mutex> lock(m_beacon.m_mutex);
                m_beacon.m_log.push_back({now, true, buffer[i]});
            }
            m_lastHostByte = now;
            m_quietSince = now;
            m_noiseSent = false;
            const bool continues = m_parser.MidCommand();
            if (TooSoon(earliest, seen)) {
                char text[64];
                std::snprintf(text, sizeof text, "lost byte %02X: it came too soon after the last",
                              buffer[i]);
                Note(now, text);
                continue;
            }
            if (continues && !m_beacon.m_lenient && seen - m_lastSeen < kBytePace) {
                char text[128];
                std::snprintf(text, sizeof text,
                              "took byte %02X on trust: read %.1f ms after the last, it may still "
                              "have come in time, as the terminal handed bytes on late",
                              buffer[i],
                              std::chrono::duration<double, std::milli>(seen - m_lastSeen).count());
                Note(now, text);
            }
            m_lastSeen = seen;
            if (const auto command = m_parser.Feed(buffer[i])) {
                Handle(*command, now);
            }
            if (m_parser.ImageBytesReceived() >= kHangupAfterImageBytes && HangUpIfFaulty()) {
                return;  // the rest of what was read is lost with the line
            }
        }
    }
}

// HangupInDownload: closes the master, as a beacon losing power or its cable would. The host's
// descriptor then fails and the terminal's path disappears.
bool SimulatedBeacon::Device::HangUpIfFaulty() {
    std::lock_guard<std::mutex> lock(m_beacon.m_mutex);
    if (m_beacon.m_fault != Fault::HangupInDownload) {
        return false;
    }
    m_beacon.m_hungUp = true;
    m_pty.Close();
    m_parser.Abandon();
    return true;
}

// Whatever the host sends from now on is handed on after the probes that have come out, so it
// was written after they were sent.
void SimulatedBeacon::Device::LineEmpty() {
    m_earliest = std::max(m_earliest, m_probeSent);
}

bool SimulatedBeacon::Device::TooSoon(Clock::time_point earliest, Clock::time_point seen) {
    if (m_beacon.m_lenient) {
        return false;
    }
    Clock::time_point arrival = earliest;
    if (m_parser.MidCommand()) {
        arrival = std::max(arrival, m_lastArrival + kBytePace);
    }
    if (arrival > seen) {
        return true;
    }
    m_lastArrival = arrival;
    return false;
}

void SimulatedBeacon::Device::Note(Clock::time_point at, std::string text) {
    std::lock_guard<std::mutex> lock(m_beacon.m_mutex);
    m_beacon.m_remarks.push_back({at, std::move(text)});
}

void SimulatedBeacon::Device::Handle(const Command& command, Clock::time_point now) {
    if (!m_beacon.m_lenient) {
        termios line{};
        const std::string problem = tcgetattr(m_pty.Master(), &line) != 0
                                        ? std::string("its settings cannot be read")
                                        : LineProblem(line);
        if (!problem.empty()) {
            Note(now, std::string("ignored the ") + CommandName(command.kind) + ": the line is " +
                          problem);
            return;
        }
    }
    std::vector<std::uint8_t> answer;
    std::lock_guard<std::mutex> lock(m_beacon.m_mutex);
    const Fault fault = m_beacon.m_fault;
    switch (command.kind) {
        case Command::Kind::Version:
            ++m_beacon.m_versionQueries;
            answer = fault == Fault::WrongBanner   ? Bytes(kWrongBanner)
                     : fault == Fault::ShortBanner ? Bytes(kShortBanner)
                                                   : Bytes(m_beacon.m_banner);
            break;
        case Command::Kind::Download:
            ++m_beacon.m_downloads;
            m_beacon.m_eeprom = command.image;
            m_beacon.m_downloadNotReadBack = true;
            break;
        case Command::Kind::Upload:
            ++m_beacon.m_uploads;
            answer.assign(m_beacon.m_eeprom.begin(), m_beacon.m_eeprom.end());
            if (fault == Fault::ShortUpload) {
                answer.pop_back();
            } else if (fault == Fault::UnstableUpload) {
                answer[kUnstableByte] =
                    static_cast<std::uint8_t>(answer[kUnstableByte] + m_beacon.m_uploads);
            } else if (fault == Fault::CorruptReadback && m_beacon.m_downloadNotReadBack) {
                answer[kCorruptByte] ^= kCorruptMask;
            }
            m_beacon.m_downloadNotReadBack = false;
            break;
        case Command::Kind::Tone:
            ++m_beacon.m_toneCommands;
            m_beacon.m_tone = command.tone;
            break;
    }
    if (fault != Fault::Silent) {
        m_line.Send(answer, now);
    }
}

SimulatedBeacon::SimulatedBeacon(std::string banner)
    : m_banner(std::move(banner)), m_eeprom(DefaultImage()) {}

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
        m_hungUp = false;
    }
    m_thread = std::thread([device = m_device.get()] { device->Run(); });
}

void SimulatedBeacon::Stop() {
    if (m_thread.joinable()) {
        m_device->Wake();
        m_thread.join();
    }
    m_device.reset();
}

void SimulatedBeacon::SetLenient(bool lenient) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lenient = lenient;
}

std::vector<Remark> SimulatedBeacon::TakeRemarks() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::exchange(m_remarks, {});
}

void SimulatedBeacon::SetFault(Fault fault) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_fault = fault;
}

void SimulatedBeacon::SetBanner(std::string banner) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_banner = std::move(banner);
}

Image SimulatedBeacon::Eeprom() const {
    return Locked(m_eeprom);
}

void SimulatedBeacon::SetEeprom(const Image& image) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_eeprom = image;
}

char SimulatedBeacon::Tone() const {
    return Locked(m_tone);
}

std::vector<LoggedByte> SimulatedBeacon::Log() const {
    return Locked(m_log);
}

void SimulatedBeacon::ClearLog() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_log.clear();
}

std::vector<LoggedByte> SimulatedBeacon::TakeLog() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::exchange(m_log, {});
}

int SimulatedBeacon::Downloads() const {
    return Locked(m_downloads);
}

int SimulatedBeacon::Uploads() const {
    return Locked(m_uploads);
}

int SimulatedBeacon::VersionQueries() const {
    return Locked(m_versionQueries);
}

int SimulatedBeacon::ToneCommands() const {
    return Locked(m_toneCommands);
}

bool SimulatedBeacon::HungUp() const {
    return Locked(m_hungUp);
}

}  // namespace wb::sim
