// SPDX-License-Identifier: GPL-3.0-or-later
// Times the device commands against the simulated beacon and prints each as a ratio to the floor
// that the protocol's own waits and pacing set. Run by hand: build/default/bench/bench_link [runs]
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "bench/ProtocolFloors.h"
#include "core/MessageSink.h"
#include "link/ComPort.h"
#include "tools/sim/SimulatedBeacon.h"

namespace {

using namespace wb::bench;

struct Result {
    const char* name;
    double floorMs;
    double bestMs;
    double medianMs;
};

double TimeMs(const std::function<bool()>& run) {
    auto start = std::chrono::steady_clock::now();
    if (!run()) {
        std::fprintf(stderr, "command failed\n");
        std::exit(1);
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

Result Measure(const char* name, double floorMs, int runs, const std::function<bool()>& run) {
    std::array<double, 64> times{};
    runs = std::clamp(runs, 1, 64);
    for (int i = 0; i < runs; ++i) {
        times[i] = TimeMs(run);
    }
    std::sort(times.begin(), times.begin() + runs);
    return {name, floorMs, times[0], times[runs / 2]};
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    wb::SetMessageSink([](const wb::Message& m) { wb::PrintMessage(m); });

    wb::sim::SimulatedBeacon beacon;
    beacon.Start();
    ::setenv("WRENBEACON_COM1", beacon.DevicePath().c_str(), 1);
    const std::unique_ptr<wb::SerialBackend> backend = wb::MakePlatformBackend();
    CComPort port(*backend);
    port.SetPort(1);

    char banner[32] = {};
    if (port.ReadVersion(banner, 30)) {
        return 1;
    }
    const int bannerLength = static_cast<int>(std::strlen(banner));
    const double versionFloor = VersionQueryMs(bannerLength);
    const double readFloor = 2 * UploadMs();
    const double writeFloor = DownloadMs() + UploadMs();

    std::array<BYTE, 128> image = wb::sim::DefaultImage();
    BYTE buffer[200];
    const Result results[] = {
        Measure("ReadVersion", versionFloor, runs, [&] { return !port.ReadVersion(banner, 30); }),
        Measure("ReadImage (verified)", readFloor, runs,
                [&] { return port.ReadImage(buffer, 200) == 128; }),
        Measure("WriteImage (verified)", writeFloor, runs,
                [&] { return !port.WriteImage(image.data(), 128); }),
    };

    std::printf("%-24s %10s %10s %10s %8s\n", "command", "floor ms", "best ms", "median ms",
                "ratio");
    for (const Result& r : results) {
        std::printf("%-24s %10.1f %10.1f %10.1f %8.3f\n", r.name, r.floorMs, r.bestMs, r.medianMs,
                    r.medianMs / r.floorMs);
    }
    std::printf("(ratio = median / floor over %d runs; target %.2f or less)\n", runs, kTarget);
    return 0;
}
