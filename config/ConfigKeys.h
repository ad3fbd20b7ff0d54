// SPDX-License-Identifier: GPL-3.0-or-later
// The keys of the configuration text file, one table that the writer, the reader and the
// comparison of two records all walk. The format is this data: a key's name, what kind of
// value it holds and which field of the record it stands for.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "config/TrackerConfig.h"

namespace wb::text {

inline constexpr int kFormat = 1;  // the value of the file's `format` key
inline constexpr const char* kFormatKey = "format";
inline constexpr const char* kCalibrationKey = "calibration";
inline constexpr const char* kProfileTables[kProfileCount] = {"primary", "secondary"};

enum class Kind {
    Text,         // a string of at most `capacity - 1` characters
    Symbol,       // a string of one character; empty for the NUL the form saves from an empty field
    Integer,      // any int
    Flag,         // a boolean
    MicEMessage,  // an entry of the MIC-E message list by its text, else the index as an integer
    MicEPath,     // the same for the MIC-E path list
};

// Where a key's value lives in the record: exactly the member that `kind` names is set.
struct FieldRef {
    char* text = nullptr;
    int capacity = 0;
    char* symbol = nullptr;
    int* integer = nullptr;
    BYTE* flag = nullptr;
};

struct ProfileKey {
    const char* name;
    Kind kind;
    FieldRef (*field)(CTrackerConfig& config, int profile);
};

// Every key of a profile table, in the order the file lists them (the form's order).
std::span<const ProfileKey> ProfileKeys();

// The value of `key` in `profile` as the file writes it, e.g. "250", "true", "\"WIDE3-3\"".
std::string FormatValue(const ProfileKey& key, const CTrackerConfig& config, int profile);

// A TOML basic string holding the record text `text` (its bytes read as Latin-1, as the window
// shows them): quotes, backslashes and control characters escaped.
std::string QuoteText(const char* text, std::size_t length);

// A value that two records hold differently, named as in the file ("primary.keyup_delay_ms").
struct Difference {
    std::string key;
    std::string first;  // as the file would write it
    std::string second;
};

// Every key whose value differs between `a` and `b`, in file order; the calibration first.
std::vector<Difference> CompareConfigs(const CTrackerConfig& a, const CTrackerConfig& b);

}  // namespace wb::text
