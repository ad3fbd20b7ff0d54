// SPDX-License-Identifier: GPL-3.0-or-later
// What the simulated beacon does with the bytes of its line, apart from the line itself: the
// command parser, the EEPROM, the answers and their pace, the faults, and what it notices about
// the host. The pseudo-terminal beacon (SimulatedBeacon) and the browser's simulated port drive
// it with the time each byte arrived; it keeps no clock and no lock of its own.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "CommandParser.h"
#include "Fault.h"
#include "Image.h"
#include "PacedLine.h"

namespace wb::sim {

using Clock = std::chrono::steady_clock;

struct LoggedByte {
    Clock::time_point at;
    bool fromHost;
    std::uint8_t value;
};

// Something the beacon noticed about the host's side of the line, e.g. why it ignored a command.
struct Remark {
    Clock::time_point at;
    std::string text;
};

class BeaconCore {
public:
    explicit BeaconCore(std::string banner = "Wrenbeacon 1.0 (simulated)");

    // Strict (the default) like the device: a command that completes while the line is not
    // right is ignored, and a byte of a command that arrives sooner than 9 ms after the one
    // before is lost. Lenient: every byte counts.
    void SetLenient(bool lenient) { m_lenient = lenient; }
    bool Lenient() const { return m_lenient; }

    // A host opened the line (`present`) or let it go.
    void SetHostPresent(bool present, Clock::time_point now);
    bool HostPresent() const { return m_hostPresent; }

    // A byte from the host that arrived at some moment between `earliest` and `latest` (the same
    // moment where the caller knows it exactly). `lineProblem` tells what is wrong with the line,
    // empty when it is 4800 8N1 raw; it is asked only when a command completes. False when the
    // beacon hung up on it (HangupInDownload): the line is then gone for good.
    bool Receive(std::uint8_t byte, Clock::time_point earliest, Clock::time_point latest,
                 const std::function<std::string()>& lineProblem);

    // Drops a command left unfinished too long and starts the noise burst that is due.
    void Tick(Clock::time_point now);
    // The bytes of the answers that the line has finished sending by `now`, logged.
    std::vector<std::uint8_t> TakeDue(Clock::time_point now);
    // When Tick or TakeDue next has something to do, if ever.
    std::optional<Clock::time_point> NextWake() const;

    void SetFault(Fault fault) { m_fault = fault; }
    Fault CurrentFault() const { return m_fault; }
    void SetBanner(std::string banner) { m_banner = std::move(banner); }
    const Image& Eeprom() const { return m_eeprom; }
    void SetEeprom(const Image& image) { m_eeprom = image; }
    char Tone() const { return m_tone; }

    std::vector<LoggedByte>& Log() { return m_log; }
    const std::vector<LoggedByte>& Log() const { return m_log; }
    std::vector<Remark>& Remarks() { return m_remarks; }

    int Downloads() const { return m_downloads; }
    int Uploads() const { return m_uploads; }
    int VersionQueries() const { return m_versionQueries; }
    int ToneCommands() const { return m_toneCommands; }
    bool HungUp() const { return m_hungUp; }
    void ClearHangUp() { m_hungUp = false; }

private:
    bool TooSoon(Clock::time_point earliest, Clock::time_point latest);
    void Handle(const Command& command, Clock::time_point now,
                const std::function<std::string()>& lineProblem);
    std::optional<Clock::time_point> NoiseDue() const;
    void Note(Clock::time_point at, std::string text);

    Fault m_fault = Fault::None;
    bool m_lenient = false;
    std::string m_banner;
    Image m_eeprom;
    char m_tone = 'x';
    std::vector<LoggedByte> m_log;
    std::vector<Remark> m_remarks;
    int m_downloads = 0;
    int m_uploads = 0;
    int m_versionQueries = 0;
    int m_toneCommands = 0;
    bool m_hungUp = false;
    bool m_downloadNotReadBack = false;

    CommandParser m_parser;
    PacedLine m_line;
    bool m_hostPresent = false;
    Clock::time_point m_lastHostByte{};
    Clock::time_point m_quietSince{};   // the host's arrival or the last byte either way
    Clock::time_point m_lastArrival{};  // the earliest arrival that fits the last byte taken
    bool m_noiseSent = false;
};

}  // namespace wb::sim
