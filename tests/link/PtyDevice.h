// SPDX-License-Identifier: GPL-3.0-or-later
// A pseudo-terminal whose far (master) side a test plays as the device, so that the channel's
// POSIX backend runs against a real terminal.
#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <vector>

#include "core/Types.h"

namespace wb::test {

class PtyDevice {
public:
    using Clock = std::chrono::steady_clock;

    struct Arrival {
        BYTE byte;
        Clock::time_point at;  // when the device side saw it
    };

    // Opens the pair, makes the terminal raw but for XON/XOFF, and points WRENBEACON_COM1 at it.
    PtyDevice();
    ~PtyDevice();
    PtyDevice(const PtyDevice&) = delete;
    PtyDevice& operator=(const PtyDevice&) = delete;

    const std::string& path() const { return m_path; }
    // A descriptor of the terminal side held by the test, so that the device side sees no
    // hang-up between exchanges; also the way to look at and stop the line.
    int terminal() const { return m_terminal; }

    void Send(const std::vector<BYTE>& bytes);
    void Send(const std::string& text);

    // What arrives at the device side until `count` bytes have come or `limit` has passed.
    std::vector<Arrival> Receive(std::size_t count, std::chrono::milliseconds limit);

    // Drops the line as an unplugged adapter would. Safe while another thread sends.
    void HangUp();

private:
    std::atomic<int> m_master = -1;  // HangUp may come from another thread
    int m_terminal = -1;
    std::string m_path;
};

}  // namespace wb::test
