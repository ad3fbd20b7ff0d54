// SPDX-License-Identifier: GPL-3.0-or-later
// Times the whole Read Configuration and Write Configuration actions of the real window against
// the simulated beacon and compares each with its floor: the time the protocol itself needs.
//
//   bench/bench_actions [RUNS]
//
// The floors are in ProtocolFloors.h:
//   Read Configuration  = version query + 2 uploads          (about 2.54 s)
//   Write Configuration = version query + download + upload  (about 3.31 s)
#include <QApplication>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/ActionTiming.h"
#include "core/MessageSink.h"
#include "res/ResourceIds.h"
#include "tools/sim/SimulatedBeacon.h"
#include "ui/qt/ConfigDlg.h"

using namespace wb::bench;

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    QApplication app(argc, argv);

    std::vector<wb::Message> messages;
    wb::SetMessageSink([&messages](const wb::Message& m) { messages.push_back(m); });

    const std::string banner = "Wrenbeacon 1.0 (simulated)";
    wb::sim::SimulatedBeacon beacon(banner);
    beacon.Start();
    setenv("WRENBEACON_COM1", beacon.DevicePath().c_str(), 1);

    CConfigDlg dlg;
    dlg.show();
    auto* read = qobject_cast<QPushButton*>(dlg.GetDlgItem(wb::res::IDC_READ_CONFIG));
    auto* write = qobject_cast<QPushButton*>(dlg.GetDlgItem(wb::res::IDC_WRITE_CONFIG));

    const int bannerLength = static_cast<int>(banner.size());
    const ActionResult reads =
        TimeAction(runs, ReadConfigurationFloorMs(bannerLength), [read] { read->click(); });
    const ActionResult writes =
        TimeAction(runs, WriteConfigurationFloorMs(bannerLength), [write] { write->click(); });

    const int failures = ReportFailedOutcomes(messages, 2 * runs);
    std::printf("%d runs each against the simulated beacon\n", runs);
    const bool readOk = ReportAction("Read Configuration", reads);
    const bool writeOk = ReportAction("Write Configuration", writes);
    wb::SetMessageSink({});
    return failures == 0 && readOk && writeOk ? 0 : 1;
}
