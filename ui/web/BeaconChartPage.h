// SPDX-License-Identifier: GPL-3.0-or-later
// The SmartBeaconing chart in the page: a small window of its own beside the form (Aids.js),
// with the lines, marks and texts laid out here as in the desktop windows and the sentence under
// them.
#pragma once

#include <string>

#include "ui/BeaconChart.h"

namespace wb::web {

// Opens the chart's window, or brings it into sight; then shows these.
void OpenBeaconChartPage(const ui::BeaconChart& chart, const std::string& sentence);
// Shows these when the chart's window is open.
void UpdateBeaconChartPage(const ui::BeaconChart& chart, const std::string& sentence);

}  // namespace wb::web
