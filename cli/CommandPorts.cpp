// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <array>
#include <cstdlib>

#include "cli/Command.h"
#include "cli/Session.h"
#include "link/PortList.h"

namespace wb::cli {
namespace {

using Row = std::array<std::string, 5>;

Row RowOf(const PortEntry& e) {
    const std::string number = e.number > 0 ? "COM" + std::to_string(e.number) : "";
    if (e.device.empty() || (e.name.empty() && e.origin.empty())) {
        return {number, "-", "no port", "", ""};
    }
    std::string description = MakerAndDescription(e.maker, e.description);
    if (!e.origin.empty()) {
        description += (description.empty() ? "" : ", ") + std::string("set by ") + e.origin;
    }
    return {number, e.name.empty() ? "-" : e.name, description, e.usbIds,
            e.identity.empty() ? e.device : e.identity};
}

// Every port in the window's order, in columns; then the adapters that have no port.
int RunPorts(Session& s, const Invocation&) {
    const PortScan scan = s.env().scanPorts ? s.env().scanPorts() : ScanPlatformPorts();
    std::vector<Row> rows = {{"PORT", "NAME", "DESCRIPTION", "USB ID", "OPENS AS"}};
    for (const PortEntry& entry : ListPorts(scan, [](const char* n) { return std::getenv(n); })) {
        rows.push_back(RowOf(entry));
    }
    std::array<std::size_t, 5> width{};
    for (const Row& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            width[c] = std::max(width[c], row[c].size());
        }
    }
    for (const Row& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            line += row[c] + std::string(width[c] - row[c].size() + 2, ' ');
        }
        line.erase(line.find_last_not_of(' ') + 1);
        s.env().out << line << "\n";
    }
    if (!scan.adapters.empty()) {
        s.env().out << "\nPlugged in but without a serial port:\n";
        for (const AdapterWithoutPort& a : scan.adapters) {
            s.env().out << "  " << a.description << " (" << a.usbIds << "): " << a.reason << "\n";
        }
    }
    return kSuccess;
}

}  // namespace

const Command kPortsCommand{"ports",
                            "List every serial port in the window's order, and USB serial "
                            "adapters that have no port.",
                            {},
                            {},
                            RunPorts};

}  // namespace wb::cli
