// SPDX-License-Identifier: GPL-3.0-or-later
// Which device each port number opens, the port list built on it, and the Windows scan's rules
// on a fake SetupAPI (the real one: the last test, under Wine).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "link/PortList.h"
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

// As the Linux scan orders them: USB adapters by their by-id names, then the built-in ports.
PortScan LinuxScan(int usbAdapters = 2) {
    PortScan scan;
    const std::vector<SerialPortInfo> ports = {
        {"ttyUSB1", "/dev/ttyUSB1", "FT232R USB UART", "FTDI", "0403:6001",
         "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3XYZ-if00-port0"},
        {"ttyUSB0", "/dev/ttyUSB0", "USB-Serial Controller", "Prolific Technology Inc.",
         "067b:2303", "/dev/serial/by-id/usb-Prolific_Technology_Inc._USB-Serial_Controller"},
        {"ttyUSB2", "/dev/ttyUSB2", "CP2102 USB to UART Bridge Controller", "Silicon Labs",
         "10c4:ea60", "/dev/serial/by-id/usb-Silicon_Labs_CP2102_0001-if00-port0"},
    };
    scan.ports.assign(ports.begin(), ports.begin() + usbAdapters);
    scan.ports.push_back({"ttyS0", "/dev/ttyS0", "built-in serial port", {}, {}, "/dev/ttyS0"});
    scan.ports.push_back({"ttyS1", "/dev/ttyS1", "built-in serial port", {}, {}, "/dev/ttyS1"});
    return scan;
}

std::vector<std::string> Labels(const std::vector<PortEntry>& list) {
    std::vector<std::string> out;
    for (const PortEntry& e : list) {
        out.push_back(e.label);
    }
    return out;
}

TEST(PortMap, PortsOfTheScanInOrderAndTheVariableWins) {
    Env env;
    const char* expected[] = {"/dev/ttyUSB1", "/dev/ttyUSB0", "/dev/ttyS0", "/dev/ttyS1"};
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(ChooseComPort(n, env.Lookup(), LinuxScan()).device, expected[n - 1]);
    }
    EXPECT_EQ(env.asked, (std::vector<std::string>{"WRENBEACON_COM1", "WRENBEACON_COM2",
                                                   "WRENBEACON_COM3", "WRENBEACON_COM4"}));
    EXPECT_EQ(ChooseComPort(4, env.Lookup(), LinuxScan(1)).device, "");

    env.values["WRENBEACON_COM2"] = "/dev/pts/7";
    env.values["WRENBEACON_COM3"] = "";
    const PortChoice second = ChooseComPort(2, env.Lookup(), LinuxScan());
    EXPECT_EQ(second.device, "/dev/pts/7");
    EXPECT_EQ(second.origin, "WRENBEACON_COM2");
    EXPECT_EQ(ChooseComPort(3, env.Lookup(), LinuxScan()).device, "/dev/ttyS0");

    env.values["WRENBEACON_COM5"] = "/dev/pts/7";
    env.asked.clear();
    EXPECT_EQ(ChooseComPort(5, env.Lookup(), LinuxScan()).device, "");
    EXPECT_EQ(ChooseComPort(0, env.Lookup(), LinuxScan()).device, "");
    EXPECT_TRUE(env.asked.empty());

    EXPECT_EQ(DescribePortChoice(3, ChooseComPort(3, Env().Lookup(), PortScan{})),
              "COM3: no serial port found on this computer (set WRENBEACON_COM3 to choose one)");
}

TEST(PortList, ComOneToFourKeepTheirPlacesThenEveryOtherPort) {
    Env env;
    PortScan scan = LinuxScan(3);
    const std::vector<PortEntry> list = ListPorts(scan, env.Lookup());
    EXPECT_EQ(Labels(list), (std::vector<std::string>{
                                "COM1 - FT232R USB UART (ttyUSB1)",
                                "COM2 - USB-Serial Controller (ttyUSB0)",
                                "COM3 - CP2102 USB to UART Bridge Controller (ttyUSB2)",
                                "COM4 - built-in serial port (ttyS0)",
                                "ttyS1 - built-in serial port",
                            }));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(list[static_cast<std::size_t>(i)].number, i + 1);
    }
    EXPECT_EQ(list[4].number, 0);
    EXPECT_EQ(list[4].device, "/dev/ttyS1");
    EXPECT_EQ(list[0].identity, scan.ports[0].identity);
    EXPECT_EQ(list[0].tip,
              "/dev/ttyUSB1\n/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3XYZ-if00-port0\nUSB "
              "0403:6001 FTDI FT232R USB UART");

    // A variable naming a device of the scan shows it there, and it is not listed twice; one
    // naming something else says so, and the port it displaced moves among the others.
    env.values["WRENBEACON_COM1"] = "/dev/ttyS1";
    env.values["WRENBEACON_COM2"] = "/dev/pts/7";
    EXPECT_EQ(Labels(ListPorts(scan, env.Lookup())),
              (std::vector<std::string>{
                  "COM1 - built-in serial port (ttyS1)",
                  "COM2 - /dev/pts/7 (WRENBEACON_COM2)",
                  "COM3 - CP2102 USB to UART Bridge Controller (ttyUSB2)",
                  "COM4 - built-in serial port (ttyS0)",
                  "ttyUSB1 - FT232R USB UART",
                  "ttyUSB0 - USB-Serial Controller",
              }));

    scan.ports.resize(1);
    EXPECT_EQ(Labels(ListPorts(scan, Env().Lookup())),
              (std::vector<std::string>{"COM1 - FT232R USB UART (ttyUSB1)", "COM2 - no port",
                                        "COM3 - no port", "COM4 - no port"}));
}

// What SetupAPI reports on a machine with a built-in port, two adapters, a printer port, a port
// only the system's names know, and an adapter without a driver.
class FakeSetupApi final : public WindowsDevices {
public:
    std::vector<WindowsDevice> Ports() override {
        return {
            {"USB\\VID_1A86&PID_7523\\5&2B3F1A2&0&2", "USB-SERIAL CH340 (COM3)", "COM3", true},
            {"ACPI\\PNP0501\\1", "Communications Port (COM1)", "COM1", true},
            {"FTDIBUS\\VID_0403+PID_6001+A10K3XYZA\\0000", "USB Serial Port (COM7)", "COM7", true},
            {"ACPI\\PNP0400\\1", "Printer Port (LPT1)", "LPT1", true},
        };
    }
    std::vector<WindowsDevice> UsbDevices() override {
        return {
            {"USB\\VID_1A86&PID_7523\\6&1C0E3D&0&4", "USB2.0-Serial", "", false},
            {"USB\\VID_046D&PID_C077\\5&1", "USB Input Device", "", false},
            {"USB\\VID_0403&PID_6001\\A10K3XYZ", "USB Serial Converter", "", true},
        };
    }
    std::vector<std::string> ComNames() override { return {"COM1", "com3", "COM7", "COM12"}; }
};

TEST(PortList, WindowsPortsByNumberWithFriendlyNamesAndAdaptersWithoutDriver) {
    FakeSetupApi setupApi;
    const PortScan scan = ScanWindowsPorts(setupApi);
    Env env;
    const std::vector<PortEntry> list = ListPorts(scan, env.Lookup());
    EXPECT_EQ(Labels(list), (std::vector<std::string>{
                                "COM1 - Communications Port",
                                "COM2 - no port",
                                "COM3 - USB-SERIAL CH340",
                                "COM4 - no port",
                                "COM7 - USB Serial Port",
                                "COM12 - serial port",
                            }));
    EXPECT_EQ(list[1].device, "COM2");  // opened as ever: the system says why it cannot be
    EXPECT_EQ(list[2].identity, "USB\\VID_1A86&PID_7523\\5&2B3F1A2&0&2");
    EXPECT_EQ(list[2].usbIds, "1a86:7523");
    EXPECT_EQ(list[4].usbIds, "0403:6001");
    EXPECT_EQ(list[5].identity, "COM12");
    ASSERT_EQ(scan.adapters.size(), 1u);
    EXPECT_EQ(scan.adapters[0].description, "USB2.0-Serial");
    EXPECT_EQ(scan.adapters[0].usbIds, "1a86:7523");
    EXPECT_NE(scan.adapters[0].reason.find("no driver"), std::string::npos);

    env.values["WRENBEACON_COM2"] = "\\\\.\\com7";
    EXPECT_EQ(Labels(ListPorts(scan, env.Lookup()))[1], "COM2 - USB Serial Port (COM7)");
    EXPECT_EQ(ListPorts(scan, env.Lookup()).size(), 5u);
}

#ifdef _WIN32
// Whatever the machine (or Wine) has: the scan ends, and what it lists is well formed.
TEST(PortList, SetupApiScanOfThisMachine) {
    const PortScan scan = ScanPlatformPorts();
    for (const SerialPortInfo& port : scan.ports) {
        EXPECT_EQ(port.name.rfind("COM", 0), 0u) << port.name;
        EXPECT_FALSE(port.identity.empty()) << port.name;
    }
    const std::vector<PortEntry> list =
        ListPorts(scan, [](const char*) -> const char* { return nullptr; });
    ASSERT_GE(list.size(), 4u);
    EXPECT_EQ(list[0].label.rfind("COM1 - ", 0), 0u) << list[0].label;
}
#endif

}  // namespace
}  // namespace wb
