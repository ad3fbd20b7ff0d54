// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BeaconChart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "res/BeaconChartTexts.h"

namespace wb::ui {
namespace {

constexpr double kSecondsPerHour = 3600;
constexpr double kSampleStep = 0.5;  // MPH, along the curve between the two speeds
constexpr double kSpeedStep = 20;    // MPH between the speed axis' labels

constexpr std::uint32_t kInk = 0x202020;
constexpr std::uint32_t kGrid = 0xDADADA;
constexpr std::uint32_t kIntervalColour = 0x1F5FBF;
constexpr std::uint32_t kDistanceColour = 0x2E8B57;
constexpr std::uint32_t kCornerColour = 0xCC2200;

SmartBeaconValues NotNegative(SmartBeaconValues v) {
    for (int* value : {&v.slowSpeed, &v.slowRate, &v.fastSpeed, &v.fastRate, &v.minTurnAngle,
                       &v.turnSlope, &v.minTurnTime}) {
        *value = std::max(*value, 0);
    }
    return v;
}

// A step of 1, 2 or 5 times a power of ten that reaches `top` in at most five steps.
double NiceStep(double top) {
    double step = 1e-3;
    for (;;) {
        for (double m : {1.0, 2.0, 5.0}) {
            if (top <= 5 * m * step) {
                return m * step;
            }
        }
        step *= 10;
    }
}

// The axis' end (a whole number of steps, at least one) and its step.
void Axis(double largest, double& top, double& step) {
    step = NiceStep(std::max(largest, 1e-3));
    top = std::max(1.0, std::ceil(largest / step - 1e-9)) * step;
}

// A number as a label: "1800", "2.5".
std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// `text` with %1, %2, ... replaced by the arguments.
std::string Fill(std::string text, std::initializer_list<std::string> arguments) {
    int n = 1;
    for (const std::string& argument : arguments) {
        const std::string mark = "%" + std::to_string(n++);
        if (const std::size_t at = text.find(mark); at != std::string::npos) {
            text.replace(at, mark.size(), argument);
        }
    }
    return text;
}

std::string Miles(double miles) {
    char number[32];
    std::snprintf(number, sizeof number, miles >= 10 ? "%.0f" : "%.1f", miles);
    std::string text = number;
    if (text.size() > 2 && text.ends_with(".0")) {
        text.resize(text.size() - 2);
    }
    return text + (text == "1" ? " mile" : " miles");
}

// Half the fast speed, on a multiple of 5 MPH from 10 MPH up; at least 1 MPH.
int SentenceSpeed(const SmartBeaconValues& v) {
    const double half = v.fastSpeed / 2.0;
    const long speed = half >= 10 ? 5 * std::lround(half / 5) : std::lround(half);
    return static_cast<int>(std::max(speed, 1L));
}

}  // namespace

double BeaconInterval(const SmartBeaconValues& values, double speed) {
    const SmartBeaconValues v = NotNegative(values);
    if (speed <= v.slowSpeed) {
        return v.slowRate;
    }
    if (speed >= v.fastSpeed) {
        return v.fastRate;
    }
    return static_cast<double>(v.fastRate) * v.fastSpeed / speed;
}

int TurnThreshold(const SmartBeaconValues& values, int speed) {
    const SmartBeaconValues v = NotNegative(values);
    return v.minTurnAngle + v.turnSlope / std::max(speed, 1);
}

std::string DescribeBeaconing(const SmartBeaconValues& values) {
    const int speed = SentenceSpeed(NotNegative(values));
    const long seconds = std::lround(BeaconInterval(values, speed));
    const int turn = TurnThreshold(values, speed);
    const std::string turns =
        turn < 180 ? Fill(res::kTurnClause, {std::to_string(turn)}) : res::kNoTurnClause;
    return Fill(res::kBeaconingSentence,
                {std::to_string(speed), std::to_string(seconds),
                 Miles(static_cast<double>(seconds) * speed / kSecondsPerHour), turns});
}

BeaconChart MakeBeaconChart(const SmartBeaconValues& values) {
    const SmartBeaconValues v = NotNegative(values);
    const double end = BeaconChart::kTopSpeed;
    const double slow = v.slowSpeed;
    const double fast = v.fastSpeed;
    const auto between = [&](double speed) { return v.fastRate * fast / speed; };
    BeaconChart chart;
    auto& points = chart.interval;
    points.push_back({0, static_cast<double>(v.slowRate)});
    points.push_back({std::min(slow, end), static_cast<double>(v.slowRate)});
    if (slow < end) {
        if (fast > slow) {
            // Past the slow speed the rate jumps to fast rate x fast speed / slow speed (often
            // above the slow rate) and falls from there; from a slow speed of 0 it starts a
            // quarter MPH in.
            const double first = slow > 0 ? slow : kSampleStep / 2;
            points.push_back({first, between(first)});
            for (double speed = std::floor(first / kSampleStep + 1) * kSampleStep;
                 speed < std::min(fast, end); speed += kSampleStep) {
                points.push_back({speed, between(speed)});
            }
            points.push_back({std::min(fast, end), between(std::min(fast, end))});
        } else {
            points.push_back({slow, static_cast<double>(v.fastRate)});
        }
        if (points.back().x < end) {
            points.push_back({end, static_cast<double>(v.fastRate)});
        }
    }

    double largest = 0;
    double farthest = 0;
    for (const ChartPoint& p : points) {
        chart.distance.push_back({p.x, p.y * p.x / kSecondsPerHour});
        largest = std::max(largest, p.y);
        farthest = std::max(farthest, chart.distance.back().y);
    }
    chart.slowCorner = {slow, static_cast<double>(v.slowRate)};
    chart.fastCorner = {std::max(slow, fast), static_cast<double>(v.fastRate)};
    Axis(largest, chart.secondsTop, chart.secondsStep);
    Axis(farthest, chart.milesTop, chart.milesStep);
    return chart;
}

ChartDrawing LayOutBeaconChart(const BeaconChart& chart, int width, int height, int digitWidth,
                               int lineHeight) {
    ChartDrawing d;
    const std::string topSeconds = Number(chart.secondsTop);
    const std::string topMiles = Number(chart.milesTop);
    std::size_t milesChars = std::max<std::size_t>(topMiles.size(), 5);  // and "MPH"
    for (double m = 0; m <= chart.milesTop + 1e-9; m += chart.milesStep) {
        milesChars = std::max(milesChars, Number(m).size());
    }
    const double left = static_cast<double>(topSeconds.size() * digitWidth) + 8;
    const double right = width - static_cast<double>(milesChars * digitWidth) - 8;
    const double top = lineHeight * 1.5;
    const double bottom = height - lineHeight * 4.8;
    const auto X = [&](double mph) { return left + mph / BeaconChart::kTopSpeed * (right - left); };
    const auto Ys = [&](double s) { return bottom - s / chart.secondsTop * (bottom - top); };
    const auto Ym = [&](double m) { return bottom - m / chart.milesTop * (bottom - top); };

    for (double s = 0; s <= chart.secondsTop + 1e-9; s += chart.secondsStep) {
        d.lines.push_back({{{left, Ys(s)}, {right, Ys(s)}}, kGrid, 1, false});
        d.texts.push_back({Number(s), {left - 4, Ys(s)}, 1, 0, kInk});
    }
    for (double m = 0; m <= chart.milesTop + 1e-9; m += chart.milesStep) {
        d.texts.push_back({Number(m), {right + 4, Ym(m)}, -1, 0, kDistanceColour});
    }
    for (double mph = 0; mph <= BeaconChart::kTopSpeed; mph += kSpeedStep) {
        d.lines.push_back({{{X(mph), top}, {X(mph), bottom}}, kGrid, 1, false});
        d.texts.push_back({Number(mph), {X(mph), bottom + 3}, 0, -1, kInk});
    }
    // After the last speed, which stands half out of the plot.
    d.texts.push_back({res::kChartSpeedAxis, {right + 2.0 * digitWidth, bottom + 3}, -1, -1, kInk});
    d.texts.push_back({res::kChartSecondsAxis, {2, top - 4}, -1, 1, kInk});
    d.texts.push_back({res::kChartMilesAxis, {width - 2.0, top - 4}, 1, 1, kDistanceColour});
    d.lines.push_back(
        {{{left, top}, {left, bottom}, {right, bottom}, {right, top}}, kInk, 1, false});

    ChartDrawing::Line interval{{}, kIntervalColour, 2, false};
    ChartDrawing::Line distance{{}, kDistanceColour, 2, true};
    for (std::size_t i = 0; i < chart.interval.size(); ++i) {
        interval.points.push_back({X(chart.interval[i].x), Ys(chart.interval[i].y)});
        distance.points.push_back({X(chart.distance[i].x), Ym(chart.distance[i].y)});
    }
    d.lines.push_back(std::move(distance));
    d.lines.push_back(std::move(interval));
    const int half = std::max(2, lineHeight / 5);
    for (const ChartPoint& corner : {chart.slowCorner, chart.fastCorner}) {
        if (corner.x <= BeaconChart::kTopSpeed) {
            d.marks.push_back({{X(corner.x), Ys(corner.y)}, half, kCornerColour});
        }
    }

    // The legend, a line each, under the speeds.
    const double sample = lineHeight * 1.6;
    double y = bottom + 3 + lineHeight * 1.6;
    d.lines.push_back({{{left, y}, {left + sample, y}}, kIntervalColour, 2, false});
    d.texts.push_back({res::kChartIntervalLegend, {left + sample + 6, y}, -1, 0, kInk});
    y += lineHeight;
    d.lines.push_back({{{left, y}, {left + sample, y}}, kDistanceColour, 2, true});
    d.texts.push_back({res::kChartDistanceLegend, {left + sample + 6, y}, -1, 0, kInk});
    y += lineHeight;
    d.marks.push_back({{left + sample / 2, y}, half, kCornerColour});
    const std::string corners =
        Fill(res::kChartCornersLegend, {Number(chart.slowCorner.x), Number(chart.slowCorner.y),
                                        Number(chart.fastCorner.x), Number(chart.fastCorner.y)});
    d.texts.push_back({corners, {left + sample + 6, y}, -1, 0, kInk});
    return d;
}

int ChartWindowLeft(int ownerLeft, int ownerRight, int width, int screenLeft, int screenRight,
                    int gap) {
    if (ownerRight + gap + width <= screenRight) {
        return ownerRight + gap;
    }
    if (ownerLeft - gap - width >= screenLeft) {
        return ownerLeft - gap - width;
    }
    return screenLeft;
}

}  // namespace wb::ui
