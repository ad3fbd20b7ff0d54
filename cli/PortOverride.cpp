// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdlib>

#include "cli/Platform.h"
#include "link/PortMap.h"

namespace wb::cli {

PortOverride::PortOverride(const std::string& device) {
    const std::string name = PortVariableName(1);
    if (const char* old = std::getenv(name.c_str())) {
        m_old = old;
    }
    SetVariable(name, device.c_str());
}

PortOverride::~PortOverride() {
    SetVariable(PortVariableName(1), m_old ? m_old->c_str() : nullptr);
}

}  // namespace wb::cli
