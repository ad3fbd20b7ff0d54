// SPDX-License-Identifier: GPL-3.0-or-later
// The beacon's side of the command protocol: turns the host's bytes into commands.
//
//   ESC ESC 'V'          version query, answered with the banner
//   ESC 'D' + 128 bytes  download: the bytes become the EEPROM image
//   ESC 'U'              upload: answered with the 128 bytes of the EEPROM
//   ESC ESC code         tone: 'x' stop, '1' 1200 Hz, '2' 2200 Hz, '3' both
//
// Anything else is ignored. Further ESCs after the first two keep the parser waiting for a code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "Image.h"

namespace wb::sim {

inline constexpr std::uint8_t kEsc = 0x1B;
inline constexpr std::uint8_t kVersionCode = 'V';
inline constexpr std::uint8_t kDownloadCode = 'D';
inline constexpr std::uint8_t kUploadCode = 'U';
inline constexpr char kToneStop = 'x';

struct Command {
    enum class Kind { Version, Download, Upload, Tone };
    Kind kind{};
    char tone{};    // Tone only
    Image image{};  // Download only
};

class CommandParser {
public:
    // Takes the next byte from the host; returns the command it completes, if any.
    std::optional<Command> Feed(std::uint8_t byte);

    // True between a command's first byte and its last.
    bool MidCommand() const { return m_state != State::Idle; }

    // Image bytes of an unfinished download received so far.
    std::size_t ImageBytesReceived() const { return m_state == State::ImageBytes ? m_received : 0; }

    // Drops an unfinished command; the next byte starts afresh.
    void Abandon();

private:
    enum class State { Idle, Esc, EscEsc, ImageBytes };

    State m_state = State::Idle;
    Image m_image{};
    std::size_t m_received = 0;
};

// True for the codes that may follow ESC ESC to set the tone.
bool IsToneCode(std::uint8_t code);

}  // namespace wb::sim
