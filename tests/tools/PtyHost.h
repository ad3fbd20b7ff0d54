// SPDX-License-Identifier: GPL-3.0-or-later
// The host's end of the simulated beacon's terminal, held the way a serial program holds a port:
// raw at 4800 baud and exclusive, written one byte at a time with a 10 ms pause after each.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace wb::test {

using Bytes = std::vector<std::uint8_t>;
using std::chrono::milliseconds;

class PtyHost {
public:
    // `settle`: make the line raw at 4800 baud; false leaves the settings as they are.
    explicit PtyHost(const std::string& path, bool settle = true);
    ~PtyHost();
    PtyHost(const PtyHost&) = delete;
    PtyHost& operator=(const PtyHost&) = delete;

    bool IsOpen() const { return m_fd >= 0; }

    // False at the first byte that cannot be written.
    bool Write(const Bytes& bytes, milliseconds pause = milliseconds(10));
    // All of `bytes` in one write, as a host that forgets the pacing would send them.
    bool WriteAtOnce(const Bytes& bytes);

    // Reads until `count` bytes came, `gap` passed after a byte without another, or `limit`
    // passed since the start. The defaults suit a busy machine; ReadLikeHost is the real thing.
    Bytes Read(std::size_t count, milliseconds gap = milliseconds(300),
               milliseconds limit = milliseconds(3000));

    // 50 ms of silence after a byte ends the read, 300 ms + 2 ms a byte asked for at the latest.
    Bytes ReadLikeHost(std::size_t count) {
        return Read(count, milliseconds(50), milliseconds(300 + 2 * count));
    }

private:
    int m_fd = -1;
};

}  // namespace wb::test
