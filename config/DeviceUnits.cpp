// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceUnits.h"

#include "TrackerConfig.h"

namespace {

// The factors are single-precision numbers widened to double: a configuration read back must
// give the very milliseconds the beacon's own tables give (250 units are 1666 ms, not 1667).
constexpr double kTxDelayEncode = 0.15001501f;
constexpr double kTxDelayDecode = 6.666f;
constexpr double kQuietEncode = 0.038022816f;
constexpr double kQuietDecode = 26.3f;

// T(value * factor + 0.5), the product and the sum each rounded to double. Splitting them into
// statements does not stop the compiler from fusing them into one multiply-add (which rounds
// once); every target that compiles this file does so with -ffp-contract=off.
int ScaleTruncated(double value, double factor) {
    const double product = value * factor;
    const double sum = product + 0.5;
    return static_cast<int>(sum);
}

}  // namespace

int TxDelayToUnits(int ms) {
    return Clamp(ScaleTruncated(static_cast<double>(ms) + 3, kTxDelayEncode), 0, 255);
}

int UnitsToTxDelay(int units) {
    return ScaleTruncated(units, kTxDelayDecode);
}

int QuietTimeToUnits(int ms) {
    return Clamp(ScaleTruncated(static_cast<double>(ms) + 13, kQuietEncode), 0, 255);
}

int UnitsToQuietTime(int units) {
    return ScaleTruncated(units, kQuietDecode);
}
