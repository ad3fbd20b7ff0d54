// The real channel, through a real pseudo-terminal, against the simulated beacon.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "link/ComPort.h"
#include "tests/support/MessageRecorder.h"
#include "tools/sim/SimulatedBeacon.h"

namespace {

using wb::sim::Fault;
using wb::sim::SimulatedBeacon;
using wb::test::MessageRecorder;
using Image = std::array<BYTE, 128>;
using namespace std::chrono_literals;

class SimulatorEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        beacon_.Start();
        ::setenv("WRENBEACON_COM1", beacon_.DevicePath().c_str(), 1);
        port_.SetPort(1);
    }
    void TearDown() override { ::unsetenv("WRENBEACON_COM1"); }

    // The host's bytes, in order, as the device received them.
    std::vector<BYTE> HostBytes() const {
        std::vector<BYTE> out;
        for (const auto& b : beacon_.Log()) {
            if (b.fromHost) {
                out.push_back(b.value);
            }
        }
        return out;
    }

    static Image Pattern() {
        Image image{};
        for (int i = 0; i < 128; ++i) {
            image[i] = static_cast<BYTE>(i * 7 + 3);
        }
        return image;
    }

    SimulatedBeacon beacon_;
    CComPort port_;
    MessageRecorder messages_;
};

TEST_F(SimulatorEndToEnd, VersionQueryReturnsBannerAndClosesPort) {
    char banner[32];
    std::memset(banner, '#', sizeof banner);
    ASSERT_FALSE(port_.ReadVersion(banner, 30));
    EXPECT_EQ(std::string(banner), "Wrenbeacon 1.0 (simulated)");
    EXPECT_TRUE(messages_.messages().empty());
    EXPECT_EQ(HostBytes(), (std::vector<BYTE>{0x1B, 0x1B, 0x56}));
    // Closed again: a second channel can take the port.
    CComPort other;
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
    EXPECT_EQ(HostBytes(), expected);

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

TEST_F(SimulatorEndToEnd, ToneCommandsSendStopFirstAndReadNothing) {
    for (char code : {'1', '2', '3', 'x'}) {
        beacon_.ClearLog();
        ASSERT_FALSE(port_.SendTone(code));
        EXPECT_EQ(HostBytes(),
                  (std::vector<BYTE>{0x1B, 0x1B, 0x78, 0x1B, 0x1B, static_cast<BYTE>(code)}));
        EXPECT_EQ(beacon_.Tone(), code);
    }
    EXPECT_TRUE(messages_.messages().empty());
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

TEST_F(SimulatorEndToEnd, ShortUploadFailsTheVerifiedWriteWithBothCounts) {
    beacon_.SetFault(Fault::ShortUpload);
    const Image image = Pattern();
    EXPECT_TRUE(port_.WriteImage(image.data(), 128));
    EXPECT_EQ(messages_.texts(), std::vector<std::string>{"Write Failed (code 128 127)"});
    BYTE buffer[200];
    EXPECT_EQ(port_.ReadImage(buffer, 200), 127);  // agreeing uploads; the caller judges the count
}

TEST_F(SimulatorEndToEnd, UploadsThatDifferFailTheVerifiedReadSilently) {
    beacon_.SetFault(Fault::UnstableUpload);
    BYTE buffer[200];
    EXPECT_EQ(port_.ReadImage(buffer, 200), 0);
    EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(SimulatorEndToEnd, CorruptReadBackFailsTheVerifiedWrite) {
    beacon_.SetFault(Fault::CorruptReadback);
    const Image image = Pattern();
    EXPECT_TRUE(port_.WriteImage(image.data(), 128));
    EXPECT_EQ(messages_.texts(), std::vector<std::string>{"Write Failed"});
}

TEST_F(SimulatorEndToEnd, HangUpDuringDownloadEndsInChannelMessages) {
    beacon_.SetFault(Fault::HangupInDownload);
    const Image image = Pattern();
    EXPECT_TRUE(port_.WriteImage(image.data(), 128));
    EXPECT_TRUE(beacon_.HungUp());
    // The download dies in its write and closes the port; no read-back is tried.
    EXPECT_EQ(messages_.texts(), std::vector<std::string>{"ComPort write failed"});
    EXPECT_FALSE(port_.IsOpen());
}

TEST_F(SimulatorEndToEnd, SecondChannelCannotTakeAPortThatIsOpen) {
    ASSERT_FALSE(port_.Open());
    CComPort other;
    other.SetPort(1);
    EXPECT_TRUE(other.Open());
    EXPECT_EQ(messages_.texts(), std::vector<std::string>{"Count not aquire Com Port"});
    EXPECT_FALSE(messages_.messages().front().detail.empty());
    EXPECT_FALSE(port_.Close());
}

}  // namespace
