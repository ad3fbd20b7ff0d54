// SPDX-License-Identifier: GPL-3.0-or-later
// The aids beside the form in the Win32 window: the symbol's picture follows the fields, the
// chooser fills both fields or nothing on Escape, a preset fills the SmartBeaconing fields, and
// the chart follows the values.
#include <cstdint>
#include <string>

#include "res/ResourceIds.h"
#include "tests/ui/win32/DialogFixture.h"
#include "ui/SymbolPicture.h"

namespace wb::test {
namespace {

using namespace res;

void SetText(HWND control, const char* text) {
    SetWindowTextW(control, ui::WidenLatin1(text).c_str());
}

// The button's icon drawn on white, against the picture the toolkit-free layer draws on white.
bool ShowsSymbol(HWND button, char code, char table) {
    auto icon = reinterpret_cast<HICON>(SendMessageW(button, BM_GETIMAGE, IMAGE_ICON, 0));
    const ui::RgbaImage want = ui::DrawSymbol(LookUpSymbol(code, table), 1);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, want.width, want.height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    RECT all{0, 0, want.width, want.height};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(memory, 0, 0, icon, want.width, want.height, 0, nullptr, DI_NORMAL);
    bool same = icon != nullptr;
    for (int y = 0; y < want.height && same; ++y) {
        for (int x = 0; x < want.width && same; ++x) {
            const std::uint8_t* p = &want.rgba[static_cast<std::size_t>(y * want.width + x) * 4];
            const COLORREF expected = p[3] != 0 ? RGB(p[0], p[1], p[2]) : RGB(255, 255, 255);
            same = GetPixel(memory, x, y) == expected;
        }
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return same;
}

// Opens the chooser with a double click on `field`, lets `use` work it, and returns how many
// choosers showed.
int Choose(CConfigDlg& dlg, int field, const std::function<void(HWND)>& use) {
    return AnswerDialogs(
        dlg.GetSafeHwnd(),
        [&] {
            SendMessageW(dlg.GetDlgItem(field), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
        },
        use);
}

TEST_F(Win32Dialog, TypingRedrawsThePictureAndChoosingFillsBothFields) {
    HWND button = Item(IDC_SYMBOL_PICTURE);
    EXPECT_TRUE(ShowsSymbol(button, '-', '/'));
    EXPECT_EQ(Text(button), "House QTH (VHF)");
    SetText(Item(IDC_SYMBOL), "k");
    SetText(Item(IDC_SYMBOL_TABLE), "\\");
    EXPECT_TRUE(ShowsSymbol(button, 'k', '\\'));
    EXPECT_EQ(Text(button), "SUV");

    // Search, the second digipeater, overlay S, OK: by the chooser's own controls.
    const int shown = Choose(*dlg, IDC_SYMBOL_TABLE, [](HWND chooser) {
        SetText(GetDlgItem(chooser, IDC_SYMBOL_SEARCH), "digi star");
        HWND grid = GetDlgItem(chooser, IDC_SYMBOL_GRID);
        EXPECT_EQ(ClassOf(grid), "SysListView32");
        EXPECT_EQ(SendMessageW(grid, LVM_GETITEMCOUNT, 0, 0), 2);
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(grid, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
        HWND overlay = GetDlgItem(chooser, IDC_SYMBOL_OVERLAY);
        EXPECT_TRUE(IsWindowEnabled(overlay));
        SendMessageW(overlay, CB_SETCURSEL, 29, 0);
        SendMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDC_SYMBOL_OVERLAY, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(overlay));
        EXPECT_EQ(Text(GetDlgItem(chooser, IDC_SYMBOL_CODES)), "Symbol: #   Table / Overlay: S");
        SendMessageW(GetDlgItem(chooser, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Text(Item(IDC_SYMBOL)), "#");
    EXPECT_EQ(Text(Item(IDC_SYMBOL_TABLE)), "S");
    EXPECT_TRUE(ShowsSymbol(button, '#', 'S'));

    // Escape changes nothing.
    Choose(*dlg, IDC_SYMBOL, [](HWND chooser) {
        SetText(GetDlgItem(chooser, IDC_SYMBOL_SEARCH), "jeep");
        SendMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(Text(Item(IDC_SYMBOL)), "#");
    EXPECT_EQ(Text(Item(IDC_SYMBOL_TABLE)), "S");
}

TEST_F(Win32Dialog, APresetFillsTheFieldsAndTheChartFollowsThem) {
    SendMessageW(Item(IDC_SMARTBEACON_ENABLE), BM_CLICK, 0, 0);
    HWND presets = Item(IDC_SMARTBEACON_PRESET);
    EXPECT_TRUE(IsWindowEnabled(presets));
    EXPECT_EQ(SendMessageW(presets, CB_GETCURSEL, 0, 0), 5) << "Custom";
    SendMessageW(presets, CB_SETCURSEL, 4, 0);  // Classic, as the user picks it
    SendMessageW(dlg->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_SMARTBEACON_PRESET, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(presets));
    EXPECT_EQ(Text(Item(IDC_FAST_SPEED)), "60");
    EXPECT_EQ(Text(Item(IDC_FAST_RATE)), "180");
    EXPECT_EQ(SendMessageW(presets, CB_GETCURSEL, 0, 0), 4);

    SendMessageW(Item(IDC_SMARTBEACON_CHART), BM_CLICK, 0, 0);
    EXPECT_TRUE(dlg->ChartWindow().IsShown());
    EXPECT_EQ(dlg->ChartWindow().Sentence(),
              "At 30 MPH: a beacon every 360 s (3 miles); turns of more than 38\xB0 send one "
              "sooner.");
    SetText(Item(IDC_FAST_RATE), "120");
    EXPECT_EQ(SendMessageW(presets, CB_GETCURSEL, 0, 0), 5);
    EXPECT_EQ(dlg->ChartWindow().Sentence().substr(0, 41),
              "At 30 MPH: a beacon every 240 s (2 miles)");
    SendMessageW(dlg->ChartWindow().GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(dlg->ChartWindow().IsShown());
}

}  // namespace
}  // namespace wb::test
