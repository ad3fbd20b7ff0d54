// SPDX-License-Identifier: GPL-3.0-or-later
// The values of a record that the beacon's image cannot hold as they stand: numbers beyond the
// one or two bytes they are stored in, times beyond what their units reach, a slot offset whose
// slot word wraps, symbol characters that read back as the default. The encoder stores them as it
// always has; this list lets the window and the tool say so before anything is written.
#pragma once

#include <string>
#include <vector>

#include "config/TrackerConfig.h"

namespace wb {

struct ValueChange {
    int profile;        // 0 Primary, 1 Secondary; -1 for the calibration both share
    std::string field;  // the field's label as the form shows it, e.g. "Send every"
    std::string typed;  // empty for a symbol character, which may not print
    std::string held;   // what the beacon holds instead, as the form shows it after a write
};

// Every value of `record` that a write changes, beyond the rounding of the keyup delay and the
// quiet time to their units: the calibration first, then each profile in the form's order.
// Settings a profile has switched off are not stored, and not listed.
std::vector<ValueChange> ValueChanges(const CTrackerConfig& record);

// One line for the user: "Primary Send every: stored as 0, not 256".
std::string DescribeChange(const ValueChange& change);

}  // namespace wb
