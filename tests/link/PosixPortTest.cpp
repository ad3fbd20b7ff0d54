// The channel on a real terminal: a pseudo-terminal whose device side each test scripts.
// Time limits are checked as lower bounds only.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "link/ComPort.h"
#include "link/PortMap.h"
#include "link/SerialBackend.h"
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

TEST_F(PosixPortTest, ReadReturnsAtTheCountAndLeavesTheRestWaiting) {
    int reported = 0;
    port.SetTransferObserver([&](int bytes) { reported += bytes; });
    device.Send(std::string("12345678"));
    BYTE buffer[16] = {};
    EXPECT_EQ(port.Read(buffer, 5), 5);
    EXPECT_EQ(std::string(buffer, buffer + 5), "12345");
    EXPECT_EQ(port.Read(buffer, 16), 3);
    EXPECT_EQ(std::string(buffer, buffer + 3), "678");
    EXPECT_EQ(reported, 8);
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(PosixPortTest, ReadEndsFiftyMillisecondsAfterTheLastByte) {
    // Six bytes 15 ms apart: gaps shorter than 50 ms do not end the read.
    Clock::time_point lastSent;
    std::jthread script([&] {
        std::this_thread::sleep_for(50ms);
        for (char c : std::string("ABCDEF")) {
            device.Send(std::string(1, c));
            lastSent = Clock::now();
            std::this_thread::sleep_for(15ms);
        }
    });
    BYTE buffer[29];
    const int n = port.Read(buffer, 29);
    const auto end = Clock::now();
    script.join();
    EXPECT_EQ(n, 6);
    EXPECT_EQ(std::string(buffer, buffer + n), "ABCDEF");
    EXPECT_GE(MsSince(lastSent, end), 50);
}

TEST_F(PosixPortTest, QuietReadRunsToItsTotalLimitAndIsNoFailure) {
    BYTE buffer[29];
    const auto start = Clock::now();
    EXPECT_EQ(port.Read(buffer, 29), 0);
    EXPECT_GE(MsSince(start), 358);
    EXPECT_TRUE(messages.texts().empty());
}

TEST_F(PosixPortTest, TotalLimitEndsAReadEvenWhileBytesKeepComing) {
    std::atomic<bool> stop = false;
    std::jthread script([&] {
        for (int i = 0; i < 100 && !stop; ++i) {
            device.Send(std::string(1, 'x'));
            std::this_thread::sleep_for(20ms);
        }
    });
    BYTE buffer[100];
    const auto start = Clock::now();
    const int n = port.Read(buffer, 100);
    const auto elapsed = MsSince(start);
    stop = true;
    EXPECT_GE(elapsed, 500);
    EXPECT_GT(n, 0);
    EXPECT_LT(n, 100);
}

// The platform backend, with the time of every one-byte write call noted.
class TimedBackend final : public SerialBackend {
public:
    PortHandle Open(int port, std::string& reason) override { return m_inner->Open(port, reason); }
    bool GetState(PortHandle port) override { return m_inner->GetState(port); }
    bool SetState(PortHandle port) override { return m_inner->SetState(port); }
    bool SetTimeouts(PortHandle port, const CommTimeouts& t) override {
        return m_inner->SetTimeouts(port, t);
    }
    bool WriteByte(PortHandle port, BYTE byte, int& written) override {
        writes.push_back(Clock::now());
        return m_inner->WriteByte(port, byte, written);
    }
    bool Read(PortHandle port, BYTE* buffer, int count, int& received,
              const TransferObserver& progress) override {
        return m_inner->Read(port, buffer, count, received, progress);
    }
    bool Close(PortHandle port) override { return m_inner->Close(port); }
    void Sleep(int milliseconds) override { m_inner->Sleep(milliseconds); }

    std::vector<Clock::time_point> writes;

private:
    std::unique_ptr<SerialBackend> m_inner = MakePlatformBackend();
};

TEST(PosixPacing, NoTwoBytesGoOutLessThanTenMillisecondsApart) {
    PtyDevice device;
    MessageRecorder messages;
    TimedBackend backend;
    CComPort port(backend);
    ASSERT_FALSE(port.Open());

    const std::vector<BYTE> data = {0x1B, 0x44, 0x00, 0xFF, 0x0D, 0x0A, 0x11, 0x13, 0x7F, 0x55};
    std::vector<PtyDevice::Arrival> arrivals;
    std::jthread listener([&] { arrivals = device.Receive(data.size(), 3s); });
    const auto start = Clock::now();
    EXPECT_FALSE(port.Write(data.data(), static_cast<int>(data.size())));
    const auto end = Clock::now();
    listener.join();
    EXPECT_FALSE(port.Close());

    ASSERT_EQ(backend.writes.size(), data.size());
    for (std::size_t i = 1; i < data.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_GE(backend.writes[i] - backend.writes[i - 1], 10ms);
    }
    EXPECT_GE(end - backend.writes.back(), 10ms);  // the last byte has its pause too

    // On the device side the terminal may hand over several bytes at once, so what holds there
    // is that byte k cannot arrive before k pauses have passed.
    ASSERT_EQ(arrivals.size(), data.size());
    std::vector<BYTE> received;
    for (std::size_t k = 0; k < arrivals.size(); ++k) {
        SCOPED_TRACE(k);
        received.push_back(arrivals[k].byte);
        EXPECT_GE(arrivals[k].at - start, k * 10ms);
    }
    EXPECT_EQ(received, data);  // raw: no byte mapped, dropped or doubled
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

TEST_F(PosixPortTest, SecondOpenOfTheSamePortIsRefusedEvenForRoot) {
    CComPort other(*backend);
    EXPECT_TRUE(other.Open());
    EXPECT_FALSE(other.IsOpen());
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Count not aquire Com Port");
    EXPECT_NE(messages.messages()[0].detail.find("busy: another program holds the port"),
              std::string::npos)
        << messages.messages()[0].detail;

    // Another program's lock is honoured the same way.
    EXPECT_FALSE(port.Close());
    const int fd = open(device.path().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
    EXPECT_TRUE(port.Open());
    close(fd);
    EXPECT_FALSE(port.Open());

    // Once the first one lets go, the other gets the port.
    EXPECT_FALSE(port.Close());
    EXPECT_FALSE(other.Open());
    EXPECT_FALSE(other.Close());
}

TEST_F(PosixPortTest, HangUpDuringAReadFailsTheRead) {
    std::jthread script([&] {
        std::this_thread::sleep_for(100ms);
        device.HangUp();
    });
    BYTE buffer[100];
    EXPECT_EQ(port.Read(buffer, 100), 0);
    script.join();
    EXPECT_EQ(messages.texts(), Texts{"ComPort read failed"});
    EXPECT_FALSE(port.Close());
}

TEST_F(PosixPortTest, HangUpDuringAWriteFailsTheWrite) {
    std::jthread script([&] {
        device.Receive(2, 2s);
        device.HangUp();
    });
    const std::vector<BYTE> data(20, 0x55);
    EXPECT_TRUE(port.Write(data.data(), 20));
    script.join();
    EXPECT_EQ(messages.texts(), Texts{"ComPort write failed"});
    EXPECT_FALSE(port.Close());
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
