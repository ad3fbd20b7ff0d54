// SPDX-License-Identifier: GPL-3.0-or-later
// The Linux scan on a tree laid out like /sys, /dev and /proc: two adapters with by-id names, a
// built-in UART and a ttyS without one, an adapter without a by-id name, a CH340 that a braille
// display service claimed, a CH341 that no driver took, and a USB mouse.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "link/PortScan.h"
#include "tests/support/TempDir.h"

namespace wb::test {
namespace {

namespace fs = std::filesystem;

class LinuxTree {
public:
    LinuxTree() : m_temp("wb-sysfs"), root(fs::canonical(m_temp.path)) {}

    void File(const fs::path& path, const std::string& text = "") const {
        fs::create_directories((root / path).parent_path());
        std::ofstream(root / path) << text;
    }
    void Link(const fs::path& path, const fs::path& target) const {
        fs::create_directories((root / path).parent_path());
        fs::create_symlink(target, root / path);
    }

    // A USB device at bus position `at` ("1-2") with one interface bound to `driver` ("" for
    // none) and, when `tty` is given, that tty under the interface.
    void Usb(const std::string& at, const std::map<std::string, std::string>& attributes,
             const std::string& driver, const std::string& tty = "") const {
        const fs::path device = fs::path("sys/devices/pci0000:00/usb1") / at;
        for (const auto& [name, value] : attributes) {
            File(device / name, value + "\n");
        }
        const fs::path interface = device / (at + ":1.0");
        File(interface / "bInterfaceClass", "ff\n");
        if (!driver.empty()) {
            fs::create_directories(root / "sys/bus/usb/drivers" / driver);
            Link(interface / "driver", root / "sys/bus/usb/drivers" / driver);
        }
        Link("sys/bus/usb/devices/" + at, root / device);
        if (!tty.empty()) {
            File(interface / tty / "dev", "188:0\n");
            Link("sys/class/tty/" + tty + "/device", root / interface / tty);
            File("dev/" + tty);
        }
    }

    fs::path Path(const std::string& relative) const { return root / relative; }

private:
    TempDir m_temp;

public:
    const fs::path root;
};

TEST(PortScan, LinuxAdaptersInByIdOrderThenUartsThenOtherUsbPortsAndAdaptersWithoutPort) {
    LinuxTree tree;
    tree.Usb("1-1",
             {{"idVendor", "10c4"},
              {"idProduct", "ea60"},
              {"manufacturer", "Silicon Labs"},
              {"product", "CP2102 USB to UART Bridge Controller"}},
             "cp210x", "ttyUSB0");
    tree.Usb("1-2",
             {{"idVendor", "0403"},
              {"idProduct", "6001"},
              {"manufacturer", "FTDI"},
              {"product", "FT232R USB UART"}},
             "ftdi_sio", "ttyUSB1");
    tree.Link("dev/serial/by-id/usb-Silicon_Labs_CP2102_0001-if00-port0", "../../ttyUSB0");
    tree.Link("dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3XYZ-if00-port0", "../../ttyUSB1");
    for (const auto& [tty, type] : {std::pair{"ttyS0", "4"}, {"ttyS1", "0"}, {"ttyS10", "4"}}) {
        tree.File(std::string("sys/class/tty/") + tty + "/type", std::string(type) + "\n");
        tree.File(std::string("dev/") + tty);
    }
    tree.Usb("1-5", {{"idVendor", "2341"}, {"idProduct", "0043"}, {"product", "Arduino Uno"}},
             "cdc_acm", "ttyACM0");
    tree.Usb("1-3",
             {{"idVendor", "1a86"},
              {"idProduct", "7523"},
              {"product", "USB Serial"},
              {"busnum", "1"},
              {"devnum", "4"}},
             "usbfs");
    tree.File("dev/bus/usb/001/004");
    tree.File("proc/812/comm", "brltty\n");
    tree.Link("proc/812/fd/7", tree.Path("dev/bus/usb/001/004"));
    tree.File("proc/900/comm", "bash\n");
    tree.Link("proc/900/fd/0", tree.Path("dev/ttyS0"));
    tree.Usb("1-4", {{"idVendor", "1a86"}, {"idProduct", "5523"}}, "");
    tree.Usb("1-6", {{"idVendor", "046d"}, {"idProduct", "c077"}, {"product", "Mouse"}}, "usbhid");

    const PortScan scan = ScanLinuxPorts(tree.root);
    EXPECT_EQ(scan.numbering, ComNumbering::ByOrder);
    ASSERT_EQ(scan.ports.size(), 5u);
    const auto expect = [&](std::size_t i, const char* name, const std::string& description,
                            const char* ids, const std::string& identity) {
        const SerialPortInfo& port = scan.ports[i];
        EXPECT_EQ(port.name, name) << i;
        EXPECT_EQ(port.device, tree.Path(std::string("dev/") + name).string()) << i;
        EXPECT_EQ(port.description, description) << i;
        EXPECT_EQ(port.usbIds, ids) << i;
        EXPECT_EQ(port.identity, identity.empty() ? port.device : identity) << i;
    };
    expect(0, "ttyUSB1", "FT232R USB UART", "0403:6001",
           tree.Path("dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3XYZ-if00-port0").string());
    expect(1, "ttyUSB0", "CP2102 USB to UART Bridge Controller", "10c4:ea60",
           tree.Path("dev/serial/by-id/usb-Silicon_Labs_CP2102_0001-if00-port0").string());
    expect(2, "ttyS0", "built-in serial port", "", "");
    expect(3, "ttyS10", "built-in serial port", "", "");
    expect(4, "ttyACM0", "Arduino Uno", "2341:0043", "");
    EXPECT_EQ(scan.ports[0].maker, "FTDI");

    ASSERT_EQ(scan.adapters.size(), 2u);
    EXPECT_EQ(scan.adapters[0].description, "CH340 USB serial adapter");
    EXPECT_EQ(scan.adapters[0].usbIds, "1a86:7523");
    EXPECT_EQ(scan.adapters[0].reason,
              "The braille display service brltty (pid 812) claimed it. Without a braille "
              "display, remove that service (sudo apt remove brltty), then plug the adapter in "
              "again.");
    EXPECT_EQ(scan.adapters[1].usbIds, "1a86:5523");
    EXPECT_EQ(scan.adapters[1].reason,
              "No driver has taken it: load the kernel module (sudo modprobe ch341), then plug "
              "the adapter in again.");
}

TEST(PortScan, EmptyTreeHasNoPortsAndMacCallOutDevicesInNameOrder) {
    LinuxTree tree;
    EXPECT_TRUE(ScanLinuxPorts(tree.root).ports.empty());
    for (const char* name : {"cu.usbserial-A10K3XYZ", "cu.Bluetooth-Incoming-Port",
                             "tty.usbserial-A10K3XYZ", "cu.debug-console", "cu.SLAB_USBtoUART"}) {
        tree.File(std::string("dev/") + name);
    }
    const PortScan mac = ScanMacPorts(tree.root);
    ASSERT_EQ(mac.ports.size(), 2u);
    EXPECT_EQ(mac.ports[0].name, "cu.SLAB_USBtoUART");
    EXPECT_EQ(mac.ports[1].name, "cu.usbserial-A10K3XYZ");
    EXPECT_EQ(mac.ports[1].description, "USB serial adapter");
}

}  // namespace
}  // namespace wb::test
