// SPDX-License-Identifier: GPL-3.0-or-later
// Finds the serial ports of a Linux or macOS machine without opening any of them: opening a
// port raises its modem lines, which resets some devices.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "link/PortMap.h"

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

// USB adapters by their stable names (Linux), or the call-out devices of macOS.
std::vector<SerialAdapter> UsbAdapters() {
    std::vector<SerialAdapter> found;
    for (const fs::path& link : ListDirectory("/dev/serial/by-id")) {
        std::error_code ec;
        const fs::path target = fs::canonical(link, ec);
        if (!ec) {
            found.push_back({target.string(), link.filename().string()});
        }
    }
    for (const fs::path& entry : ListDirectory("/dev")) {
        const std::string name = entry.filename().string();
        if (name.starts_with("cu.") && name.find("Bluetooth") == std::string::npos &&
            name.find("debug-console") == std::string::npos) {
            found.push_back({entry.string(), name});
        }
    }
    return found;
}

// Linux makes /dev/ttyS0 to ttyS31 whether or not a UART is behind them; the kernel's port type
// (0 = none) tells the real ones apart. Only the first four are looked at.
std::vector<SerialAdapter> BuiltInPorts() {
    std::vector<SerialAdapter> found;
    for (int i = 0; i < 4; ++i) {
        const std::string name = "ttyS" + std::to_string(i);
        std::ifstream typeFile("/sys/class/tty/" + name + "/type");
        int type = 0;
        std::error_code ec;
        if (typeFile >> type && type != 0 && fs::exists("/dev/" + name, ec)) {
            found.push_back({"/dev/" + name, "built-in serial port"});
        }
    }
    return found;
}

PortChoice MachineChoice(int n) {
    return ChooseComPort(
        n, [](const char* name) { return std::getenv(name); }, UsbAdapters(), BuiltInPorts());
}

}  // namespace

std::string ComPortDevice(int n) {
    return MachineChoice(n).device;
}

std::string DescribeComPort(int n) {
    return DescribePortChoice(n, MachineChoice(n));
}

}  // namespace wb
