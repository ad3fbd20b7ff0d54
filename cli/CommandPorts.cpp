// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Command.h"
#include "cli/Session.h"
#include "link/DeviceProtocol.h"
#include "link/PortMap.h"

namespace wb::cli {
namespace {

int RunPorts(Session& s, const Invocation&) {
    for (int n = device::kFirstPort; n <= device::kLastPort; ++n) {
        s.env().out << DescribeComPort(n) << "\n";
    }
    return kSuccess;
}

}  // namespace

const Command kPortsCommand{
    "ports", "List COM1 to COM4 and the device each one opens here.", {}, {}, RunPorts};

}  // namespace wb::cli
