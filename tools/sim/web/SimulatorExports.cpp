// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated beacon for the browser: the beacon core behind a small C interface that the
// page's simulated serial port (SimulatedPort.js) drives with the time of every byte. Times are
// the page's milliseconds (performance.now()). Any number of beacons, each by its number.
#include <emscripten.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tools/sim/BeaconCore.h"
#include "tools/sim/LineSettings.h"

namespace {

using wb::sim::BeaconCore;
using wb::sim::Clock;

struct Beacon {
    BeaconCore core;
    std::string lineProblem = "not open";
    std::string text;  // the last text handed out
};

std::vector<std::unique_ptr<Beacon>> beacons;

Clock::time_point At(double ms) {
    return Clock::time_point(
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double, std::milli>(ms)));
}

double Ms(Clock::time_point at) {
    return std::chrono::duration<double, std::milli>(at.time_since_epoch()).count();
}

Beacon* Find(int id) {
    return id >= 0 && static_cast<std::size_t>(id) < beacons.size() ? beacons[id].get() : nullptr;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int wbsim_create() {
    beacons.push_back(std::make_unique<Beacon>());
    return static_cast<int>(beacons.size() - 1);
}

// The host opens the line with these settings; a command that completes while they are wrong is
// ignored, as the device ignores what its UART garbles.
EMSCRIPTEN_KEEPALIVE void wbsim_open(int id, double now, int baudRate, int dataBits,
                                     const char* parity, int stopBits, const char* flowControl) {
    if (Beacon* b = Find(id)) {
        b->lineProblem = wb::sim::LineProblem({baudRate, dataBits, parity, stopBits, flowControl});
        b->core.SetHostPresent(true, At(now));
    }
}

EMSCRIPTEN_KEEPALIVE void wbsim_close(int id, double now) {
    if (Beacon* b = Find(id)) {
        b->core.SetHostPresent(false, At(now));
    }
}

// A byte from the host at `now`. 0: taken (or lost to the pace, as the device loses it);
// 1: the beacon hung up.
EMSCRIPTEN_KEEPALIVE int wbsim_receive(int id, int byte, double now) {
    Beacon* b = Find(id);
    if (b == nullptr) {
        return 1;
    }
    const auto problem = [b] { return b->lineProblem; };
    return b->core.Receive(static_cast<std::uint8_t>(byte), At(now), At(now), problem) ? 0 : 1;
}

// Up to `size` bytes that the beacon's line has finished sending by `now`, into `out`.
EMSCRIPTEN_KEEPALIVE int wbsim_take_due(int id, double now, std::uint8_t* out, int size) {
    Beacon* b = Find(id);
    if (b == nullptr) {
        return 0;
    }
    b->core.Tick(At(now));
    const std::vector<std::uint8_t> due = b->core.TakeDue(At(now));
    const int count = static_cast<int>(std::min(due.size(), static_cast<std::size_t>(size)));
    std::memcpy(out, due.data(), static_cast<std::size_t>(count));
    return count;
}

// When the beacon next has something to do, or -1.
EMSCRIPTEN_KEEPALIVE double wbsim_next_wake(int id) {
    Beacon* b = Find(id);
    if (b == nullptr) {
        return -1;
    }
    const auto wake = b->core.NextWake();
    return wake ? Ms(*wake) : -1;
}

// 0 when the fault is known by that name ("none", "silent", ...).
EMSCRIPTEN_KEEPALIVE int wbsim_set_fault(int id, const char* name) {
    Beacon* b = Find(id);
    const auto fault = wb::sim::FaultFromName(name);
    if (b == nullptr || !fault) {
        return 1;
    }
    b->core.SetFault(*fault);
    return 0;
}

EMSCRIPTEN_KEEPALIVE void wbsim_eeprom(int id, std::uint8_t* out) {
    if (Beacon* b = Find(id)) {
        std::memcpy(out, b->core.Eeprom().data(), wb::sim::kImageSize);
    }
}

EMSCRIPTEN_KEEPALIVE void wbsim_set_eeprom(int id, const std::uint8_t* image) {
    if (Beacon* b = Find(id)) {
        wb::sim::Image copy{};
        std::memcpy(copy.data(), image, copy.size());
        b->core.SetEeprom(copy);
    }
}

EMSCRIPTEN_KEEPALIVE int wbsim_tone(int id) {
    Beacon* b = Find(id);
    return b == nullptr ? 0 : b->core.Tone();
}

EMSCRIPTEN_KEEPALIVE void wbsim_set_banner(int id, const char* banner) {
    if (Beacon* b = Find(id)) {
        b->core.SetBanner(banner);
    }
}

// What the beacon noticed since the last call, one remark a line.
EMSCRIPTEN_KEEPALIVE const char* wbsim_take_remarks(int id) {
    Beacon* b = Find(id);
    if (b == nullptr) {
        return "";
    }
    b->text.clear();
    for (const auto& remark : b->core.Remarks()) {
        b->text += remark.text + "\n";
    }
    b->core.Remarks().clear();
    return b->text.c_str();
}

}  // extern "C"
