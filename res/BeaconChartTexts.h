// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the SmartBeaconing chart window (Latin-1).
#pragma once

namespace wb::res {

inline constexpr const char* kChartCaption = "SmartBeaconing";
inline constexpr const char* kChartSecondsAxis = "seconds";
inline constexpr const char* kChartMilesAxis = "miles";
inline constexpr const char* kChartSpeedAxis = "MPH";
inline constexpr const char* kChartIntervalLegend = "time between beacons (seconds, left)";
inline constexpr const char* kChartDistanceLegend = "distance between beacons (miles, right)";
// %1 to %4 stand for the values: slow speed and rate, fast speed and rate.
inline constexpr const char* kChartCornersLegend = "corners: %1 MPH every %2 s, %3 MPH every %4 s";

// The sentence under the chart: speed, seconds, distance ("3 miles"), then the turn clause with
// its angle.
inline constexpr const char* kBeaconingSentence = "At %1 MPH: a beacon every %2 s (%3); %4.";
inline constexpr const char* kTurnClause = "turns of more than %1\xB0 send one sooner";
inline constexpr const char* kNoTurnClause = "no turn is sharp enough to send one sooner";

}  // namespace wb::res
