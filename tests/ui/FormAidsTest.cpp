// SPDX-License-Identifier: GPL-3.0-or-later
// The aids beside the form on fake controls: the SmartBeaconing presets and chart, and the symbol
// picture and chooser through a fake front end.
#include <string>
#include <vector>

#include "res/SmartBeaconPresets.h"
#include "tests/ui/WindowFixture.h"
#include "ui/BeaconChart.h"
#include "ui/FormAids.h"

namespace wb::test {
namespace {

using namespace res;

constexpr ui::SmartBeaconValues kClassic{5, 1800, 60, 180, 30, 255, 15};

// A front end that notes what it is asked to draw, and answers the chooser as `choose` says.
class FakeAidHost final : public ui::FormAidHost {
public:
    void ShowSymbolPicture(const SymbolLook& look, const std::string& text) override {
        picture = DescribeSymbol(look);
        tip = text;
    }
    bool RunSymbolChooser(ui::SymbolChooser& chooser) override {
        ++choosers;
        return choose && choose(chooser);
    }
    void OpenBeaconChart(const ui::BeaconChart&, const std::string& s) override {
        open = true;
        sentence = s;
    }
    void UpdateBeaconChart(const ui::BeaconChart&, const std::string& s) override {
        if (open) {
            sentence = s;
        }
    }

    std::function<bool(ui::SymbolChooser&)> choose;
    std::string picture, tip, sentence;
    int choosers = 0;
    bool open = false;
};

using NoAidHost = WindowFixture;

class Aids : public WindowFixture {
protected:
    Aids() {
        window.SetAidHost(aids);
        window.OnFormChanged();
    }
    // What a front end does as the user types: the field changes, then the window hears of it.
    void Edit(int id, const std::string& text) {
        Type(id, text);
        window.OnFormChanged();
    }
    std::string Listed() {
        const Control& list = controls[IDC_SMARTBEACON_PRESET];
        return list.selection < 0 ? "" : list.entries[static_cast<std::size_t>(list.selection)];
    }
    using Control = FakeControls::Control;

    FakeAidHost aids;
};

TEST_F(Aids, PresetListShowsTheMatchingPresetOrCustomAndFillsThePicked) {
    EXPECT_EQ(
        controls[IDC_SMARTBEACON_PRESET].entries,
        (std::vector<std::string>{"Walking", "Bicycle", "Car", "Highway", "Classic", "Custom"}));
    EXPECT_EQ(Listed(), "Custom") << "the beacon's defaults are none of the presets";
    EXPECT_FALSE(controls[IDC_SMARTBEACON_PRESET].enabled) << "follows SmartBeaconing";
    Click(IDC_SMARTBEACON_ENABLE);
    EXPECT_TRUE(controls[IDC_SMARTBEACON_PRESET].enabled);

    controls[IDC_SMARTBEACON_PRESET].selection = 4;  // the user picks Classic
    window.OnFormChanged();
    EXPECT_EQ(ui::ReadSmartBeaconValues(controls), kClassic);
    EXPECT_EQ(Listed(), "Classic");
    EXPECT_TRUE(controls[IDC_SMARTBEACON_ENABLE].checked) << "checks nothing else";
    EXPECT_FALSE(controls[IDC_TIMESLOT_ENABLE].checked);

    Edit(IDC_FAST_RATE, "181");
    EXPECT_EQ(Listed(), "Custom");
    Edit(IDC_FAST_RATE, "180");
    EXPECT_EQ(Listed(), "Classic");
    controls[IDC_SMARTBEACON_PRESET].selection = 5;  // Custom changes nothing
    window.OnFormChanged();
    EXPECT_EQ(Listed(), "Classic");
    EXPECT_EQ(ui::MatchingPreset({5, 1800, 70, 120, 30, 255, 15}), 3);
    EXPECT_EQ(ui::MatchingPreset({5, 1800, 70, 120, 30, 255, 16}), -1);
}

TEST(BeaconChart, ClassicDefaultsAtThreeSpeeds) {
    // Hand-computed: below 5 MPH the slow rate; at 30 MPH 180 s x 60 / 30; above 60 the fast
    // rate. Distance is seconds x MPH / 3600.
    const struct {
        double speed, seconds, miles;
    } cases[] = {{3, 1800, 1.5}, {30, 360, 3}, {70, 180, 3.5}};
    const ui::BeaconChart chart = ui::MakeBeaconChart(kClassic);
    ASSERT_EQ(chart.interval.size(), chart.distance.size());
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(ui::BeaconInterval(kClassic, c.speed), c.seconds);
        bool found = false;
        for (std::size_t i = 1; i < chart.interval.size(); ++i) {
            const ui::ChartPoint a = chart.interval[i - 1], b = chart.interval[i];
            if (a.x <= c.speed && c.speed <= b.x && a.x < b.x) {
                const double t = (c.speed - a.x) / (b.x - a.x);
                EXPECT_NEAR(a.y + t * (b.y - a.y), c.seconds, 1e-9) << c.speed;
                const ui::ChartPoint da = chart.distance[i - 1], db = chart.distance[i];
                EXPECT_NEAR(da.y + t * (db.y - da.y), c.miles, 1e-9) << c.speed;
                found = true;
            }
        }
        EXPECT_TRUE(found) << c.speed;
    }
    // Past 5 MPH the rate jumps to 180 x 60 / 5 = 2160 s, the top of the curve.
    EXPECT_EQ(chart.slowCorner.x, 5);
    EXPECT_EQ(chart.slowCorner.y, 1800);
    EXPECT_EQ(chart.fastCorner.x, 60);
    EXPECT_EQ(chart.fastCorner.y, 180);
    EXPECT_EQ(chart.secondsTop, 2500);
    EXPECT_EQ(chart.secondsStep, 500);
    EXPECT_EQ(chart.milesTop, 4);
    EXPECT_EQ(chart.interval.front().x, 0);
    EXPECT_EQ(chart.interval.back().x, 80);
}

TEST(BeaconChart, SentenceAndDrawingForTheValuesAsTyped) {
    EXPECT_EQ(ui::DescribeBeaconing(kClassic),
              "At 30 MPH: a beacon every 360 s (3 miles); turns of more than 38\xB0 send one "
              "sooner.");
    EXPECT_EQ(ui::DescribeBeaconing({1, 1800, 4, 180, 30, 60, 60}),
              "At 2 MPH: a beacon every 360 s (0.2 miles); turns of more than 60\xB0 send one "
              "sooner.");
    EXPECT_EQ(ui::DescribeBeaconing({0, 0, 0, 0, 200, 0, 0}),
              "At 1 MPH: a beacon every 0 s (0 miles); no turn is sharp enough to send one "
              "sooner.");
    // Whatever the values, the drawing stays inside its box.
    for (const ui::SmartBeaconValues& v :
         {kClassic, ui::SmartBeaconValues{}, ui::SmartBeaconValues{0, 60, 90, 30, 0, 0, 0},
          ui::SmartBeaconValues{100, 65535, 200, 1, 0, 0, 0},
          ui::SmartBeaconValues{-5, -1, 20, 600, 0, 0, 0}}) {
        const ui::ChartDrawing d = ui::LayOutBeaconChart(ui::MakeBeaconChart(v), 400, 300, 7, 15);
        ASSERT_FALSE(d.lines.empty());
        for (const auto& line : d.lines) {
            for (const ui::ChartPoint& p : line.points) {
                EXPECT_TRUE(p.x >= 0 && p.x <= 400 && p.y >= 0 && p.y <= 300)
                    << p.x << "," << p.y << " slow " << v.slowSpeed;
            }
        }
    }
}

TEST_F(Aids, ChoosingFillsBothFieldsAndTypingRedrawsThePicture) {
    EXPECT_TRUE(controls[IDC_SYMBOL_PICTURE].enabled);
    EXPECT_EQ(aids.picture, "House QTH (VHF)");
    EXPECT_EQ(aids.tip.substr(0, aids.tip.find('\n')), "House QTH (VHF)");
    aids.choose = [](ui::SymbolChooser& chooser) {
        EXPECT_EQ(chooser.Name(), "House QTH (VHF)") << "opens on the fields";
        chooser.SetSearch("digi");
        chooser.Select(1);
        chooser.SetOverlayIndex(29);  // S
        return true;
    };
    Click(IDC_SYMBOL_PICTURE);
    EXPECT_EQ(aids.choosers, 1);
    EXPECT_EQ(Text(IDC_SYMBOL), "#");
    EXPECT_EQ(Text(IDC_SYMBOL_TABLE), "S");
    window.OnFormChanged();
    EXPECT_EQ(aids.picture, "Digi (green star) (w overlay), overlay S");

    aids.choose = [](ui::SymbolChooser& chooser) {
        chooser.SetSearch("jeep");
        return false;  // Escape
    };
    Click(IDC_SYMBOL_PICTURE);
    EXPECT_EQ(Text(IDC_SYMBOL), "#");
    EXPECT_EQ(Text(IDC_SYMBOL_TABLE), "S");

    Edit(IDC_SYMBOL, "k");
    Edit(IDC_SYMBOL_TABLE, "\\");
    EXPECT_EQ(aids.picture, "SUV");
    Edit(IDC_SYMBOL_TABLE, "x");
    EXPECT_EQ(aids.picture, kNotAprsSymbol);
}

TEST_F(NoAidHost, ThePictureAndChartButtonsAreDisabled) {
    window.OnFormChanged();
    EXPECT_FALSE(controls[IDC_SYMBOL_PICTURE].enabled);
    EXPECT_FALSE(controls[IDC_SMARTBEACON_CHART].enabled);
    Click(IDC_SYMBOL_PICTURE);
    EXPECT_EQ(Text(IDC_SYMBOL), "-");
}

TEST_F(Aids, ChartOpensOnTheShownValuesAndFollowsThem) {
    Click(IDC_SMARTBEACON_CHART);
    EXPECT_TRUE(aids.open);
    EXPECT_EQ(aids.sentence.substr(0, 42), "At 35 MPH: a beacon every 167 s (1.6 miles");
    Edit(IDC_FAST_SPEED, "60");
    Edit(IDC_FAST_RATE, "180");
    EXPECT_EQ(aids.sentence.substr(0, 40), "At 30 MPH: a beacon every 360 s (3 miles");
}

}  // namespace
}  // namespace wb::test
