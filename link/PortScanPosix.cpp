// SPDX-License-Identifier: GPL-3.0-or-later
// The ports of a Linux or macOS machine, read from the file system only.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <set>
#include <system_error>

#include "link/PortScan.h"
#include "link/ProcessTable.h"

namespace wb {
namespace {

namespace fs = std::filesystem;

// The entries of `dir`, none when it is missing or unreadable.
std::vector<fs::path> ListDirectory(const fs::path& dir) {
    std::vector<fs::path> entries;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        entries.push_back(it->path());
    }
    return entries;
}

// The first line of a sysfs attribute, without trailing blanks; "" when it cannot be read.
std::string ReadLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) {
        line.pop_back();
    }
    return line;
}

std::optional<fs::path> Canonical(const fs::path& path) {
    std::error_code ec;
    fs::path resolved = fs::canonical(path, ec);
    return ec ? std::nullopt : std::optional<fs::path>(resolved);
}

bool Exists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

// "ttyS10" after "ttyS9": the letters, then the number.
bool NaturalLess(const std::string& a, const std::string& b) {
    const auto split = [](const std::string& name) {
        std::size_t digits = name.size();
        while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1]))) {
            --digits;
        }
        const long number = digits < name.size() ? std::stol(name.substr(digits)) : -1;
        return std::make_pair(name.substr(0, digits), number);
    };
    return split(a) < split(b);
}

struct UsbDevice {
    fs::path dir;  // canonical, in /sys/devices
    std::string usbIds;
    std::string product;
    std::string maker;
};

std::optional<UsbDevice> ReadUsbDevice(const fs::path& dir) {
    const std::string vendor = ReadLine(dir / "idVendor");
    const std::string product = ReadLine(dir / "idProduct");
    if (vendor.empty() || product.empty()) {
        return std::nullopt;
    }
    return UsbDevice{dir, vendor + ":" + product, ReadLine(dir / "product"),
                     ReadLine(dir / "manufacturer")};
}

class LinuxScanner {
public:
    explicit LinuxScanner(const fs::path& root) : m_root(root), m_sys(root / "sys") {}

    PortScan Scan() {
        PortScan scan;
        AddByIdAdapters(scan);
        AddTtys(
            scan, [this](const std::string& name) { return IsUart(name); }, "built-in serial port");
        AddTtys(
            scan, [](const std::string& name) { return IsUsbTtyName(name); }, "USB serial port");
        AddAdaptersWithoutPort(scan);
        return scan;
    }

private:
    static bool IsUsbTtyName(const std::string& name) {
        return name.starts_with("ttyUSB") || name.starts_with("ttyACM");
    }

    // The USB device that the tty `name` belongs to, if any.
    std::optional<UsbDevice> UsbDeviceOfTty(const std::string& name) const {
        const auto device = Canonical(m_sys / "class" / "tty" / name / "device");
        const auto sys = Canonical(m_sys);
        if (!device || !sys) {
            return std::nullopt;
        }
        for (fs::path dir = *device;
             dir != *sys && dir.has_relative_path() && dir.string().starts_with(sys->string());
             dir = dir.parent_path()) {
            if (auto usb = ReadUsbDevice(dir)) {
                return usb;
            }
        }
        return std::nullopt;
    }

    // A port of the serial core with a UART behind it: Linux makes ttyS0 to ttyS31 whether or
    // not one is there, and its port type (0 = none) tells them apart. USB ttys have no type.
    bool IsUart(const std::string& name) const {
        const std::string type = ReadLine(m_sys / "class" / "tty" / name / "type");
        return !type.empty() && type != "0" && !UsbDeviceOfTty(name);
    }

    SerialPortInfo Describe(const std::string& name, const fs::path& device,
                            const std::string& fallback) const {
        SerialPortInfo port{name, device.string(), fallback, {}, {}, device.string()};
        if (const auto usb = UsbDeviceOfTty(name)) {
            const std::string chip = SerialChipName(usb->usbIds);
            port.usbIds = usb->usbIds;
            port.maker = usb->maker;
            port.description = !usb->product.empty() ? usb->product
                               : !chip.empty()       ? chip + " USB serial adapter"
                                                     : "USB serial adapter";
        }
        return port;
    }

    void Add(PortScan& scan, SerialPortInfo port, const fs::path& canonical) {
        if (m_listed.insert(canonical).second) {
            scan.ports.push_back(std::move(port));
        }
    }

    void AddByIdAdapters(PortScan& scan) {
        std::vector<fs::path> links = ListDirectory(m_root / "dev" / "serial" / "by-id");
        std::sort(links.begin(), links.end(), [](const fs::path& a, const fs::path& b) {
            return a.filename().string() < b.filename().string();
        });
        for (const fs::path& link : links) {
            if (const auto target = Canonical(link)) {
                SerialPortInfo port = Describe(target->filename().string(), *target, "");
                if (port.description.empty()) {
                    port.description = link.filename().string();
                }
                port.identity = link.string();
                Add(scan, std::move(port), *target);
            }
        }
    }

    template <typename Wanted>
    void AddTtys(PortScan& scan, Wanted wanted, const std::string& description) {
        std::vector<std::string> names;
        for (const fs::path& entry : ListDirectory(m_sys / "class" / "tty")) {
            const std::string name = entry.filename().string();
            if (wanted(name) && Exists(m_root / "dev" / name)) {
                names.push_back(name);
            }
        }
        std::sort(names.begin(), names.end(), NaturalLess);
        for (const std::string& name : names) {
            const fs::path device = m_root / "dev" / name;
            if (const auto canonical = Canonical(device)) {
                Add(scan, Describe(name, device, description), *canonical);
            }
        }
    }

    // Why the known chip in `usb` has no tty, and what to do about it.
    std::string WhyNoPort(const UsbDevice& usb) const {
        std::vector<std::string> drivers;
        const std::string prefix = usb.dir.filename().string() + ":";
        for (const fs::path& entry : ListDirectory(usb.dir)) {
            if (entry.filename().string().starts_with(prefix)) {
                if (const auto driver = Canonical(entry / "driver")) {
                    drivers.push_back(driver->filename().string());
                }
            }
        }
        if (std::find(drivers.begin(), drivers.end(), "usbfs") != drivers.end()) {
            return WhoClaimed(usb);
        }
        const std::string module = SerialChipDriver(usb.usbIds);
        if (drivers.empty()) {
            return "No driver has taken it: load the kernel module (sudo modprobe " + module +
                   "), then plug the adapter in again.";
        }
        return "The driver " + drivers.front() + " has it, not " + module + ".";
    }

    std::string WhoClaimed(const UsbDevice& usb) const {
        char node[16];
        std::snprintf(node, sizeof node, "%03d/%03d",
                      std::atoi(ReadLine(usb.dir / "busnum").c_str()),
                      std::atoi(ReadLine(usb.dir / "devnum").c_str()));
        std::vector<ProcessInfo> holders =
            ProcessesHolding(m_root / "dev" / "bus" / "usb" / node, m_root);
        const bool braille = std::any_of(holders.begin(), holders.end(),
                                         [](const ProcessInfo& p) { return p.name == "brltty"; });
        if (!braille && holders.empty()) {
            // Its process belongs to root and cannot be looked into; its name can.
            holders = ProcessesNamed("brltty", m_root);
        }
        if (braille || (!holders.empty() && holders.front().name == "brltty")) {
            return "The braille display service " + DescribeProcesses(holders) +
                   " claimed it. Without a braille display, remove that service "
                   "(sudo apt remove brltty), then plug the adapter in again.";
        }
        if (!holders.empty()) {
            return DescribeProcesses(holders) +
                   " claimed it. Close that program, then plug the adapter in again.";
        }
        return "Another program claimed it. Close programs that use USB devices directly, then "
               "plug the adapter in again.";
    }

    void AddAdaptersWithoutPort(PortScan& scan) {
        std::set<fs::path> withTty;
        for (const fs::path& entry : ListDirectory(m_sys / "class" / "tty")) {
            if (const auto usb = UsbDeviceOfTty(entry.filename().string())) {
                withTty.insert(usb->dir);
            }
        }
        std::vector<UsbDevice> found;
        for (const fs::path& entry : ListDirectory(m_sys / "bus" / "usb" / "devices")) {
            const auto dir = Canonical(entry);
            const auto usb = dir ? ReadUsbDevice(*dir) : std::nullopt;
            if (usb && !SerialChipName(usb->usbIds).empty() && !withTty.contains(usb->dir)) {
                found.push_back(*usb);
            }
        }
        std::sort(found.begin(), found.end(),
                  [](const UsbDevice& a, const UsbDevice& b) { return a.dir < b.dir; });
        for (const UsbDevice& usb : found) {
            scan.adapters.push_back(
                {SerialChipName(usb.usbIds) + " USB serial adapter", usb.usbIds, WhyNoPort(usb)});
        }
    }

    fs::path m_root;
    fs::path m_sys;
    std::set<fs::path> m_listed;  // canonical devices already in the scan
};

}  // namespace

PortScan ScanLinuxPorts(const fs::path& root) {
    return LinuxScanner(root).Scan();
}

PortScan ScanMacPorts(const fs::path& root) {
    PortScan scan;
    std::vector<std::string> names;
    for (const fs::path& entry : ListDirectory(root / "dev")) {
        const std::string name = entry.filename().string();
        if (name.starts_with("cu.") && name.find("Bluetooth") == std::string::npos &&
            name.find("debug-console") == std::string::npos) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const std::string device = (root / "dev" / name).string();
        const bool usb = name.find("usbserial") != std::string::npos ||
                         name.find("usbmodem") != std::string::npos ||
                         name.find("wchusbserial") != std::string::npos;
        scan.ports.push_back(
            {name, device, usb ? "USB serial adapter" : "serial port", {}, {}, device});
    }
    return scan;
}

PortScan ScanPlatformPorts() {
#ifdef __APPLE__
    return ScanMacPorts("/");
#else
    return ScanLinuxPorts("/");
#endif
}

}  // namespace wb
