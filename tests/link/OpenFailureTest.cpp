// SPDX-License-Identifier: GPL-3.0-or-later
// What the user is told beside "Count not aquire Com Port".
#include <gtest/gtest.h>

#include <grp.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "link/OpenFailure.h"

namespace wb {
namespace {

TEST(OpenFailure, DetailSaysWhatHappenedAndWhatToDo) {
    EXPECT_EQ(OpenFailureDetail(3, "", 0, ""),
              "No serial adapter maps to COM3 on this computer. Plug one in, or set "
              "WRENBEACON_COM3 to the device to use (for example /dev/ttyUSB0).");
    EXPECT_EQ(OpenFailureDetail(1, "/dev/ttyUSB0", EACCES, "dialout"),
              "No permission to use /dev/ttyUSB0: it belongs to the group 'dialout'. Join that "
              "group with 'sudo usermod -aG dialout $USER', then log out and in again.");
    EXPECT_EQ(OpenFailureDetail(1, "/dev/ttyUSB0", EACCES, ""),
              "No permission to use /dev/ttyUSB0. Ask for read and write access to it, then log "
              "out and in again.");
    EXPECT_EQ(OpenFailureDetail(1, "/dev/ttyUSB0", EBUSY, ""),
              "/dev/ttyUSB0 is busy: another program holds the port. Close that program and try "
              "again.");
    EXPECT_EQ(OpenFailureDetail(2, "/dev/ttyACM0", ENOENT, ""),
              "No such device: /dev/ttyACM0. Check that the adapter is plugged in and the cable "
              "is connected, or set WRENBEACON_COM2 to the right device.");
    EXPECT_EQ(OpenFailureDetail(2, "/dev/ttyACM0", EIO, ""), "/dev/ttyACM0: Input/output error.");
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

}  // namespace
}  // namespace wb
