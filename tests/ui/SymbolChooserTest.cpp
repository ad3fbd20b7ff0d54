// SPDX-License-Identifier: GPL-3.0-or-later
// The symbol chooser's model and the symbol's picture, without a toolkit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/SymbolChooser.h"
#include "ui/SymbolPicture.h"

namespace wb::ui {
namespace {

std::vector<std::string> ShownNames(const SymbolChooser& chooser) {
    std::vector<std::string> names;
    for (const res::SymbolRecord* s : chooser.Shown()) {
        names.push_back(std::string{s->table, s->code, ' '} + s->name);
    }
    return names;
}

TEST(SymbolChooser, SearchesNamesByTheStartsOfTheirWords) {
    SymbolChooser chooser("", "");
    EXPECT_EQ(chooser.Shown().size(), res::SymbolRecords().size());
    const struct {
        const char* search;
        std::vector<std::string> shown;
    } cases[] = {
        {"jeep", {"/j Jeep"}},
        {"HOUSE", {"/- House QTH (VHF)", "\\- House (HF)"}},
        {"car", {"/> Car", "\\> Car (w overlay)"}},
        {"digi star",
         {"/# Digi (green star with white center)", "\\# Digi (green star) (w overlay)"}},
        {"eep", {}},  // inside a word ("Jeep") is no match
        {"zzz", {}},
    };
    for (const auto& c : cases) {
        chooser.SetSearch(c.search);
        EXPECT_EQ(ShownNames(chooser), c.shown) << c.search;
    }
    chooser.SetSearch("digi");
    EXPECT_GE(chooser.Shown().size(), 4u);  // Indoor Short Range Digi, WX Stn with digi too
}

TEST(SymbolChooser, OpensOnTheFieldsAndPicksSymbolAndOverlay) {
    SymbolChooser car(">", "/");
    EXPECT_EQ(car.Name(), "Car");
    EXPECT_EQ(car.Codes(), "Symbol: >   Table / Overlay: /");
    EXPECT_FALSE(car.CanOverlay());

    SymbolChooser digi("#XY", "S");  // only the first characters count, as in the form
    EXPECT_EQ(digi.Name(), "Digi (green star) (w overlay), overlay S");
    ASSERT_TRUE(digi.Pick());
    EXPECT_EQ(digi.Pick()->symbol, "#");
    EXPECT_EQ(digi.Pick()->table, "S");

    // A search keeps a symbol it still shows, else selects the first shown.
    digi.SetSearch("green");
    EXPECT_EQ(digi.Name(), "Digi (green star) (w overlay), overlay S");
    digi.SetSearch("car");
    EXPECT_EQ(digi.Selected(), 0);
    EXPECT_EQ(digi.Pick()->table, "/") << "a primary symbol takes no overlay";
    digi.Select(1);
    EXPECT_EQ(digi.Pick()->table, "S") << "the overlay chosen before comes back";
    digi.SetOverlayIndex(0);
    EXPECT_EQ(digi.Pick()->table, "\\");
    digi.SetOverlayIndex(1);
    EXPECT_EQ(digi.Pick()->table, "0");
    digi.SetSearch("zzz");
    EXPECT_EQ(digi.Selected(), -1);
    EXPECT_FALSE(digi.Pick());

    SymbolChooser none("}", "/");  // reserved: nothing selected, nothing to pick yet
    EXPECT_EQ(none.Selected(), -1);
    EXPECT_FALSE(none.Pick());
    none.SetSearch("jeep");
    EXPECT_EQ(none.Pick()->symbol, "j");
}

// The colour of picture pixel (x, y) of a 20 x 20 palette picture, as DrawSymbol writes it.
std::uint32_t Expected(const char* pixels, int x, int y) {
    return res::PaletteColour(pixels[y * res::kSymbolSize + x]);
}

std::uint32_t Pixel(const RgbaImage& image, int x, int y) {
    const auto at = static_cast<std::size_t>(y * image.width + x) * 4;
    const auto* p = &image.rgba[at];
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

TEST(SymbolPicture, EveryPixelIsAWholeSquareWithTheOverlayOnTop) {
    const res::SymbolLook look = res::LookUpSymbol('#', 'S');
    const char* overlay = res::OverlayPixels('S');
    const RgbaImage image = DrawSymbol(look, 3);
    ASSERT_EQ(image.width, 60);
    ASSERT_EQ(image.height, 60);
    ASSERT_EQ(image.rgba.size(), 60u * 60u * 4u);
    int overlaid = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 60; ++x) {
            const std::uint32_t top = Expected(overlay, x / 3, y / 3);
            overlaid += top != 0 ? 1 : 0;
            const std::uint32_t want = top != 0 ? top : Expected(look.symbol->pixels, x / 3, y / 3);
            ASSERT_EQ(Pixel(image, x, y), want) << x << "," << y;
        }
    }
    EXPECT_GT(overlaid, 0);
    const RgbaImage neutral = DrawSymbol(res::LookUpSymbol('}', '/'), 1);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            ASSERT_EQ(Pixel(neutral, x, y), Expected(res::NeutralPixels(), x, y));
        }
    }
}

TEST(SymbolPicture, ScalesOnlyByWholeNumbers) {
    EXPECT_EQ(WholeScale(1.0), 1);
    EXPECT_EQ(WholeScale(1.5), 1);
    EXPECT_EQ(WholeScale(1.9999), 2);
    EXPECT_EQ(WholeScale(2.0), 2);
    EXPECT_EQ(WholeScale(0.75), 1);
    EXPECT_EQ(WholeScale(1.25, 2), 2);
    EXPECT_EQ(WholeScale(1.5, 2), 3);
    EXPECT_EQ(DrawSymbol(res::LookUpSymbol('>', '/'), 0).width, 20) << "at least 1";
}

}  // namespace
}  // namespace wb::ui
