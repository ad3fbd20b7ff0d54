// SPDX-License-Identifier: GPL-3.0-or-later
// The POSIX backend beyond the contract every backend keeps (contract/): its terminal settings,
// locks, a line that holds bytes back, opening what is no serial line. Time limits are checked
// as lower bounds only.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "link/ComPort.h"
#include "link/PortMap.h"
#include "link/SerialBackend.h"
#include "link/SerialBackendPosix.h"
#include "tests/link/PtyDevice.h"
#include "tests/support/MessageRecorder.h"

namespace wb::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Texts = std::vector<std::string>;

long long MsSince(Clock::time_point start, Clock::time_point end = Clock::now()) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(end - start).count();
}

class PosixPortTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(port.Open()); }
    void TearDown() override {
        if (port.IsOpen()) {
            port.Close();
        }
    }

    PtyDevice device;
    MessageRecorder messages;
    std::unique_ptr<wb::SerialBackend> backend = wb::MakePlatformBackend();
    CComPort port{*backend};
};

TEST_F(PosixPortTest, OpenPutsTheLineInRawFourEightHundredEightNOne) {
    termios line{};
    ASSERT_EQ(tcgetattr(device.terminal(), &line), 0);
    EXPECT_EQ(cfgetospeed(&line), static_cast<speed_t>(B4800));
    EXPECT_EQ(cfgetispeed(&line), static_cast<speed_t>(B4800));
    EXPECT_EQ(line.c_cflag & (CSIZE | PARENB | CSTOPB), static_cast<tcflag_t>(CS8));
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(line.c_oflag & OPOST, 0u);
    EXPECT_FALSE(port.Close());
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(PosixPortTest, ByteThatCannotGoOutWithinItsLimitIsToldAsAMismatch) {
    ASSERT_EQ(tcflow(device.terminal(), TCOOFF), 0);
    const BYTE data[] = {'a', 'b'};
    const auto start = Clock::now();
    EXPECT_TRUE(port.Write(data, 2));
    EXPECT_GE(MsSince(start), 2 * (302 + 10));
    EXPECT_EQ(messages.texts(), Texts{"ComPort write mismatch"});
    EXPECT_TRUE(port.IsOpen());

    ASSERT_EQ(tcflow(device.terminal(), TCOON), 0);
    messages.clear();
    EXPECT_FALSE(port.Write(data, 1));
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(PosixPortTest, AnotherProgramsLockOnThePortIsHonoured) {
    EXPECT_FALSE(port.Close());
    const int fd = open(device.path().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
    EXPECT_TRUE(port.Open());
    close(fd);
    EXPECT_FALSE(port.Open());
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Count not aquire Com Port");
    EXPECT_NE(messages.messages()[0].detail.find("busy: another program holds the port"),
              std::string::npos);
}

// A line whose hardware handshake holds written bytes in the output queue (CTS low), which a
// pseudo-terminal cannot show: it passes bytes on at once.
class HeldBackBackend final : public PosixSerialBackend {
public:
    Clock::time_point releaseAt = Clock::time_point::max();  // when CTS rises
    int discards = 0;

protected:
    int OutputQueued(int fd) override {
        return Clock::now() < releaseAt ? 1 : PosixSerialBackend::OutputQueued(fd);
    }
    void DiscardOutput(int fd) override {
        ++discards;
        PosixSerialBackend::DiscardOutput(fd);
    }
};

TEST(PosixHeldBack, ByteThatDoesNotLeaveTheQueueInTimeIsNotWrittenAndDiscardedBeforeClose) {
    PtyDevice device;
    MessageRecorder messages;
    HeldBackBackend backend;
    CComPort port(backend);
    const BYTE data[] = {'a', 'b'};

    ASSERT_FALSE(port.Open());
    const auto start = Clock::now();
    EXPECT_TRUE(port.Write(data, 2));
    EXPECT_GE(MsSince(start), 2 * (302 + 10));
    EXPECT_EQ(messages.texts(), Texts{"ComPort write mismatch"});
    EXPECT_EQ(backend.discards, 0);
    EXPECT_FALSE(port.Close());
    EXPECT_EQ(backend.discards, 1);

    // CTS rising within the limit lets the byte count; nothing is discarded then.
    messages.clear();
    ASSERT_FALSE(port.Open());
    backend.releaseAt = Clock::now() + std::chrono::milliseconds(30);
    EXPECT_FALSE(port.Write(data, 1));
    EXPECT_FALSE(port.Close());
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_EQ(backend.discards, 1);
}

TEST_F(PosixPortTest, VersionQueryOverTheLine) {
    EXPECT_FALSE(port.Close());
    device.Send(std::string("\r\nGPS noise $GPRMC,,V*33\r\n"));  // waiting before the query
    std::jthread beacon([&] {
        const auto query = device.Receive(3, 3s);
        std::vector<BYTE> bytes;
        for (const auto& a : query) {
            bytes.push_back(a.byte);
        }
        if (bytes == std::vector<BYTE>{0x1B, 0x1B, 'V'}) {
            device.Send(std::string("WrenBeacon v1.4\r\n"));
        }
    });
    char text[32];
    EXPECT_FALSE(port.ReadVersion(text, 30));
    beacon.join();
    EXPECT_STREQ(text, "WrenBeacon v1.4\r\n");
    EXPECT_TRUE(messages.texts().empty());
    EXPECT_FALSE(port.IsOpen());
}

// Port mapping on this machine, and opening what is not a serial line or nothing at all.
class PosixOpenTest : public ::testing::Test {
protected:
    void TearDown() override { unsetenv("WRENBEACON_COM1"); }

    MessageRecorder messages;
    std::unique_ptr<wb::SerialBackend> backend = wb::MakePlatformBackend();
    CComPort port{*backend};
};

TEST_F(PosixOpenTest, PortMapReadsTheEnvironment) {
    setenv("WRENBEACON_COM2", "/tmp/wrenbeacon-test-port", 1);
    EXPECT_EQ(ComPortDevice(2), "/tmp/wrenbeacon-test-port");
    EXPECT_EQ(DescribeComPort(2), "COM2 = /tmp/wrenbeacon-test-port (WRENBEACON_COM2)");
    unsetenv("WRENBEACON_COM2");
}

TEST_F(PosixOpenTest, MissingDeviceIsToldWithTheReason) {
    setenv("WRENBEACON_COM1", "/nonexistent/ttyUSB9", 1);
    EXPECT_TRUE(port.Open());
    EXPECT_FALSE(port.IsOpen());
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Count not aquire Com Port");
    EXPECT_EQ(messages.messages()[0].detail.rfind("No such device: /nonexistent/ttyUSB9.", 0), 0u)
        << messages.messages()[0].detail;
}

TEST_F(PosixOpenTest, FileThatIsNoTerminalIsHeldUntilTheNextOpen) {
    char path[] = "/tmp/wrenbeacon-not-a-tty-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    setenv("WRENBEACON_COM1", path, 1);
    EXPECT_TRUE(port.Open());
    EXPECT_TRUE(port.IsOpen());
    EXPECT_TRUE(port.Open());  // closes the held one first, then fails the same way
    EXPECT_EQ(messages.texts(), (Texts{"GetCommState failed", "GetCommState failed"}));
    EXPECT_FALSE(port.Close());
    unlink(path);
}

}  // namespace
}  // namespace wb::test
