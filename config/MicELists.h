// SPDX-License-Identifier: GPL-3.0-or-later
// The MIC-E message and path lists. A selection index is what the record holds and the beacon
// stores, so the order of the entries is part of the device format.
#pragma once

namespace wb {

inline constexpr const char* kMicEMessages[] = {
    "Off Duty",  "En Route", "In Service", "Returning",
    "Committed", "Special",  "Priority",   "Emergency!",
};

inline constexpr const char* kMicEPaths[] = {
    "Conventional", "WIDE-1",       "WIDE-2",      "WIDE-3",      "WIDE-4", "WIDE-5",
    "WIDE-6",       "WIDE-7",       "North",       "South",       "East",   "West",
    "North + WIDE", "South + WIDE", "East + WIDE", "West + WIDE",
};

}  // namespace wb
