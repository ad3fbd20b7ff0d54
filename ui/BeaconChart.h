// SPDX-License-Identifier: GPL-3.0-or-later
// What the seven SmartBeaconing values do: the time between beacons and the distance it means at
// each speed from 0 to 80 MPH, the sentence that says it for one speed, and the chart laid out in
// a box of pixels as lines, marks and texts that a front end draws as they come.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wb::ui {

struct SmartBeaconValues {
    int slowSpeed = 0;  // MPH
    int slowRate = 0;   // seconds
    int fastSpeed = 0;  // MPH
    int fastRate = 0;   // seconds
    int minTurnAngle = 0;
    int turnSlope = 0;
    int minTurnTime = 0;  // seconds

    bool operator==(const SmartBeaconValues&) const = default;
};

// Seconds between beacons at `speed` MPH: the slow rate at or below the slow speed, the fast
// rate at or above the fast speed, fast rate x fast speed / speed in between.
double BeaconInterval(const SmartBeaconValues& values, double speed);

// The least change of course, in degrees, that sends a beacon early at `speed` (1 MPH or more):
// min turn angle + turn slope / speed, in whole degrees as the beacon counts.
int TurnThreshold(const SmartBeaconValues& values, int speed);

// "At 30 MPH: a beacon every 360 s (3 miles); turns of more than 38° send one sooner." (the
// degree sign in Latin-1), for a speed halfway to the fast speed.
std::string DescribeBeaconing(const SmartBeaconValues& values);

struct ChartPoint {
    double x;
    double y;
};

// The chart in its own units: speed in MPH across, seconds (and miles) up.
struct BeaconChart {
    static constexpr double kTopSpeed = 80;
    std::vector<ChartPoint> interval;  // (MPH, seconds), left to right; upright at a jump
    std::vector<ChartPoint> distance;  // (MPH, miles) at the same speeds
    // (MPH, seconds) where the slow rate ends and where the fast rate begins; past 80 MPH they
    // are off the chart.
    ChartPoint slowCorner{};
    ChartPoint fastCorner{};
    double secondsTop = 1, secondsStep = 1;  // the left axis: 0 to top, a label every step
    double milesTop = 1, milesStep = 1;      // the right axis
};

// Negative values count as 0.
BeaconChart MakeBeaconChart(const SmartBeaconValues& values);

// The chart in a box of `width` x `height` pixels, y down, for a font whose digits are about
// `digitWidth` wide and whose lines are `lineHeight` high. Colours are 0xRRGGBB.
struct ChartDrawing {
    struct Line {
        std::vector<ChartPoint> points;
        std::uint32_t colour;
        int width;
        bool dashed;
    };
    struct Mark {  // a filled square
        ChartPoint centre;
        int half;
        std::uint32_t colour;
    };
    struct Text {
        std::string text;  // Latin-1
        ChartPoint at;
        int alignX;  // -1: `at` is its left end, 0 its middle, 1 its right end
        int alignY;  // -1: `at` is its top, 0 its middle, 1 its bottom
        std::uint32_t colour;
    };
    std::vector<Line> lines;  // in drawing order
    std::vector<Mark> marks;
    std::vector<Text> texts;
};
// Where the chart's window of `width` starts across the screen, `gap` from the main window that
// spans `ownerLeft` to `ownerRight`, so that the fields stay in sight: on its right, else on its
// left, else at the screen's left edge (over the form's left half, clear of the SmartBeaconing
// fields on its right).
int ChartWindowLeft(int ownerLeft, int ownerRight, int width, int screenLeft, int screenRight,
                    int gap);

// The plot's size in pixels at 96 per inch (the page's CSS pixels), in every front end.
inline constexpr int kChartPlotWidth = 460;
inline constexpr int kChartPlotHeight = 320;

ChartDrawing LayOutBeaconChart(const BeaconChart& chart, int width, int height, int digitWidth,
                               int lineHeight);

}  // namespace wb::ui
