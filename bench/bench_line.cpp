// SPDX-License-Identifier: GPL-3.0-or-later
// How promptly the serial channel stops waiting on a real terminal, and what the simulated
// beacon costs: the timings that tests only bound from below. Each is printed with the bound it
// must stay under (the time limit that it must not wait out); a result over it fails the run.
//
//   build/default/bench/bench_line [RUNS]
//
//   read at its count      8 bytes waiting, a read of 5 returns them    (limit 300 + 2 x 5 ms)
//   read on a hang-up      the line drops 100 ms into a read of 100     (limit 300 + 2 x 100 ms)
//   write on a hang-up     the line drops 25 ms into 40 paced bytes     (40 x 10 ms)
//   beacon, no host        processor time in 500 ms with no host        (half of it)
//   beacon, host holds it  processor time in 500 ms with a host waiting (half of it)
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

#include "core/MessageSink.h"
#include "link/ComPort.h"
#include "tests/link/PtyDevice.h"
#include "tools/sim/SimulatedBeacon.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double CpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

// A fresh terminal with the channel open on it: `act` returns the milliseconds it took.
double OnFreshLine(const std::function<double(wb::test::PtyDevice&, CComPort&)>& act) {
    wb::test::PtyDevice device;
    const auto backend = wb::MakePlatformBackend();
    CComPort port(*backend);
    port.SetPort(1);
    if (port.Open()) {
        std::fprintf(stderr, "cannot open the terminal\n");
        std::exit(1);
    }
    const double ms = act(device, port);
    if (port.IsOpen()) {
        port.Close();
    }
    return ms;
}

double ReadAtItsCount() {
    return OnFreshLine([](wb::test::PtyDevice& device, CComPort& port) {
        device.Send("12345678");
        BYTE buffer[16];
        const auto start = Clock::now();
        const int n = port.Read(buffer, 5);
        const double ms = MsSince(start);
        return n == 5 ? ms : 1e9;
    });
}

double ReadOnAHangUp() {
    return OnFreshLine([](wb::test::PtyDevice& device, CComPort& port) {
        std::jthread hangUp([&] {
            std::this_thread::sleep_for(100ms);
            device.HangUp();
        });
        BYTE buffer[100];
        const auto start = Clock::now();
        port.Read(buffer, 100);
        return MsSince(start);
    });
}

double WriteOnAHangUp() {
    return OnFreshLine([](wb::test::PtyDevice& device, CComPort& port) {
        std::jthread hangUp([&] {
            std::this_thread::sleep_for(25ms);
            device.HangUp();
        });
        const std::vector<BYTE> data(40, 0x55);
        const auto start = Clock::now();
        port.Write(data.data(), 40);
        return MsSince(start);
    });
}

// Processor time of this process over 500 ms while the beacon waits, with or without a host.
double BeaconAtRest(bool host) {
    wb::sim::SimulatedBeacon beacon;
    beacon.Start();
    const int fd = host ? open(beacon.DevicePath().c_str(), O_RDWR | O_NOCTTY) : -1;
    std::this_thread::sleep_for(100ms);
    const double before = CpuMs();
    std::this_thread::sleep_for(500ms);
    const double ms = CpuMs() - before;
    if (fd >= 0) {
        close(fd);
    }
    return ms;
}

struct Measure {
    const char* name;
    double boundMs;
    std::function<double()> run;
};

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    wb::SetMessageSink([](const wb::Message&) {});  // the hang-ups' messages are expected

    const Measure measures[] = {
        {"read at its count", 310, ReadAtItsCount},
        {"read on a hang-up", 500, ReadOnAHangUp},
        {"write on a hang-up", 400, WriteOnAHangUp},
        {"beacon, no host (cpu)", 250, [] { return BeaconAtRest(false); }},
        {"beacon, host holds it (cpu)", 250, [] { return BeaconAtRest(true); }},
    };
    bool ok = true;
    std::printf("%-28s %9s %9s %9s\n", "", "median ms", "worst ms", "bound ms");
    for (const Measure& m : measures) {
        std::vector<double> ms;
        for (int i = 0; i < runs; ++i) {
            ms.push_back(m.run());
        }
        std::sort(ms.begin(), ms.end());
        const bool within = ms.back() < m.boundMs;
        std::printf("%-28s %9.1f %9.1f %9.0f  %s\n", m.name, ms[ms.size() / 2], ms.back(),
                    m.boundMs, within ? "within" : "OVER");
        ok = ok && within;
    }
    return ok ? 0 : 1;
}
