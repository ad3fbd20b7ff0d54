// SPDX-License-Identifier: GPL-3.0-or-later
// A running simulated beacon, and exchanges with it the way the host makes them: open the port,
// send a command, read the answer, close.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "PtyHost.h"
#include "tests/support/BeaconOnCom1.h"
#include "tools/sim/SimulatedBeacon.h"

namespace wb::test {

inline constexpr std::uint8_t kEsc = 0x1B;
inline const Bytes kVersionQuery{kEsc, kEsc, 'V'};
inline const Bytes kUpload{kEsc, 'U'};

inline Bytes DownloadCommand(const Bytes& image) {
    Bytes bytes{kEsc, 'D'};
    bytes.resize(2 + image.size());
    std::copy(image.begin(), image.end(), bytes.begin() + 2);
    return bytes;
}

inline Bytes ToBytes(const sim::Image& image) {
    return {image.begin(), image.end()};
}
inline Bytes ToBytes(const std::string& text) {
    return {text.begin(), text.end()};
}
inline const Bytes kBanner = ToBytes(std::string("Wrenbeacon 1.0 (simulated)"));

// Every byte a terminal might translate or act on, and command bytes, among others.
inline Bytes AwkwardImage() {
    Bytes image{0x00, 0x03, 0x04, 0x08, 0x0A, 0x0D, 0x11, 0x13, 0x15, 0x17, 0x1A, 0x1B,
                0x1C, 0x7F, 0x80, 0xFF, kEsc, kEsc, 'V',  kEsc, 'U',  kEsc, 'D'};
    for (std::size_t i = image.size(); i < sim::kImageSize; ++i) {
        image.push_back(static_cast<std::uint8_t>(i * 37 + 11));
    }
    return image;
}

class SimBeacon : public ::testing::Test {
protected:
    void SetUp() override { beacon.Start(); }

    Bytes Exchange(const Bytes& command, std::size_t answerSize) {
        PtyHost host(beacon.DevicePath());
        EXPECT_TRUE(host.Write(command));
        return host.Read(answerSize);
    }
    Bytes AskVersion() { return Exchange(kVersionQuery, 29); }
    Bytes AskUpload() { return Exchange(kUpload, 200); }
    // Returns once the beacon has stored the image (or given up waiting for it).
    void SendDownload(const Bytes& image) {
        const int before = beacon.Downloads();
        Exchange(DownloadCommand(image), 0);
        for (int i = 0; i < 100 && beacon.Downloads() == before; ++i) {
            std::this_thread::sleep_for(milliseconds(10));
        }
    }

    sim::SimulatedBeacon beacon;
};

}  // namespace wb::test
