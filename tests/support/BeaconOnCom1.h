// SPDX-License-Identifier: GPL-3.0-or-later
// A simulated beacon whose terminal COM1 maps to while it runs, and what its log shows.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tools/sim/SimulatedBeacon.h"

namespace wb::test {

// The values of the logged bytes that went one way, in order.
inline std::vector<std::uint8_t> Values(const std::vector<sim::LoggedByte>& log, bool fromHost) {
    std::vector<std::uint8_t> out;
    for (const sim::LoggedByte& b : log) {
        if (b.fromHost == fromHost) {
            out.push_back(b.value);
        }
    }
    return out;
}

class BeaconOnCom1 {
public:
    BeaconOnCom1() {
        beacon.Start();
        setenv("WRENBEACON_COM1", beacon.DevicePath().c_str(), 1);
    }
    ~BeaconOnCom1() { unsetenv("WRENBEACON_COM1"); }
    BeaconOnCom1(const BeaconOnCom1&) = delete;
    BeaconOnCom1& operator=(const BeaconOnCom1&) = delete;

    // The bytes the host sent, as the beacon received them.
    std::vector<std::uint8_t> HostBytes() const { return Values(beacon.Log(), true); }

    sim::SimulatedBeacon beacon;
};

}  // namespace wb::test
