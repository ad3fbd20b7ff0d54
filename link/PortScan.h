// SPDX-License-Identifier: GPL-3.0-or-later
// The serial ports a machine has, found without opening any of them (opening a port raises its
// modem lines, which resets some devices), and the USB serial adapters that are plugged in but
// have no port. One scanner per system: Linux reads a tree laid out like / (its /sys, /dev and
// /proc), macOS lists /dev/cu.*, Windows asks SetupAPI through WindowsDevices.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace wb {

struct SerialPortInfo {
    std::string name;         // what the user knows it by: "ttyUSB0", "COM7", "cu.usbserial-A1"
    std::string device;       // what opens it: "/dev/ttyUSB0", "COM7"
    std::string description;  // "FT232R USB UART", "USB-SERIAL CH340", "built-in serial port"
    std::string maker;        // the USB manufacturer string, when there is one
    std::string usbIds;       // "0403:6001", empty when it is no USB device
    // What identifies it for good, across restarts and other adapters plugged in: the
    // /dev/serial/by-id path, the Windows device instance id, or else the device itself.
    std::string identity;
};

// A USB serial adapter that is plugged in but has no serial port.
struct AdapterWithoutPort {
    std::string description;  // "CH340 USB serial adapter"
    std::string usbIds;       // "1a86:7523"
    std::string reason;       // why it has no port, and what to do: one or two sentences
};

// How port numbers 1 to 4 find their port: Windows has ports named COM1 to COM4; elsewhere COMn
// is the n-th port of the scan.
enum class ComNumbering { ByOrder, ByName };

struct PortScan {
    ComNumbering numbering = ComNumbering::ByOrder;
    std::vector<SerialPortInfo> ports;  // in the order the list shows them
    std::vector<AdapterWithoutPort> adapters;
};

// The ports of this machine, as its system's scanner finds them.
PortScan ScanPlatformPorts();

// Linux: in the tree at `root` (the real / in the program), first the USB adapters under
// dev/serial/by-id in the order of those names, then the built-in ports that have a UART behind
// them, then USB serial ports without a by-id name; and the known USB serial chips without a tty.
PortScan ScanLinuxPorts(const std::filesystem::path& root);

// macOS: the call-out devices dev/cu.* under `root` in name order, Bluetooth and the debug
// console left out.
PortScan ScanMacPorts(const std::filesystem::path& root);

// A device as Windows' SetupAPI knows it.
struct WindowsDevice {
    std::string instanceId;    // "USB\VID_1A86&PID_7523\5&2B3F1A2&0&2"
    std::string friendlyName;  // "USB-SERIAL CH340 (COM3)", or the device description
    std::string portName;      // "COM3" for a port, else empty
    bool hasDriver = true;     // false: Windows knows the device but installed no driver for it
};

// What the Windows scan asks of the system: SetupAPI in the program, a fake in tests.
class WindowsDevices {
public:
    virtual ~WindowsDevices() = default;
    // The present devices of the class Ports (COM & LPT).
    virtual std::vector<WindowsDevice> Ports() = 0;
    // The present devices on USB, of any class.
    virtual std::vector<WindowsDevice> UsbDevices() = 0;
    // The names COM<n> the system can open, including ports SetupAPI does not know.
    virtual std::vector<std::string> ComNames() = 0;
};

// Windows: every COM port in number order with its friendly name, and the known USB serial chips
// that Windows has no driver for.
PortScan ScanWindowsPorts(WindowsDevices& system);

// SetupAPI itself (Windows only).
std::unique_ptr<WindowsDevices> MakeSetupApiDevices();

// "0403:6001" from a Windows instance or hardware id with VID_0403 and PID_6001 in it, else "".
std::string UsbIdsOfInstance(const std::string& instanceId);

// The name of a known USB serial chip ("CH340", "FT232R"), or "" for other devices.
std::string SerialChipName(const std::string& usbIds);

// The kernel driver that gives a known chip its tty on Linux ("ch341"), or "".
std::string SerialChipDriver(const std::string& usbIds);

}  // namespace wb
