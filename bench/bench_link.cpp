// Times the device commands against the simulated beacon and prints each as a ratio to the floor
// that the protocol's own waits and pacing set. Run by hand: build/default/bench/bench_link [runs]
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "config/MessageSink.h"
#include "link/ComPort.h"
#include "tools/sim/SimulatedBeacon.h"

namespace {

// One character on a 4800-baud 8N1 line: 10 bit times.
constexpr double kCharMs = 10.0 * 1000.0 / 4800.0;
constexpr double kSilenceMs = 50.0;  // a read ends this long after the last byte
constexpr double kPaceMs = 10.0;     // pause after every byte written

double ReadLimitMs(int count) {
    return 300.0 + 2.0 * count;
}

// A read that asks for `asked` bytes and gets `got`, the device answering at line speed.
double AnswerMs(int got, int asked) {
    return got * kCharMs + (got < asked ? kSilenceMs : 0.0);
}

// An exchange with an answer: the flush read runs to its limit on a quiet line, then the command
// bytes go out paced. A prompt device starts answering as soon as the last command byte is in,
// while the host still sits in that byte's pause, so the answer overlaps the last pause.
double ExchangeFloorMs(int flushSize, int commandBytes, int answerBytes, int answerSize) {
    return ReadLimitMs(flushSize) + (commandBytes - 1) * kPaceMs +
           std::max(kPaceMs, AnswerMs(answerBytes, answerSize));
}

double UploadFloorMs() {
    return ExchangeFloorMs(200, 2, 128, 200);
}

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
    CComPort port;
    port.SetPort(1);

    char banner[32] = {};
    if (port.ReadVersion(banner, 30)) {
        return 1;
    }
    const int bannerLength = static_cast<int>(std::strlen(banner));
    const double versionFloor = ExchangeFloorMs(29, 3, bannerLength, 29);
    const double readFloor = 2 * UploadFloorMs();
    const double writeFloor = ReadLimitMs(100) + 130 * kPaceMs + UploadFloorMs();

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
    std::printf("(ratio = median / floor over %d runs; target 1.05 or less)\n", runs);
    return 0;
}
