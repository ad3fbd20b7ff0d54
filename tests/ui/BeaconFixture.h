// The real main dialog with COM1 mapped to a simulated beacon on a pseudo-terminal.
#pragma once

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "tests/ui/DialogFixture.h"
#include "tools/sim/SimulatedBeacon.h"

namespace wb::test {

class BeaconFixture : public DialogFixture {
protected:
    void SetUp() override {
        beacon.Start();
        setenv("WRENBEACON_COM1", beacon.DevicePath().c_str(), 1);
        DialogFixture::SetUp();
    }

    void TearDown() override { unsetenv("WRENBEACON_COM1"); }

    // Every box shown so far as (text, caption), in order.
    std::vector<std::pair<std::string, std::string>> Shown() const {
        std::vector<std::pair<std::string, std::string>> out;
        for (const Message& m : messages.messages()) {
            out.emplace_back(m.text, m.caption);
        }
        return out;
    }

    // The bytes the window sent to the beacon, in order.
    std::vector<int> SentBytes() const {
        std::vector<int> out;
        for (const sim::LoggedByte& b : beacon.Log()) {
            if (b.fromHost) {
                out.push_back(b.value);
            }
        }
        return out;
    }

    sim::SimulatedBeacon beacon;
};

using BoxList = std::vector<std::pair<std::string, std::string>>;

}  // namespace wb::test
