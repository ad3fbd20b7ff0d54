// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/ConfigKeys.h"

#include <cstdio>
#include <cstring>

#include "config/MicELists.h"

namespace wb::text {
namespace {

using C = CTrackerConfig;

FieldRef Text(char* text, int capacity) {
    return {.text = text, .capacity = capacity};
}
FieldRef Symbol(char* symbol) {
    return {.symbol = symbol};
}
FieldRef Integer(int* integer) {
    return {.integer = integer};
}
FieldRef Flag(BYTE* flag) {
    return {.flag = flag};
}

// Named after the form's labels, with the unit where the form shows one.
constexpr ProfileKey kProfileKeys[] = {
    {"callsign", Kind::Text, [](C& c, int i) { return Text(c.m_szCallsign[i], kCallsignSize); }},
    {"digi_path", Kind::Text, [](C& c, int i) { return Text(c.m_szPath[i], kPathSize); }},
    {"symbol", Kind::Symbol, [](C& c, int i) { return Symbol(&c.m_cSymbol[i]); }},
    {"table_overlay", Kind::Symbol, [](C& c, int i) { return Symbol(&c.m_cSymbolTable[i]); }},
    {"keyup_delay_ms", Kind::Integer, [](C& c, int i) { return Integer(&c.m_nTxDelay[i]); }},
    {"transmit_every_seconds", Kind::Integer,
     [](C& c, int i) { return Integer(&c.m_nTxInterval[i]); }},
    {"quiet_time_ms", Kind::Integer, [](C& c, int i) { return Integer(&c.m_nQuietTime[i]); }},
    {"status_text", Kind::Text, [](C& c, int i) { return Text(c.m_szStatus[i], kStatusSize); }},
    {"status_every_transmissions", Kind::Integer,
     [](C& c, int i) { return Integer(&c.m_nStatusEvery[i]); }},
    {"transmit_altitude", Kind::Flag, [](C& c, int i) { return Flag(&c.m_bAltitude[i]); }},
    {"only_send_valid_position", Kind::Flag, [](C& c, int i) { return Flag(&c.m_bValidOnly[i]); }},
    {"mic_e_enable", Kind::Flag, [](C& c, int i) { return Flag(&c.m_bMicE[i]); }},
    {"mic_e_message", Kind::MicEMessage, [](C& c, int i) { return Integer(&c.m_nMicEMessage[i]); }},
    {"mic_e_force_printable", Kind::Flag,
     [](C& c, int i) { return Flag(&c.m_bForcePrintable[i]); }},
    {"mic_e_path", Kind::MicEPath, [](C& c, int i) { return Integer(&c.m_nMicEPath[i]); }},
    {"time_slotting_enable", Kind::Flag, [](C& c, int i) { return Flag(&c.m_bTimeSlot[i]); }},
    {"transmit_offset_seconds", Kind::Integer,
     [](C& c, int i) { return Integer(&c.m_nSlotOffset[i]); }},
    {"slot_minute", Kind::Flag, [](C& c, int i) { return Flag(&c.m_bSlotMinute[i]); }},
    {"slot_ten_minute", Kind::Flag, [](C& c, int i) { return Flag(&c.m_bSlotTenMinute[i]); }},
    {"smartbeaconing_enable", Kind::Flag, [](C& c, int i) { return Flag(&c.m_bSmartBeacon[i]); }},
    {"min_turn_angle_degrees", Kind::Integer,
     [](C& c, int i) { return Integer(&c.m_nMinTurnAngle[i]); }},
    {"turn_slope", Kind::Integer, [](C& c, int i) { return Integer(&c.m_nTurnSlope[i]); }},
    {"min_turn_time_seconds", Kind::Integer,
     [](C& c, int i) { return Integer(&c.m_nMinTurnTime[i]); }},
    {"slow_speed_mph", Kind::Integer, [](C& c, int i) { return Integer(&c.m_nSlowSpeed[i]); }},
    {"slow_rate_seconds", Kind::Integer, [](C& c, int i) { return Integer(&c.m_nSlowRate[i]); }},
    {"fast_speed_mph", Kind::Integer, [](C& c, int i) { return Integer(&c.m_nFastSpeed[i]); }},
    {"fast_rate_seconds", Kind::Integer, [](C& c, int i) { return Integer(&c.m_nFastRate[i]); }},
};

std::string ListEntry(std::span<const char* const> list, int index) {
    if (index >= 0 && index < static_cast<int>(list.size())) {
        return QuoteText(list[static_cast<std::size_t>(index)],
                         std::strlen(list[static_cast<std::size_t>(index)]));
    }
    return std::to_string(index);  // no entry: the form shows none selected
}

}  // namespace

std::span<const ProfileKey> ProfileKeys() {
    return kProfileKeys;
}

std::string QuoteText(const char* text, std::size_t length) {
    std::string out = "\"";
    for (std::size_t k = 0; k < length; ++k) {
        const auto b = static_cast<unsigned char>(text[k]);
        switch (b) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                if (b < 0x20 || b == 0x7F) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04X", b);
                    out += escape;
                } else if (b >= 0x80) {  // Latin-1 to UTF-8
                    out += static_cast<char>(0xC0 | (b >> 6));
                    out += static_cast<char>(0x80 | (b & 0x3F));
                } else {
                    out += static_cast<char>(b);
                }
        }
    }
    return out + "\"";
}

std::string FormatValue(const ProfileKey& key, const CTrackerConfig& config, int profile) {
    const FieldRef f = key.field(const_cast<CTrackerConfig&>(config), profile);
    switch (key.kind) {
        case Kind::Text: {
            const auto capacity = static_cast<std::size_t>(f.capacity);
            const void* end = std::memchr(f.text, 0, capacity);
            return QuoteText(f.text,
                             end != nullptr ? static_cast<const char*>(end) - f.text : capacity);
        }
        case Kind::Symbol:
            return QuoteText(f.symbol, *f.symbol == '\0' ? 0 : 1);
        case Kind::Integer:
            return std::to_string(*f.integer);
        case Kind::Flag:
            return *f.flag != 0 ? "true" : "false";
        case Kind::MicEMessage:
            return ListEntry(kMicEMessages, *f.integer);
        case Kind::MicEPath:
            return ListEntry(kMicEPaths, *f.integer);
    }
    return {};
}

std::vector<Difference> CompareConfigs(const CTrackerConfig& a, const CTrackerConfig& b) {
    std::vector<Difference> out;
    if (a.m_nCalibration != b.m_nCalibration) {
        out.push_back(
            {kCalibrationKey, std::to_string(a.m_nCalibration), std::to_string(b.m_nCalibration)});
    }
    for (int i = 0; i < kProfileCount; ++i) {
        for (const ProfileKey& key : kProfileKeys) {
            std::string first = FormatValue(key, a, i);
            std::string second = FormatValue(key, b, i);
            if (first != second) {
                out.push_back({std::string(kProfileTables[i]) + "." + key.name, std::move(first),
                               std::move(second)});
            }
        }
    }
    return out;
}

}  // namespace wb::text
