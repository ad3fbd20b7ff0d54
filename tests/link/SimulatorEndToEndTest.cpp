// SPDX-License-Identifier: GPL-3.0-or-later
// The real channel, through a real pseudo-terminal, against the simulated beacon.
#include <gtest/gtest.h>
#include <memory>

#include <array>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "link/ComPort.h"
#include "tests/support/BeaconOnCom1.h"
#include "tests/support/MessageRecorder.h"

namespace {

using wb::sim::Fault;
using wb::test::MessageRecorder;
using Image = std::array<BYTE, 128>;
using namespace std::chrono_literals;

class SimulatorEndToEnd : public ::testing::Test {
protected:
    static Image Pattern() {
        Image image{};
        for (int i = 0; i < 128; ++i) {
            image[i] = static_cast<BYTE>(i * 7 + 3);
        }
        return image;
    }

    wb::test::BeaconOnCom1 com1_;
    wb::sim::SimulatedBeacon& beacon_ = com1_.beacon;
    std::unique_ptr<wb::SerialBackend> backend_ = wb::MakePlatformBackend();
    CComPort port_{*backend_};
    MessageRecorder messages_;
};

TEST_F(SimulatorEndToEnd, VersionQueryReturnsBannerAndClosesPort) {
    char banner[32];
    std::memset(banner, '#', sizeof banner);
    ASSERT_FALSE(port_.ReadVersion(banner, 30));
    EXPECT_EQ(std::string(banner), "Wrenbeacon 1.0 (simulated)");
    EXPECT_TRUE(messages_.messages().empty());
    EXPECT_EQ(com1_.HostBytes(), (std::vector<BYTE>{0x1B, 0x1B, 0x56}));
    // Closed again: a second channel can take the port.
    CComPort other(*backend_);
    other.SetPort(1);
    EXPECT_FALSE(other.Open());
    EXPECT_FALSE(other.Close());
}

TEST_F(SimulatorEndToEnd, VersionAnswerIsCutAt29CharactersAndAcceptedInAnyCase) {
    beacon_.SetBanner("wRENBEACON firmware 2.17 build 2026-12-01");
    char banner[32];
    ASSERT_FALSE(port_.ReadVersion(banner, 30));
    EXPECT_EQ(std::string(banner),
              std::string("wRENBEACON firmware 2.17 build 2026-12-01").substr(0, 29));
}

TEST_F(SimulatorEndToEnd, VerifiedReadGivesTheDeviceImage) {
    beacon_.SetEeprom(Pattern());
    BYTE buffer[200] = {};
    ASSERT_EQ(port_.ReadImage(buffer, 200), 128);
    EXPECT_TRUE(std::equal(buffer, buffer + 128, Pattern().begin()));
    EXPECT_EQ(beacon_.Uploads(), 2);
    EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(SimulatorEndToEnd, VerifiedWriteStoresTheImageAndPacesEveryByte) {
    const Image image = Pattern();
    ASSERT_FALSE(port_.WriteImage(image.data(), 128));
    EXPECT_EQ(beacon_.Eeprom(), image);
    EXPECT_TRUE(messages_.messages().empty());

    std::vector<BYTE> expected = {0x1B, 0x44};
    expected.insert(expected.end(), image.begin(), image.end());
    expected.push_back(0x1B);
    expected.push_back(0x55);
    EXPECT_EQ(com1_.HostBytes(), expected);

    // No byte of the command may reach the device sooner than 10 ms per byte after the first.
    // Arrival times carry the simulator's wake-up jitter, so the bound allows 20 ms of it: a
    // missing pause would still show as hundreds of milliseconds.
    std::vector<std::chrono::steady_clock::time_point> arrivals;
    for (const auto& b : beacon_.Log()) {
        if (b.fromHost) {
            arrivals.push_back(b.at);
        }
    }
    ASSERT_EQ(arrivals.size(), 132u);
    for (int k = 1; k < 130; ++k) {
        EXPECT_GE(arrivals[k] - arrivals[0], k * 10ms - 20ms) << "byte " << k;
    }
}

TEST_F(SimulatorEndToEnd, SilentAndWrongBannersAreNotAWrenbeacon) {
    for (Fault fault : {Fault::Silent, Fault::WrongBanner, Fault::ShortBanner}) {
        beacon_.SetFault(fault);
        messages_.clear();
        char banner[32];
        EXPECT_TRUE(port_.ReadVersion(banner, 30));
        EXPECT_EQ(messages_.texts(), std::vector<std::string>{"Wrenbeacon Not Found"});
    }
}

TEST_F(SimulatorEndToEnd, NoiseBeforeCommandsIsSwallowedByTheFlushRead) {
    beacon_.SetFault(Fault::NoiseBeforeCommand);
    char banner[32];
    ASSERT_FALSE(port_.ReadVersion(banner, 30));
    EXPECT_EQ(std::string(banner).rfind("Wrenbeacon", 0), 0u);
    BYTE buffer[200];
    EXPECT_EQ(port_.ReadImage(buffer, 200), 128);
    EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(SimulatorEndToEnd, ImageFaultsFailTheVerifiedReadOrWriteAsTold) {
    const struct {
        Fault fault;
        bool write;
        int readCount;  // the verified read's result
        std::vector<std::string> texts;
    } cases[] = {
        {Fault::ShortUpload, true, 0, {"Write Failed (code 128 127)"}},
        // Agreeing uploads: the caller judges the count.
        {Fault::ShortUpload, false, 127, {}},
        {Fault::UnstableUpload, false, 0, {}},
        {Fault::CorruptReadback, true, 0, {"Write Failed"}},
        // Last, as the line is gone after it: the download dies in its write and closes the
        // port; no read-back is tried.
        {Fault::HangupInDownload, true, 0, {"ComPort write failed"}},
    };
    const Image image = Pattern();
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.fault));
        messages_.clear();
        const int uploadsBefore = beacon_.Uploads();
        beacon_.SetFault(c.fault);
        if (c.write) {
            EXPECT_TRUE(port_.WriteImage(image.data(), 128));
        } else {
            BYTE buffer[200];
            EXPECT_EQ(port_.ReadImage(buffer, 200), c.readCount);
        }
        EXPECT_EQ(messages_.texts(), c.texts);
        EXPECT_FALSE(port_.IsOpen());
        if (c.fault == Fault::HangupInDownload) {
            EXPECT_TRUE(beacon_.HungUp());
            EXPECT_EQ(beacon_.Uploads(), uploadsBefore);
        }
    }
}

}  // namespace
