// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/web/BeaconChartPage.h"

#include <emscripten.h>

#include <vector>

#include "res/BeaconChartTexts.h"

namespace wb::web {
namespace {

// clang-format off
EM_JS(void, wb_chart_open, (const char* caption, int length), {
    Module.wbAids.chart.open(Module.wbPage.latin1(caption, length));
});
EM_JS(int, wb_chart_is_open, (), {
    return Module.wbAids.chart.isOpen() ? 1 : 0;
});
EM_JS(void, wb_chart_font, (int* digitWidth, int* lineHeight), {
    const font = Module.wbAids.chart.font();
    HEAP32[digitWidth >> 2] = font.digitWidth;
    HEAP32[lineHeight >> 2] = font.lineHeight;
});
EM_JS(void, wb_chart_begin, (int width, int height), {
    Module.wbAids.chart.begin(width, height);
});
EM_JS(void, wb_chart_line, (const double* xy, int count, int colour, int width, int dashed), {
    Module.wbAids.chart.line(Array.from(HEAPF64.subarray(xy >> 3, (xy >> 3) + 2 * count)),
                             colour, width, dashed !== 0);
});
EM_JS(void, wb_chart_mark, (double x, double y, int half, int colour), {
    Module.wbAids.chart.mark(x, y, half, colour);
});
EM_JS(void, wb_chart_text, (const char* text, int length, double x, double y, int alignX,
                            int alignY, int colour), {
    Module.wbAids.chart.text(Module.wbPage.latin1(text, length), x, y, alignX, alignY, colour);
});
EM_JS(void, wb_chart_end, (const char* sentence, int length), {
    Module.wbAids.chart.end(Module.wbPage.latin1(sentence, length));
});
// clang-format on

int Length(const std::string& text) {
    return static_cast<int>(text.size());
}

void Draw(const ui::BeaconChart& chart, const std::string& sentence) {
    int digitWidth = 0;
    int lineHeight = 0;
    wb_chart_font(&digitWidth, &lineHeight);
    const ui::ChartDrawing d = ui::LayOutBeaconChart(chart, ui::kChartPlotWidth,
                                                     ui::kChartPlotHeight, digitWidth, lineHeight);
    wb_chart_begin(ui::kChartPlotWidth, ui::kChartPlotHeight);
    for (const ui::ChartDrawing::Line& line : d.lines) {
        std::vector<double> xy;
        for (const ui::ChartPoint& p : line.points) {
            xy.push_back(p.x);
            xy.push_back(p.y);
        }
        wb_chart_line(xy.data(), static_cast<int>(line.points.size()),
                      static_cast<int>(line.colour), line.width, line.dashed ? 1 : 0);
    }
    for (const ui::ChartDrawing::Mark& mark : d.marks) {
        wb_chart_mark(mark.centre.x, mark.centre.y, mark.half, static_cast<int>(mark.colour));
    }
    for (const ui::ChartDrawing::Text& text : d.texts) {
        wb_chart_text(text.text.c_str(), Length(text.text), text.at.x, text.at.y, text.alignX,
                      text.alignY, static_cast<int>(text.colour));
    }
    wb_chart_end(sentence.c_str(), Length(sentence));
}

}  // namespace

void OpenBeaconChartPage(const ui::BeaconChart& chart, const std::string& sentence) {
    wb_chart_open(res::kChartCaption, Length(res::kChartCaption));
    Draw(chart, sentence);
}

void UpdateBeaconChartPage(const ui::BeaconChart& chart, const std::string& sentence) {
    if (wb_chart_is_open() != 0) {
        Draw(chart, sentence);
    }
}

}  // namespace wb::web
