// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/ValueChanges.h"

#include <optional>

#include "config/DeviceUnits.h"

namespace wb {
namespace {

using C = CTrackerConfig;

// How a field goes into the image, and so what comes back out of it.
enum class Storage {
    Byte,         // the low 8 bits
    Word,         // the low 16 bits
    ListIndex,    // the low 8 bits; -1, no entry selected, reads back as no entry too
    TxDelay,      // TXD units, 0 to 255
    QuietTime,    // quiet units, 0 to 255
    SlotOffset,   // the 16-bit slot word: interval - offset + 1
    Symbol,       // one character; outside ' ' to '~' it reads back as '-'
    SymbolTable,  // the same, read back as '/'
};

struct Field {
    const char* label;  // as the form shows it, without the colon
    Storage storage;
    int (*value)(const C& c, int i);
    bool (*stored)(const C& c, int i);  // nullptr: always stored
};

bool Smart(const C& c, int i) {
    return c.m_bSmartBeacon[i] != 0;
}
bool Slotted(const C& c, int i) {
    return c.m_bTimeSlot[i] != 0;
}

// The form's order; the calibration, shared by both profiles, is apart.
constexpr Field kFields[] = {
    {"Symbol", Storage::Symbol, [](const C& c, int i) { return int{c.m_cSymbol[i]}; }, nullptr},
    {"Table / Overlay", Storage::SymbolTable,
     [](const C& c, int i) { return int{c.m_cSymbolTable[i]}; }, nullptr},
    {"Keyup Delay (TXD)", Storage::TxDelay, [](const C& c, int i) { return c.m_nTxDelay[i]; },
     nullptr},
    {"Transmit Every", Storage::Word, [](const C& c, int i) { return c.m_nTxInterval[i]; },
     nullptr},
    {"Quiet Time", Storage::QuietTime, [](const C& c, int i) { return c.m_nQuietTime[i]; },
     nullptr},
    {"Send every", Storage::Byte, [](const C& c, int i) { return c.m_nStatusEvery[i]; }, nullptr},
    {"MIC-E Message", Storage::ListIndex, [](const C& c, int i) { return c.m_nMicEMessage[i]; },
     nullptr},
    {"MIC-E Path", Storage::ListIndex, [](const C& c, int i) { return c.m_nMicEPath[i]; }, nullptr},
    {"Transmit offset", Storage::SlotOffset, [](const C& c, int i) { return c.m_nSlotOffset[i]; },
     Slotted},
    {"Min Turn Angle", Storage::Byte, [](const C& c, int i) { return c.m_nMinTurnAngle[i]; },
     Smart},
    {"Turn Slope", Storage::Word, [](const C& c, int i) { return c.m_nTurnSlope[i]; }, Smart},
    {"Min Turn Time", Storage::Byte, [](const C& c, int i) { return c.m_nMinTurnTime[i]; }, Smart},
    {"Slow Speed", Storage::Byte, [](const C& c, int i) { return c.m_nSlowSpeed[i]; }, Smart},
    {"Slow Rate", Storage::Word, [](const C& c, int i) { return c.m_nSlowRate[i]; }, Smart},
    {"Fast Speed", Storage::Byte, [](const C& c, int i) { return c.m_nFastSpeed[i]; }, Smart},
    {"Fast Rate", Storage::Word, [](const C& c, int i) { return c.m_nFastRate[i]; }, Smart},
};

// A symbol character the decoder keeps; a NUL is the empty field, whose default is documented.
bool KeptSymbol(int value) {
    const auto b = static_cast<unsigned char>(value);
    return b == 0 || (b >= 0x20 && b < 0x80);
}

// What the beacon holds for `value`, as the form shows it after a write; nothing when that is
// `value` itself, give or take the rounding of the time units.
std::optional<std::string> Held(Storage storage, int value, const C& c, int i) {
    const auto number = [value](int held) {
        return held == value ? std::nullopt : std::optional<std::string>(std::to_string(held));
    };
    switch (storage) {
        case Storage::Byte:
            return number(value & 0xFF);
        case Storage::Word:
            return number(value & 0xFFFF);
        case Storage::ListIndex:
            return value == -1 ? std::nullopt : number(value & 0xFF);
        case Storage::TxDelay: {
            const int most = UnitsToTxDelay(255);
            return value >= 0 && value <= most ? std::nullopt
                                               : number(UnitsToTxDelay(TxDelayToUnits(value)));
        }
        case Storage::QuietTime: {
            const int most = UnitsToQuietTime(255);
            return value >= 0 && value <= most ? std::nullopt
                                               : number(UnitsToQuietTime(QuietTimeToUnits(value)));
        }
        case Storage::SlotOffset: {
            // Unsigned, as the encoder computes the word; the decoder takes it off the interval.
            const unsigned interval = static_cast<unsigned>(c.m_nTxInterval[i]);
            const int word =
                static_cast<int>((interval - static_cast<unsigned>(value) + 1u) & 0xFFFFu);
            return number(static_cast<int>(interval & 0xFFFFu) - word + 1);
        }
        case Storage::Symbol:
            return KeptSymbol(value) ? std::nullopt : std::optional<std::string>("-");
        case Storage::SymbolTable:
            return KeptSymbol(value) ? std::nullopt : std::optional<std::string>("/");
    }
    return std::nullopt;
}

}  // namespace

std::vector<ValueChange> ValueChanges(const CTrackerConfig& record) {
    std::vector<ValueChange> out;
    if (auto held = Held(Storage::Byte, record.m_nCalibration, record, 0)) {
        out.push_back({-1, "Calibration", std::to_string(record.m_nCalibration), *held});
    }
    for (int i = 0; i < kProfileCount; ++i) {
        for (const Field& f : kFields) {
            if (f.stored != nullptr && !f.stored(record, i)) {
                continue;
            }
            const int value = f.value(record, i);
            if (auto held = Held(f.storage, value, record, i)) {
                const bool symbol =
                    f.storage == Storage::Symbol || f.storage == Storage::SymbolTable;
                out.push_back({i, f.label, symbol ? std::string() : std::to_string(value), *held});
            }
        }
    }
    return out;
}

std::string DescribeChange(const ValueChange& change) {
    std::string line = change.profile < 0 ? "" : std::string(kProfileNames[change.profile]) + " ";
    // What the beacon holds comes before what was typed: the line under the form has room for
    // two short lines, and a long label must not push the outcome out of it.
    line += change.field + ": stored as " + change.held;
    if (!change.typed.empty()) {
        line += ", not " + change.typed;
    }
    return line;
}

}  // namespace wb
