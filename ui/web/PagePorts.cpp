// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/web/PagePorts.h"

#include <emscripten.h>

#include "link/BrowserPorts.h"

namespace wb::web {
namespace {

// clang-format off
EM_JS(int, wb_ports_can_ask, (), {
    return WrenbeaconPorts.canAsk() ? 1 : 0;
});
EM_JS(int, wb_ports_count, (), {
    return WrenbeaconPorts.granted().length;
});
EM_JS(int, wb_ports_port, (int index, int* vendor, int* product), {
    const port = WrenbeaconPorts.granted()[index];
    HEAP32[vendor >> 2] = port.usbVendorId;
    HEAP32[product >> 2] = port.usbProductId;
    return port.key;
});
EM_JS(void, wb_ports_forget_labels, (), {
    WrenbeaconPorts.setLabels([]);
});
EM_JS(void, wb_ports_label, (const char* device, const char* label), {
    WrenbeaconPorts.addLabel(UTF8ToString(device), UTF8ToString(label));
});
EM_ASYNC_JS(int, wb_ports_ask, (), {
    return await WrenbeaconPorts.ask();
});
// clang-format on

}  // namespace

std::vector<PortEntry> ListPagePorts() {
    std::vector<BrowserPort> granted(static_cast<std::size_t>(wb_ports_count()));
    for (std::size_t i = 0; i < granted.size(); ++i) {
        granted[i].key =
            wb_ports_port(static_cast<int>(i), &granted[i].usbVendorId, &granted[i].usbProductId);
    }
    std::vector<PortEntry> list = ListBrowserPorts(granted, wb_ports_can_ask() != 0);
    // The transport names a port that will not open as the list shows it.
    wb_ports_forget_labels();
    for (const PortEntry& entry : list) {
        wb_ports_label(entry.device.c_str(), entry.label.c_str());
    }
    return list;
}

std::string AskForPort() {
    const int key = wb_ports_ask();
    return key > 0 ? BrowserPortDevice(key) : std::string();
}

}  // namespace wb::web
