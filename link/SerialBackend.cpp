// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/SerialBackend.h"

namespace wb {

PortHandle SerialBackend::OpenNamed(const std::string& name, std::string& reason) {
    reason = "Ports are chosen by number here: " + name + " cannot be opened by its name.";
    return kInvalidPort;
}

}  // namespace wb
