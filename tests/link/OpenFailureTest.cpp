// SPDX-License-Identifier: GPL-3.0-or-later
// What the user is told beside "Count not aquire Com Port", and the program named that holds a
// busy port.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/MessageSink.h"
#include "link/ComPort.h"
#include "link/OpenFailure.h"
#include "link/SerialBackendPosix.h"
#include "tests/link/PtyDevice.h"
#include "tests/support/MessageRecorder.h"

namespace wb {
namespace {

const AdapterWithoutPort kClaimed{"CH340 USB serial adapter", "1a86:7523",
                                  "The braille display service brltty (pid 812) claimed it."};

TEST(OpenFailure, DetailSaysWhatHappenedAndWhatToDo) {
    struct Case {
        PosixOpenFailure failure;
        std::string detail;
    };
    const Case cases[] = {
        {{3, "", 0, "", {}, {}, {}},
         "No serial adapter maps to COM3 on this computer. Plug one in, or set WRENBEACON_COM3 to "
         "the device to use (for example /dev/ttyUSB0)."},
        {{1, "", 0, "", {}, {}, {kClaimed}},
         "No serial adapter maps to COM1 on this computer. Plug one in, or set WRENBEACON_COM1 to "
         "the device to use (for example /dev/ttyUSB0). A CH340 USB serial adapter (1a86:7523) is "
         "plugged in but has no serial port. The braille display service brltty (pid 812) "
         "claimed it."},
        {{1, "/dev/ttyUSB0", EACCES, "dialout", {}, {}, {}},
         "No permission to use /dev/ttyUSB0: it belongs to the group 'dialout'. Join that group "
         "with 'sudo usermod -aG dialout $USER', then log out and in again."},
        {{1, "/dev/ttyUSB0", EACCES, "", {}, {}, {}},
         "No permission to use /dev/ttyUSB0. Ask for read and write access to it, then log out "
         "and in again."},
        {{1, "/dev/ttyUSB0", EBUSY, "", {}, {}, {}},
         "/dev/ttyUSB0 is busy: another program holds the port. Close that program and try "
         "again."},
        {{1, "/dev/ttyUSB0", EBUSY, "", {{4242, "minicom"}}, {{733, "ModemManager"}}, {}},
         "/dev/ttyUSB0 is busy: minicom (pid 4242) holds it. Close that program and try again."},
        {{1, "/dev/ttyACM0", EBUSY, "", {{733, "ModemManager"}}, {{733, "ModemManager"}}, {}},
         "/dev/ttyACM0 is busy: ModemManager (pid 733) holds it, the mobile broadband service, "
         "which looks for a modem on every adapter for a few seconds after it is plugged in. "
         "Wait a moment and try again; if it stays busy, stop that service (sudo systemctl stop "
         "ModemManager)."},
        {{1, "/dev/ttyACM0", EBUSY, "", {}, {{733, "ModemManager"}}, {}},
         "/dev/ttyACM0 is busy: another program holds it, perhaps ModemManager (pid 733), the "
         "mobile broadband service, which looks for a modem on every adapter for a few seconds "
         "after it is plugged in. Wait a moment and try again, or close the program that holds "
         "the port."},
        {{2, "/dev/ttyACM0", ENOENT, "", {}, {}, {}},
         "No such device: /dev/ttyACM0. Check that the adapter is plugged in and the cable is "
         "connected, or set WRENBEACON_COM2 to the right device."},
        {{0, "/dev/ttyUSB9", ENOENT, "", {}, {}, {kClaimed}},
         "No such device: /dev/ttyUSB9. Check that the adapter is plugged in and the cable is "
         "connected. A CH340 USB serial adapter (1a86:7523) is plugged in but has no serial port. "
         "The braille display service brltty (pid 812) claimed it."},
        {{2, "/dev/ttyACM0", EIO, "", {}, {}, {}}, "/dev/ttyACM0: Input/output error."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OpenFailureDetail(c.failure), c.detail);
    }

    const AdapterWithoutPort noDriver{"USB2.0-Serial", "1a86:7523", "Windows has no driver."};
    EXPECT_EQ(WindowsOpenFailureDetail("COM3", WindowsOpenError::InUse, {}, {}),
              "COM3 is in use by another program. Close that program and try again.");
    EXPECT_EQ(WindowsOpenFailureDetail("COM5", WindowsOpenError::NotFound, {}, {noDriver}),
              "There is no COM5 on this computer. A USB2.0-Serial (1a86:7523) is plugged in but "
              "has no serial port. Windows has no driver.");
    EXPECT_EQ(
        WindowsOpenFailureDetail("COM9", WindowsOpenError::Other, "The device is not ready.", {}),
        "COM9: The device is not ready.");
}

TEST(OpenFailure, GroupOfADeviceIsItsOwningGroup) {
    char path[] = "/tmp/wrenbeacon-group-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    const group* own = getgrgid(getegid());
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(DeviceGroup(path), own->gr_name);
    std::remove(path);
    EXPECT_EQ(DeviceGroup(path), "");
}

// Another process holds the terminal as this program would (the lock, exclusive use) and waits:
// the port opened by its name is refused, and the detail names that process. (This process
// holds the terminal too, but is not named: closing it would not help.)
TEST(OpenFailure, ProgramHoldingABusyPortIsNamed) {
    test::PtyDevice device;
    int started[2];
    ASSERT_EQ(pipe2(started, O_CLOEXEC), 0);
    const pid_t holder = fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        const int fd = open(device.path().c_str(), O_RDWR | O_NOCTTY);
        if (fd < 0 || flock(fd, LOCK_EX | LOCK_NB) != 0) {
            _exit(1);
        }
        ioctl(fd, TIOCEXCL);
        execlp("sleep", "sleep", "30", nullptr);  // closes `started`: the holder is in place
        _exit(1);
    }
    close(started[1]);
    char ignored;
    while (read(started[0], &ignored, 1) < 0 && errno == EINTR) {
    }
    close(started[0]);

    PosixSerialBackend backend;
    test::MessageRecorder messages;
    CComPort port(backend);
    port.SetPortName(device.path());
    EXPECT_TRUE(port.Open());
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Count not aquire Com Port");
    EXPECT_EQ(messages.messages()[0].detail, device.path() + " is busy: sleep (pid " +
                                                 std::to_string(holder) +
                                                 ") holds it. Close that program and try again.");
}

}  // namespace
}  // namespace wb
