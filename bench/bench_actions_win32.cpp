// SPDX-License-Identifier: GPL-3.0-or-later
// Times the whole Read Configuration and Write Configuration actions of the Win32 window under
// Wine against the simulated beacon on COM1, and compares each with its floor. bench/run-windows
// starts the beacon, points COM1 at it and runs this on the virtual screen:
//
//   bench/run-windows [RUNS]
//
// Each click is sent to the button and returns once the action has ended (its worker thread
// included); the outcome boxes are recorded instead of shown.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/ActionTiming.h"
#include "core/MessageSink.h"
#include "res/ResourceIds.h"
#include "ui/win32/ConfigDlg.h"

using namespace wb::bench;

int wmain(int argc, wchar_t* argv[]) {
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 3;
    // The simulated beacon's banner unless told otherwise: its length is part of the floor.
    const char* bannerText = std::getenv("WB_BANNER");
    const std::string banner = bannerText != nullptr ? bannerText : "Wrenbeacon 1.0 (simulated)";

    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    std::vector<wb::Message> messages;
    wb::SetMessageSink([&messages](const wb::Message& m) { messages.push_back(m); });

    CConfigDlg dlg;
    if (dlg.Create() == nullptr) {
        std::printf("the window could not be created\n");
        return 1;
    }
    HWND read = dlg.GetDlgItem(wb::res::IDC_READ_CONFIG);
    HWND write = dlg.GetDlgItem(wb::res::IDC_WRITE_CONFIG);

    const int bannerLength = static_cast<int>(banner.size());
    const ActionResult reads = TimeAction(runs, ReadConfigurationFloorMs(bannerLength),
                                          [read] { SendMessageW(read, BM_CLICK, 0, 0); });
    const ActionResult writes = TimeAction(runs, WriteConfigurationFloorMs(bannerLength),
                                           [write] { SendMessageW(write, BM_CLICK, 0, 0); });

    const int failures = ReportFailedOutcomes(messages, 2 * runs);
    std::printf("%d runs each against the simulated beacon, Win32 window under Wine\n", runs);
    const bool readOk = ReportAction("Read Configuration", reads);
    const bool writeOk = ReportAction("Write Configuration", writes);
    wb::SetMessageSink({});
    std::fflush(stdout);
    return failures == 0 && readOk && writeOk ? 0 : 1;
}
