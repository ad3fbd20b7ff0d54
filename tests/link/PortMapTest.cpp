// SPDX-License-Identifier: GPL-3.0-or-later
// Which device each port number opens, and how the user is told.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "link/PortMap.h"

namespace wb {
namespace {

struct Env {
    std::map<std::string, std::string> values;
    std::vector<std::string> asked;

    EnvLookup Lookup() {
        return [this](const char* name) -> const char* {
            asked.push_back(name);
            auto it = values.find(name);
            return it == values.end() ? nullptr : it->second.c_str();
        };
    }
};

const std::vector<SerialAdapter> kUsb = {
    {"/dev/ttyUSB1", "usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0"},
    {"/dev/ttyUSB0", "usb-FTDI_FT232R_USB_UART_A10K3XYZ-if00-port0"},
};
const std::vector<SerialAdapter> kBuiltIn = {
    {"/dev/ttyS0", "built-in serial port"},
    {"/dev/ttyS1", "built-in serial port"},
};

TEST(PortMap, UsbAdaptersInNameOrderComeBeforeBuiltInPorts) {
    Env env;
    const char* expected[] = {"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyS0", "/dev/ttyS1"};
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(ChooseComPort(n, env.Lookup(), kUsb, kBuiltIn).device, expected[n - 1]);
    }
    EXPECT_EQ(env.asked, (std::vector<std::string>{"WRENBEACON_COM1", "WRENBEACON_COM2",
                                                   "WRENBEACON_COM3", "WRENBEACON_COM4"}));
    EXPECT_EQ(ChooseComPort(3, env.Lookup(), kUsb, {}).device, "");
    EXPECT_EQ(ChooseComPort(1, env.Lookup(), {}, kBuiltIn).device, "/dev/ttyS0");
}

TEST(PortMap, EnvironmentVariableWinsWhenSetAndNotEmpty) {
    Env env;
    env.values["WRENBEACON_COM2"] = "/dev/pts/7";
    env.values["WRENBEACON_COM3"] = "";
    const PortChoice second = ChooseComPort(2, env.Lookup(), kUsb, kBuiltIn);
    EXPECT_EQ(second.device, "/dev/pts/7");
    EXPECT_EQ(second.origin, "WRENBEACON_COM2");
    EXPECT_EQ(ChooseComPort(3, env.Lookup(), kUsb, kBuiltIn).device, "/dev/ttyS0");
    // Other numbers keep their place in the adapter list.
    EXPECT_EQ(ChooseComPort(1, env.Lookup(), kUsb, kBuiltIn).device, "/dev/ttyUSB0");
}

TEST(PortMap, NumbersOutsideOneToFourMapToNothing) {
    Env env;
    env.values["WRENBEACON_COM5"] = "/dev/pts/7";
    EXPECT_EQ(ChooseComPort(5, env.Lookup(), kUsb, kBuiltIn).device, "");
    EXPECT_EQ(ChooseComPort(0, env.Lookup(), kUsb, kBuiltIn).device, "");
    EXPECT_TRUE(env.asked.empty());
}

TEST(PortMap, DescriptionNamesTheDeviceAndWhereItCameFrom) {
    Env env;
    EXPECT_EQ(DescribePortChoice(1, ChooseComPort(1, env.Lookup(), kUsb, kBuiltIn)),
              "COM1 = /dev/ttyUSB0 (usb-FTDI_FT232R_USB_UART_A10K3XYZ-if00-port0)");
    EXPECT_EQ(DescribePortChoice(3, ChooseComPort(3, env.Lookup(), {}, kBuiltIn)),
              "COM3: no serial port found on this computer (set WRENBEACON_COM3 to choose one)");
}

}  // namespace
}  // namespace wb
