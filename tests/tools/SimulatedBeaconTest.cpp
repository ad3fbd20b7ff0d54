// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <thread>

#include "BeaconFixture.h"
#include "tools/sim/PacedLine.h"

namespace wb::test {
namespace {

using namespace std::chrono_literals;

TEST_F(SimBeacon, AnswersVersionQueryWithItsBanner) {
    EXPECT_EQ(AskVersion(), kBanner);
    beacon.SetBanner("WRENBEACON 2.3");
    EXPECT_EQ(AskVersion(), ToBytes(std::string("WRENBEACON 2.3")));
    EXPECT_EQ(beacon.VersionQueries(), 2);
    EXPECT_EQ(beacon.Uploads(), 0);
}

TEST_F(SimBeacon, UploadIsTheDefaultImagePacedLikeA4800BaudLine) {
    {
        PtyHost host(beacon.DevicePath());
        ASSERT_TRUE(host.Write(kUpload));
        EXPECT_EQ(host.ReadLikeHost(200), ToBytes(sim::DefaultImage()));
    }
    EXPECT_EQ(beacon.Uploads(), 1);
    const std::vector<sim::LoggedByte> log = beacon.Log();
    ASSERT_EQ(log.size(), 2 + sim::kImageSize);
    // No byte leaves before the line could have carried it: byte k after k + 1 characters.
    for (std::size_t k = 0; k < sim::kImageSize; ++k) {
        ASSERT_FALSE(log[2 + k].fromHost);
        EXPECT_GE(log[2 + k].at - log[1].at, sim::PacedLine::LineTime(std::int64_t(k) + 1)) << k;
    }
    EXPECT_GE(log.back().at - log[1].at, 266ms);
}

TEST_F(SimBeacon, DownloadIsStoredAndUploadedByteForByte) {
    const Bytes image = AwkwardImage();
    SendDownload(image);
    EXPECT_EQ(ToBytes(beacon.Eeprom()), image);
    EXPECT_EQ(beacon.Downloads(), 1);
    EXPECT_EQ(AskUpload(), image);
    // Nothing translated on the way in either: the beacon saw exactly what the host wrote.
    Bytes sent = DownloadCommand(image);
    sent.insert(sent.end(), kUpload.begin(), kUpload.end());
    EXPECT_EQ(Values(beacon.Log(), true), sent);
}

// The beacon's terminal starts as a serial port does (cooked, 38400); what a host gets depends
// on the settings it makes and its pace, and --log says why a command went unanswered.
TEST(SimStrict, AnswersOnlyAHostOn4800EightNOneRawThatPacesItsBytes) {
    const auto settings = [](speed_t speed, tcflag_t termios::*field, tcflag_t on) {
        return [=](int fd) {
            termios t{};
            tcgetattr(fd, &t);
            cfmakeraw(&t);
            cfsetspeed(&t, speed);
            t.*field |= on;
            tcsetattr(fd, TCSANOW, &t);
        };
    };
    const struct {
        const char* name;
        bool lenient;
        std::function<void(int)> settle;  // empty: the line as the terminal starts
        milliseconds pause;
        const char* remark;  // empty: answered
    } cases[] = {
        {"settled and paced", false, settings(B4800, &termios::c_iflag, 0), milliseconds(10), ""},
        {"as it starts", false, {}, milliseconds(10), "38400 baud, not 4800"},
        {"9600 baud", false, settings(B9600, &termios::c_iflag, 0), milliseconds(10),
         "9600 baud, not 4800"},
        {"echo on", false, settings(B4800, &termios::c_lflag, ECHO), milliseconds(10), "ECHO"},
        {"XON/XOFF", false, settings(B4800, &termios::c_iflag, IXON), milliseconds(10), "IXON"},
        {"unpaced download", false, settings(B4800, &termios::c_iflag, 0), milliseconds(2),
         "lost byte"},
        {"lenient, unsettled and unpaced", true, {}, milliseconds(2), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sim::SimulatedBeacon beacon;
        beacon.SetLenient(c.lenient);
        beacon.Start();
        if (c.settle) {  // the settings stay with the terminal
            const int fd = open(beacon.DevicePath().c_str(), O_RDWR | O_NOCTTY);
            c.settle(fd);
            close(fd);
        }
        PtyHost host(beacon.DevicePath(), false);
        ASSERT_TRUE(host.IsOpen());
        const bool download = std::string(c.name) == "unpaced download";
        EXPECT_TRUE(
            host.Write(download ? DownloadCommand(AwkwardImage()) : kVersionQuery, c.pause));
        const Bytes answer = host.Read(29, milliseconds(100), milliseconds(400));
        std::string remarks;
        for (const sim::Remark& r : beacon.TakeRemarks()) {
            if (r.text.find("on trust") == std::string::npos) {  // doubts of a stalled machine
                remarks += r.text + "\n";
            }
        }
        if (download) {
            EXPECT_EQ(beacon.Downloads(), 0);
        }
        if (std::string(c.remark).empty()) {
            EXPECT_EQ(answer, kBanner);
            EXPECT_EQ(remarks, "");
        } else {
            // The bytes of an image sent too fast that the beacon does take may make a command.
            EXPECT_TRUE(answer.empty() || download);
            EXPECT_NE(remarks.find(c.remark), std::string::npos) << remarks;
        }
    }
}

// The device loses a byte of a command that comes less than 9 ms after the one before: a host
// that forgets to pace a command gets nothing done, whatever the command. When the machine
// stalls, the beacon cannot tell a burst from paced bytes handed on late; it then takes them on
// trust and says so.
TEST(SimStrict, LosesACommandSentInOneBurstAndTakesItPaced) {
    const struct {
        const char* name;
        Bytes command;
        std::function<bool(const sim::SimulatedBeacon&)> done;
    } cases[] = {
        {"version query", kVersionQuery, [](auto& b) { return b.VersionQueries() == 1; }},
        {"tone", {kEsc, kEsc, '1'}, [](auto& b) { return b.Tone() == '1'; }},
        {"upload", kUpload, [](auto& b) { return b.Uploads() == 1; }},
        {"download", DownloadCommand(AwkwardImage()), [](auto& b) { return b.Downloads() == 1; }},
    };
    int lostBursts = 0;
    for (const auto& c : cases) {
        for (const bool paced : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (paced ? ", paced" : ", in one burst"));
            sim::SimulatedBeacon beacon;
            beacon.Start();
            PtyHost host(beacon.DevicePath());
            host.Read(1, 50ms, 50ms);  // as a host's flush read: the beacon has seen it come
            ASSERT_TRUE(paced ? host.Write(c.command) : host.WriteAtOnce(c.command));
            std::string remarks;
            for (int i = 0; i < 200 && !c.done(beacon) && remarks.empty(); ++i) {
                std::this_thread::sleep_for(10ms);
                for (const sim::Remark& r : beacon.TakeRemarks()) {
                    remarks += r.text + "\n";
                }
            }
            const bool lost = remarks.find("lost byte") != std::string::npos;
            const bool trusted = remarks.find("on trust") != std::string::npos;
            if (paced) {
                EXPECT_TRUE(c.done(beacon));
                EXPECT_FALSE(lost) << remarks;
            } else {
                EXPECT_TRUE(lost || trusted) << remarks;
                EXPECT_EQ(c.done(beacon), !lost) << remarks;
                lostBursts += lost ? 1 : 0;
            }
        }
    }
    EXPECT_GT(lostBursts, 0);
}

TEST_F(SimBeacon, FollowsToneCommandsWithoutAnswerOrEcho) {
    EXPECT_EQ(beacon.Tone(), 'x');
    PtyHost host(beacon.DevicePath());
    for (std::uint8_t code : {'x', '1', 'x', '3', 'x', '2', 'q'}) {  // 'q' is no tone
        ASSERT_TRUE(host.Write({kEsc, kEsc, code}));
    }
    EXPECT_TRUE(host.Read(1, 200ms, 200ms).empty());
    EXPECT_EQ(beacon.Tone(), '2');
    EXPECT_EQ(beacon.ToneCommands(), 6);
}

TEST_F(SimBeacon, IgnoresStrayBytesAndUnfinishedCommands) {
    PtyHost host(beacon.DevicePath());
    ASSERT_TRUE(host.Write({'h', 'i', '\r', '\n', kEsc, 'Z', kEsc, kEsc, 'q', 'U'}));
    EXPECT_TRUE(host.Read(1, 200ms, 200ms).empty());
    ASSERT_TRUE(host.Write({kEsc, kEsc, kEsc, 'V'}));  // extra escapes still make a query
    EXPECT_EQ(host.Read(29), kBanner);
    EXPECT_EQ(beacon.Uploads() + beacon.ToneCommands(), 0);
}

TEST_F(SimBeacon, DownloadInterruptedForOverASecondIsDropped) {
    PtyHost host(beacon.DevicePath());
    const Bytes download = DownloadCommand(AwkwardImage());
    ASSERT_TRUE(host.Write(Bytes(download.begin(), download.begin() + 62)));
    std::this_thread::sleep_for(1200ms);
    // Were the beacon still collecting the image, the query would vanish into it.
    ASSERT_TRUE(host.Write(kVersionQuery));
    EXPECT_EQ(host.Read(29), kBanner);
    EXPECT_EQ(beacon.Downloads(), 0);
    EXPECT_EQ(beacon.Eeprom(), sim::DefaultImage());
}

TEST_F(SimBeacon, LogHoldsEveryByteInOrderWithItsTime) {
    const auto before = std::chrono::steady_clock::now();
    ASSERT_EQ(AskVersion(), kBanner);
    const std::vector<sim::LoggedByte> log = beacon.TakeLog();
    EXPECT_EQ(Values(log, true), kVersionQuery);
    EXPECT_EQ(Values(log, false), kBanner);
    EXPECT_TRUE(log[0].fromHost && log[1].fromHost && log[2].fromHost);
    EXPECT_GE(log.front().at, before);
    EXPECT_TRUE(
        std::is_sorted(log.begin(), log.end(), [](auto& a, auto& b) { return a.at < b.at; }));
    EXPECT_TRUE(beacon.Log().empty());
}

TEST_F(SimBeacon, ServesOneHostAfterAnotherWithoutSpinningBetween) {
    EXPECT_EQ(AskVersion(), kBanner);
    const long before = beacon.Wakeups();
    std::this_thread::sleep_for(500ms);
    // It looks for a host every 5 ms, about a hundred times in the half second, however busy
    // the machine; a beacon polling the hung-up terminal in a loop would wake up without end.
    EXPECT_LT(beacon.Wakeups() - before, 500);
    EXPECT_EQ(AskUpload(), ToBytes(sim::DefaultImage()));
}

TEST_F(SimBeacon, StopClosesTheTerminalAndStartOpensANewOne) {
    const std::string first = beacon.DevicePath();
    beacon.Stop();
    struct stat info {};
    EXPECT_NE(stat(first.c_str(), &info), 0);
    beacon.Start();
    EXPECT_EQ(AskVersion(), kBanner);
}

}  // namespace
}  // namespace wb::test
