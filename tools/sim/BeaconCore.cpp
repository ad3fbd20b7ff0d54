// SPDX-License-Identifier: GPL-3.0-or-later
#include "BeaconCore.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace wb::sim {
namespace {

using namespace std::chrono_literals;

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

// The device takes one byte of a command every 9 ms at most.
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

BeaconCore::BeaconCore(std::string banner)
    : m_banner(std::move(banner)), m_eeprom(DefaultImage()) {}

void BeaconCore::SetHostPresent(bool present, Clock::time_point now) {
    if (present && !m_hostPresent) {
        m_quietSince = now;
        m_noiseSent = false;
    }
    m_hostPresent = present;
}

bool BeaconCore::Receive(std::uint8_t byte, Clock::time_point earliest, Clock::time_point latest,
                         const std::function<std::string()>& lineProblem) {
    m_log.push_back({latest, true, byte});
    m_lastHostByte = latest;
    m_quietSince = latest;
    m_noiseSent = false;
    if (TooSoon(earliest, latest)) {
        char text[64];
        std::snprintf(text, sizeof text, "lost byte %02X: it came too soon after the last", byte);
        Note(latest, text);
        return true;
    }
    if (const auto command = m_parser.Feed(byte)) {
        Handle(*command, latest, lineProblem);
    }
    if (m_parser.ImageBytesReceived() >= kHangupAfterImageBytes &&
        m_fault == Fault::HangupInDownload) {
        m_hungUp = true;
        m_parser.Abandon();
        return false;
    }
    return true;
}

// Each byte is given the earliest arrival that fits what the caller knows and the pace, and is
// lost only when none fits.
bool BeaconCore::TooSoon(Clock::time_point earliest, Clock::time_point latest) {
    if (m_lenient) {
        return false;
    }
    Clock::time_point arrival = earliest;
    if (m_parser.MidCommand()) {
        arrival = std::max(arrival, m_lastArrival + kBytePace);
    }
    if (arrival > latest) {
        return true;
    }
    m_lastArrival = arrival;
    return false;
}

void BeaconCore::Tick(Clock::time_point now) {
    if (m_parser.MidCommand() && now - m_lastHostByte >= kAbandonAfter) {
        m_parser.Abandon();
    }
    if (const auto noise = NoiseDue(); noise && *noise <= now) {
        m_line.Send(Bytes(kNoise), now);
        m_noiseSent = true;
    }
}

std::vector<std::uint8_t> BeaconCore::TakeDue(Clock::time_point now) {
    std::vector<std::uint8_t> due = m_line.TakeDue(now);
    if (!m_hostPresent) {
        return {};  // with the port closed at the other end the bytes fall on the floor
    }
    if (!due.empty()) {
        m_quietSince = now;
    }
    for (const std::uint8_t value : due) {
        m_log.push_back({now, false, value});
    }
    return due;
}

std::optional<Clock::time_point> BeaconCore::NoiseDue() const {
    if (!m_hostPresent || m_noiseSent || m_parser.MidCommand() || !m_line.Idle() ||
        m_fault != Fault::NoiseBeforeCommand) {
        return std::nullopt;
    }
    return m_quietSince + kQuietBeforeNoise;
}

std::optional<Clock::time_point> BeaconCore::NextWake() const {
    std::optional<Clock::time_point> wake = m_line.NextDue();
    const auto earlier = [&wake](Clock::time_point at) { wake = wake ? std::min(*wake, at) : at; };
    if (m_parser.MidCommand()) {
        earlier(m_lastHostByte + kAbandonAfter);
    }
    if (const auto noise = NoiseDue()) {
        earlier(*noise);
    }
    return wake;
}

void BeaconCore::Note(Clock::time_point at, std::string text) {
    m_remarks.push_back({at, std::move(text)});
}

void BeaconCore::Handle(const Command& command, Clock::time_point now,
                        const std::function<std::string()>& lineProblem) {
    if (!m_lenient) {
        const std::string problem = lineProblem();
        if (!problem.empty()) {
            Note(now, std::string("ignored the ") + CommandName(command.kind) + ": the line is " +
                          problem);
            return;
        }
    }
    std::vector<std::uint8_t> answer;
    switch (command.kind) {
        case Command::Kind::Version:
            ++m_versionQueries;
            answer = m_fault == Fault::WrongBanner   ? Bytes(kWrongBanner)
                     : m_fault == Fault::ShortBanner ? Bytes(kShortBanner)
                                                     : Bytes(m_banner);
            break;
        case Command::Kind::Download:
            ++m_downloads;
            m_eeprom = command.image;
            m_downloadNotReadBack = true;
            break;
        case Command::Kind::Upload:
            ++m_uploads;
            answer.assign(m_eeprom.begin(), m_eeprom.end());
            if (m_fault == Fault::ShortUpload) {
                answer.pop_back();
            } else if (m_fault == Fault::UnstableUpload) {
                answer[kUnstableByte] =
                    static_cast<std::uint8_t>(answer[kUnstableByte] + m_uploads);
            } else if (m_fault == Fault::CorruptReadback && m_downloadNotReadBack) {
                answer[kCorruptByte] ^= kCorruptMask;
            }
            m_downloadNotReadBack = false;
            break;
        case Command::Kind::Tone:
            ++m_toneCommands;
            m_tone = command.tone;
            break;
    }
    if (m_fault != Fault::Silent) {
        m_line.Send(answer, now);
    }
}

}  // namespace wb::sim
