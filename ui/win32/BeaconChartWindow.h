// SPDX-License-Identifier: GPL-3.0-or-later
// The SmartBeaconing chart on Windows: a small window owned by the main one, beside it, that
// draws the toolkit-free layout of the chart as it comes, with the sentence under it. Escape or
// the close box hide it.
#pragma once

#include <string>

#include "ui/BeaconChart.h"
#include "ui/win32/Win32.h"

namespace wb::ui {

class BeaconChartWindow {
public:
    BeaconChartWindow() = default;
    ~BeaconChartWindow();
    BeaconChartWindow(const BeaconChartWindow&) = delete;
    BeaconChartWindow& operator=(const BeaconChartWindow&) = delete;

    // Creates the window the first time, beside `owner`, and shows it in front.
    void Open(HWND owner, const BeaconChart& chart, const std::string& sentence);
    // Redraws it with these while it shows.
    void Update(const BeaconChart& chart, const std::string& sentence);

    HWND GetSafeHwnd() const { return m_hWnd; }
    bool IsShown() const { return m_hWnd != nullptr && IsWindowVisible(m_hWnd); }
    const std::string& Sentence() const { return m_sentence; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);

    HWND m_hWnd = nullptr;
    HFONT m_font = nullptr;  // the owner's, not ours to delete
    SIZE m_plot{};           // pixels
    BeaconChart m_chart;
    std::string m_sentence;
};

}  // namespace wb::ui
