// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandParser.h"

namespace wb::sim {

bool IsToneCode(std::uint8_t code) {
    return code == kToneStop || code == '1' || code == '2' || code == '3';
}

void CommandParser::Abandon() {
    m_state = State::Idle;
    m_received = 0;
}

std::optional<Command> CommandParser::Feed(std::uint8_t byte) {
    switch (m_state) {
        case State::Idle:
            if (byte == kEsc) {
                m_state = State::Esc;
            }
            return std::nullopt;
        case State::Esc:
            if (byte == kEsc) {
                m_state = State::EscEsc;
            } else if (byte == kDownloadCode) {
                m_state = State::ImageBytes;
                m_received = 0;
            } else {
                m_state = State::Idle;
                if (byte == kUploadCode) {
                    return Command{Command::Kind::Upload, {}, {}};
                }
            }
            return std::nullopt;
        case State::EscEsc:
            if (byte == kEsc) {
                return std::nullopt;
            }
            m_state = State::Idle;
            if (byte == kVersionCode) {
                return Command{Command::Kind::Version, {}, {}};
            }
            if (IsToneCode(byte)) {
                return Command{Command::Kind::Tone, static_cast<char>(byte), {}};
            }
            return std::nullopt;
        case State::ImageBytes:
            m_image[m_received++] = byte;
            if (m_received < kImageSize) {
                return std::nullopt;
            }
            Abandon();
            return Command{Command::Kind::Download, {}, m_image};
    }
    return std::nullopt;
}

}  // namespace wb::sim
