// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/web/SymbolChooserPage.h"

#include <emscripten.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "res/Resources.h"
#include "ui/SymbolPicture.h"
#include "ui/web/PageBridge.h"

namespace wb::web {
namespace {

constexpr int kGridScale = 2;  // the grid's pictures and the chosen one at twice their size

// What the user did in the chooser (Aids.js posts the same numbers).
enum ChooserEvent { kCancel = 0, kPick = 1, kSearch = 2, kSelect = 3, kOverlay = 4 };

// clang-format off
EM_JS(double, wb_aids_pixel_ratio, (), {
    return window.devicePixelRatio || 1;
});
EM_JS(void, wb_aids_picture, (const unsigned char* rgba, int size, const char* tip, int length), {
    Module.wbAids.picture(HEAPU8.slice(rgba, rgba + size * size * 4), size,
                          Module.wbPage.latin1(tip, length));
});
EM_JS(void, wb_chooser_open, (), {
    Module.wbAids.chooser.open();
});
EM_JS(void, wb_chooser_symbol, (int index, const char* name, int nameLength, const char* tip,
                                int tipLength, const unsigned char* rgba, int size), {
    const t = Module.wbPage.latin1;
    Module.wbAids.chooser.symbol(index, t(name, nameLength), t(tip, tipLength),
                                 HEAPU8.slice(rgba, rgba + size * size * 4), size);
});
EM_JS(void, wb_chooser_show, (const int* indexes, int count), {
    Module.wbAids.chooser.show(Array.from(HEAP32.subarray(indexes >> 2, (indexes >> 2) + count)));
});
EM_JS(void, wb_chooser_selection, (int shown, const unsigned char* rgba, int size,
                                   const char* name, int nameLength, const char* codes,
                                   int codesLength, int canOverlay, int overlay, int canPick), {
    const t = Module.wbPage.latin1;
    Module.wbAids.chooser.selection(shown, size > 0 ? HEAPU8.slice(rgba, rgba + size * size * 4)
                                                    : null,
                                    size, t(name, nameLength), t(codes, codesLength),
                                    canOverlay !== 0, overlay, canPick !== 0);
});
EM_ASYNC_JS(int, wb_chooser_next, (int* value), {
    const event = await Module.wbAids.chooser.next();
    HEAP32[value >> 2] = event.value || 0;
    return event.kind;
});
EM_JS(char*, wb_chooser_search, (), {
    return Module.wbPage.toWasm(Module.wbAids.chooser.searchText());
});
EM_JS(void, wb_chooser_close, (), {
    Module.wbAids.chooser.close();
});
// clang-format on

int Length(const std::string& text) {
    return static_cast<int>(text.size());
}

void ShowShown(const ui::SymbolChooser& chooser) {
    const res::SymbolRecord* first = res::SymbolRecords().data();
    std::vector<int> indexes;
    for (const res::SymbolRecord* symbol : chooser.Shown()) {
        indexes.push_back(static_cast<int>(symbol - first));
    }
    wb_chooser_show(indexes.data(), static_cast<int>(indexes.size()));
}

void ShowSelection(const ui::SymbolChooser& chooser, int scale) {
    const ui::RgbaImage picture =
        chooser.Selected() < 0 ? ui::RgbaImage{} : ui::DrawSymbol(chooser.Look(), scale);
    const std::string name = chooser.Name();
    const std::string codes = chooser.Codes();
    wb_chooser_selection(chooser.Selected(), picture.rgba.data(), picture.width, name.c_str(),
                         Length(name), codes.c_str(), Length(codes), chooser.CanOverlay() ? 1 : 0,
                         chooser.OverlayIndex(), chooser.Pick() ? 1 : 0);
}

}  // namespace

void ShowSymbolPicture(const res::SymbolLook& look, const std::string& tip) {
    const ui::RgbaImage picture = ui::DrawSymbol(look, ui::WholeScale(wb_aids_pixel_ratio()));
    wb_aids_picture(picture.rgba.data(), picture.width, tip.c_str(), Length(tip));
}

bool RunSymbolChooserPage(ui::SymbolChooser& chooser) {
    BuildControls(res::SymbolChooserTemplate(), Surface::Dialog);
    wb_chooser_open();
    const int scale = ui::WholeScale(wb_aids_pixel_ratio(), kGridScale);
    const auto symbols = res::SymbolRecords();
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        const res::SymbolRecord& symbol = symbols[i];
        const ui::RgbaImage picture = ui::DrawSymbol({&symbol, '\0'}, scale);
        const std::string name = symbol.name;
        const std::string tip = ui::SymbolChooser::Tip(symbol);
        wb_chooser_symbol(static_cast<int>(i), name.c_str(), Length(name), tip.c_str(), Length(tip),
                          picture.rgba.data(), picture.width);
    }
    ShowShown(chooser);
    ShowSelection(chooser, scale);
    for (;;) {
        int value = 0;
        switch (wb_chooser_next(&value)) {
            case kPick:
                if (chooser.Pick()) {
                    wb_chooser_close();
                    return true;
                }
                break;
            case kSearch: {
                const std::unique_ptr<char, decltype(&std::free)> text(wb_chooser_search(),
                                                                       &std::free);
                chooser.SetSearch(text ? text.get() : "");
                ShowShown(chooser);
                break;
            }
            case kSelect:
                chooser.Select(value);
                break;
            case kOverlay:
                chooser.SetOverlayIndex(value);
                break;
            default:  // Cancel, Escape, or the dialog gone
                wb_chooser_close();
                return false;
        }
        ShowSelection(chooser, scale);
    }
}

}  // namespace wb::web
