// SPDX-License-Identifier: GPL-3.0-or-later
// Times the wrenbeacon tool's read and write against the simulated beacon, in-process on the
// real serial code, and compares each with its floor: the time the protocol itself needs.
//
//   bench/bench_cli [RUNS]
//
// The floors are in ProtocolFloors.h:
//   read                = version query + 2 uploads                       (about 2.54 s)
//   write --no-backup   = version query + download + upload               (about 3.31 s)
//   write (with backup) = version query + 2 uploads + download + upload   (about 5.40 s)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "bench/ProtocolFloors.h"
#include "cli/Tool.h"
#include "tools/sim/SimulatedBeacon.h"

namespace {

using namespace wb::bench;

bool Time(const char* name, double floorMs, int runs, wb::SerialBackend& backend,
          const std::filesystem::path& data, const std::vector<std::string>& args) {
    std::vector<const char*> argv = {"wrenbeacon"};
    for (const std::string& a : args) {
        argv.push_back(a.c_str());
    }
    double worst = 0;
    double sum = 0;
    for (int i = 0; i < runs; ++i) {
        std::ostringstream out;
        std::ostringstream err;
        wb::cli::Environment env{backend, out, err, false, data};
        const auto start = std::chrono::steady_clock::now();
        const int code = wb::cli::RunTool(static_cast<int>(argv.size()), argv.data(), env);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        if (code != 0) {
            std::printf("%s failed (%d): %s\n", name, code, err.str().c_str());
            return false;
        }
        worst = std::max(worst, took.count());
        sum += took.count();
    }
    const double mean = sum / runs;
    std::printf("%-20s floor %7.1f ms  mean %7.1f ms (%.3f)  worst %7.1f ms (%.3f)  %s\n", name,
                floorMs, mean, mean / floorMs, worst, worst / floorMs,
                worst / floorMs <= kTarget ? "within 1.05" : "OVER 1.05");
    return worst / floorMs <= kTarget;
}

}  // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const std::string banner = "Wrenbeacon 1.0 (simulated)";
    wb::sim::SimulatedBeacon beacon(banner);
    beacon.Start();
    setenv("WRENBEACON_COM1", beacon.DevicePath().c_str(), 1);
    const auto dir = std::filesystem::temp_directory_path() / "wb-bench-cli";
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "beacon.toml").string();
    const auto backend = wb::MakePlatformBackend();

    const double version = VersionQueryMs(static_cast<int>(banner.size()));
    bool ok = Time("read", version + 2 * UploadMs(), runs, *backend, dir, {"read", file});
    ok = Time("write --no-backup", version + DownloadMs() + UploadMs(), runs, *backend, dir,
              {"--quiet", "write", "--no-backup", file}) &&
         ok;
    ok = Time("write", version + 3 * UploadMs() + DownloadMs(), runs, *backend, dir,
              {"--quiet", "write", file}) &&
         ok;
    std::filesystem::remove_all(dir);
    return ok ? 0 : 1;
}
