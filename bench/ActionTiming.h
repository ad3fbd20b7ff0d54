// SPDX-License-Identifier: GPL-3.0-or-later
// Times a window's action over several runs and reports the mean and the worst as ratios to the
// action's floor (ProtocolFloors.h), for the Qt and the Win32 window alike.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench/ProtocolFloors.h"
#include "core/MessageSink.h"

namespace wb::bench {

struct ActionResult {
    std::vector<double> ms;
    double floorMs;
};

template <typename Click>
ActionResult TimeAction(int runs, double floorMs, Click click) {
    ActionResult result{{}, floorMs};
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        click();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        result.ms.push_back(took.count());
    }
    return result;
}

// Prints one line; true when the worst run is within the target.
inline bool ReportAction(const char* name, const ActionResult& r) {
    const double worst = *std::max_element(r.ms.begin(), r.ms.end());
    double sum = 0;
    for (double ms : r.ms) {
        sum += ms;
    }
    const double mean = sum / static_cast<double>(r.ms.size());
    std::printf("%-20s floor %7.1f ms  mean %7.1f ms (%.3f)  worst %7.1f ms (%.3f)  %s\n", name,
                r.floorMs, mean, mean / r.floorMs, worst, worst / r.floorMs,
                worst / r.floorMs <= kTarget ? "within 1.05" : "OVER 1.05");
    return worst / r.floorMs <= kTarget;
}

// Prints each outcome box that is not a success, and a count of boxes that is not one per action;
// returns how many such faults it printed.
inline int ReportFailedOutcomes(const std::vector<Message>& messages, int actions) {
    int failures = 0;
    for (const Message& m : messages) {
        if (m.text != "Read Successful" && m.text != "Write Successful") {
            std::printf("unexpected message: %s\n", m.text.c_str());
            ++failures;
        }
    }
    if (messages.size() != static_cast<std::size_t>(actions)) {
        std::printf("%zu outcome messages for %d actions\n", messages.size(), actions);
        ++failures;
    }
    return failures;
}

// The floors of the two actions, for a beacon whose banner has `bannerLength` characters.
inline double ReadConfigurationFloorMs(int bannerLength) {
    return VersionQueryMs(bannerLength) + 2 * UploadMs();
}
inline double WriteConfigurationFloorMs(int bannerLength) {
    return VersionQueryMs(bannerLength) + DownloadMs() + UploadMs();
}

}  // namespace wb::bench
