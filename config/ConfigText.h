// SPDX-License-Identifier: GPL-3.0-or-later
// The configuration record as readable text (TOML): a `format` key, the shared calibration and a
// table per profile, keys as in ConfigKeys.h. Texts are the record's bytes read as Latin-1, as
// the window shows them, and written in UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "config/TrackerConfig.h"

namespace wb::text {

// The whole file: a comment saying what it is, then every key. Neither m_nProfile (what the
// window shows) nor m_bCalDirty (what the beacon was last told) is part of it.
std::string ConfigToText(const CTrackerConfig& config);

// What is wrong with a text, for the message that names the file.
struct TextError {
    int line = 0;      // 1-based; 0 when the whole file is meant
    std::string key;   // "primary.symbol", or empty
    std::string what;  // follows the key: "must be one character"
};

// Reads a whole file. Every key must be there, known and of its kind; texts must fit the record
// and hold no NUL, symbols be one character, integers fit an int. On success `config` holds the
// file's values (m_nProfile and m_bCalDirty 0) and the result is false; on failure it is left
// as it was, `error` says why, and the result is true.
bool TextToConfig(std::string_view text, CTrackerConfig& config, TextError& error);

// "line 12: primary.symbol must be one character", without the parts that are not known.
std::string Describe(const TextError& error);

}  // namespace wb::text
