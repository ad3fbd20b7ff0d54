// SPDX-License-Identifier: GPL-3.0-or-later
// The real main dialog with COM1 mapped to a simulated beacon on a pseudo-terminal.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tests/support/BeaconOnCom1.h"
#include "tests/ui/qt/DialogFixture.h"

namespace wb::test {

using BoxList = std::vector<std::pair<std::string, std::string>>;

class BeaconFixture : public DialogFixture {
protected:
    // Every box shown so far as (text, caption), in order.
    BoxList Shown() const {
        BoxList out;
        for (const Message& m : messages.messages()) {
            out.emplace_back(m.text, m.caption);
        }
        return out;
    }

    // Started, and COM1 mapped to it, before the fixture makes the dialog.
    BeaconOnCom1 com1;
    sim::SimulatedBeacon& beacon = com1.beacon;
};

}  // namespace wb::test
