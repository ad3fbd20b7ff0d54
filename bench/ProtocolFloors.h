// SPDX-License-Identifier: GPL-3.0-or-later
// The least time each device exchange can take: what the line settings and the protocol's own
// waits demand, with a device that answers at once and a quiet line before every command.
//
// A read of n bytes lasts 300 + 2n ms when nothing comes and ends 50 ms after the last byte that
// does; every byte written is followed by 10 ms; a character takes 10 bits at 4800 baud
// (2.083 ms). A device can answer once the last command byte is on the line, one character after
// it was written, so the 10 ms after that byte overlap the answer.
//   version query = flush read of 29 bytes on a quiet line (358 ms) + 2 bytes paced (20 ms)
//                   + 1 + (banner length) characters + 50 ms of silence (none at 29 characters)
//   upload        = flush read of 200 bytes (700 ms) + 1 byte paced (10 ms)
//                   + 1 + 128 characters + 50 ms of silence
//   download      = flush read of 100 bytes (500 ms) + 130 bytes paced (1300 ms)
#pragma once

#include <algorithm>

namespace wb::bench {

inline constexpr double kCharMs = 10.0 * 1000.0 / 4800.0;
inline constexpr double kPacingMs = 10.0;
inline constexpr double kSilenceMs = 50.0;
inline constexpr double kTarget = 1.05;

inline double QuietReadMs(int bytes) {
    return 300.0 + 2.0 * bytes;
}

inline double VersionQueryMs(int bannerLength) {
    const int kept = std::min(bannerLength, 29);
    return QuietReadMs(29) + 2 * kPacingMs + (1 + kept) * kCharMs + (kept < 29 ? kSilenceMs : 0.0);
}

inline double UploadMs() {
    return QuietReadMs(200) + kPacingMs + (1 + 128) * kCharMs + kSilenceMs;
}

inline double DownloadMs() {
    return QuietReadMs(100) + 130 * kPacingMs;
}

}  // namespace wb::bench
