// SPDX-License-Identifier: GPL-3.0-or-later
// SmartBeaconing settings that users pick by name, one row each, with where the values come
// from. The beacon sends every slow rate below the slow speed, every fast rate above the fast
// speed and every fast rate x fast speed / speed in between, so that in between it sends about
// every fast rate x fast speed / 3600 miles. A turn sends sooner when the course changed by more
// than min turn angle + turn slope / speed degrees and min turn time has passed. On VHF APRS a
// fast rate under 60 s is discouraged and 120 s or more is kinder to the channel.
#pragma once

#include <array>
#include <cstddef>

namespace wb::res {

struct SmartBeaconPreset {
    const char* name;
    int slowSpeed;     // MPH
    int slowRate;      // seconds
    int fastSpeed;     // MPH
    int fastRate;      // seconds
    int minTurnAngle;  // degrees
    int turnSlope;
    int minTurnTime;  // seconds
};

inline constexpr SmartBeaconPreset kSmartBeaconPresets[] = {
    // On foot at about 3 MPH: a beacon about every 0.2 miles (4 minutes at 3 MPH), every half
    // hour standing still. A walker's GPS course wanders, so a small slope and a minute between
    // turn beacons keep corners from flooding the channel.
    {"Walking", 1, 1800, 4, 180, 30, 60, 60},
    // Cycling at 8 to 15 MPH: about every half mile (3 minutes at 10 MPH); a turn of 37 degrees
    // counts at 10 MPH.
    {"Bicycle", 3, 1800, 15, 120, 25, 120, 30},
    // Driving in town and on country roads: about every 1.7 miles, 200 s at 30 MPH; turns at
    // street corners (37 degrees at 20 MPH) send at most one beacon in 20 s.
    {"Car", 5, 1800, 50, 120, 25, 255, 20},
    // Slow 5 MPH every 30 minutes, fast 70 MPH every 120 s, as a mobile radio's manual gives
    // them (Kenwood TM-D710); turns as the classic defaults.
    {"Highway", 5, 1800, 70, 120, 30, 255, 15},
    // The defaults the SmartBeaconing authors published (quoted in Dire Wolf's config.c).
    {"Classic", 5, 1800, 60, 180, 30, 255, 15},
};

// What the preset list shows when the fields match no preset.
inline constexpr const char* kCustomPreset = "Custom";

// The preset list's entries: the presets in order, then kCustomPreset.
inline constexpr auto kSmartBeaconPresetNames = [] {
    std::array<const char*, std::size(kSmartBeaconPresets) + 1> names{};
    for (std::size_t i = 0; i < std::size(kSmartBeaconPresets); ++i) {
        names[i] = kSmartBeaconPresets[i].name;
    }
    names.back() = kCustomPreset;
    return names;
}();

}  // namespace wb::res
