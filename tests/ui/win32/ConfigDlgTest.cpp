// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 main dialog in-process: built from template 102 as the native controls it names, its
// window chrome, control access by id, and how it waits for an exchange in the background.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "link/PortList.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "tests/support/TempDir.h"
#include "tests/ui/win32/DialogFixture.h"
#include "ui/win32/MessageBoxSink.h"

namespace wb::test {
namespace {

using namespace res;

const char* ExpectedClass(ControlKind kind) {
    switch (kind) {
        case ControlKind::Edit:
            return "Edit";
        case ControlKind::ComboBox:
            return "ComboBox";
        case ControlKind::CheckBox:
        case ControlKind::PushButton:
        case ControlKind::GroupBox:
            return "Button";
        case ControlKind::Tab:
            return "SysTabControl32";
        default:
            return "Static";
    }
}

RECT DialogUnits(HWND dialog, int x, int y, int cx, int cy) {
    RECT rect{x, y, x + cx, y + cy};
    MapDialogRect(dialog, &rect);
    return rect;
}

TEST_F(Win32Dialog, ControlsComeFromTheTemplateInFocusOrder) {
    const DialogTemplate& t = ConfigDialogTemplate();
    HWND dialog = dlg->GetSafeHwnd();
    EXPECT_EQ(Text(dialog), t.caption);
    RECT client;
    GetClientRect(dialog, &client);
    const RECT size = DialogUnits(dialog, 0, 0, t.cx, t.cy);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(ui::NarrowLatin1(font.lfFaceName), t.fontFace);

    HWND child = GetWindow(dialog, GW_CHILD);
    for (const ControlTemplate& c : t.controls) {
        SCOPED_TRACE(std::string(c.text) + " " + std::to_string(c.id));
        if (GetDlgCtrlID(child) == CConfigDlg::kProgressId) {
            child = GetWindow(child, GW_HWNDNEXT);
        }
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(GetDlgCtrlID(child), c.id == kStaticId ? 0xFFFF : c.id);
        EXPECT_EQ(ClassOf(child), ExpectedClass(c.kind));
        // The line under the form has its text from the form at once.
        if (c.kind != ControlKind::Edit && c.kind != ControlKind::ComboBox &&
            c.kind != ControlKind::Tab && c.id != IDC_IMAGE_USAGE) {
            EXPECT_EQ(Text(child), c.text);
        }
        const bool tabStop = (GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) != 0;
        EXPECT_EQ(tabStop, (c.styles & style::kTabStop) != 0);
        // Place and size each in dialog units, as the dialog manager maps them.
        RECT place;
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
        const RECT at = DialogUnits(dialog, c.x, c.y, 0, 0);
        const RECT extent = DialogUnits(dialog, 0, 0, c.cx, c.cy);
        EXPECT_EQ(place.left, at.left);
        EXPECT_EQ(place.top, at.top);
        if (c.kind != ControlKind::Icon) {
            EXPECT_EQ(place.right - place.left, extent.right);
        }
        // A closed combo box is as high as it needs; an icon as its picture.
        if (c.kind != ControlKind::ComboBox && c.kind != ControlKind::Icon) {
            EXPECT_EQ(place.bottom - place.top, extent.bottom);
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
}

// The native styles that do the fields' work: typing shows what they let through.
TEST_F(Win32Dialog, FieldsAndListsHaveTheirNativeStyles) {
    struct Case {
        int id;
        DWORD style;        // must be set
        DWORD absent;       // must not be set
        const char* typed;  // "k5" typed into an empty field gives this
    };
    const Case cases[] = {
        {IDC_CALLSIGN, ES_UPPERCASE | ES_AUTOHSCROLL, ES_NUMBER, "K5"},
        {IDC_DIGI_PATH, ES_UPPERCASE | ES_AUTOHSCROLL, ES_NUMBER, "K5"},
        {IDC_SYMBOL, ES_AUTOHSCROLL, ES_UPPERCASE | ES_NUMBER, "k5"},
        {IDC_STATUS_TEXT, ES_AUTOHSCROLL, ES_UPPERCASE | ES_NUMBER, "k5"},
        {IDC_TX_DELAY, ES_NUMBER | ES_AUTOHSCROLL, ES_UPPERCASE, "5"},
        {IDC_CALIBRATION, ES_NUMBER | ES_AUTOHSCROLL, ES_UPPERCASE, "5"},
        // A combo box hands its scroll bar style on to its list.
        {IDC_MICE_MESSAGE, CBS_DROPDOWN, CBS_SORT, nullptr},
        {IDC_COM_PORT, CBS_DROPDOWN | CBS_SORT, 0, nullptr},
        {IDC_ALTITUDE, BS_AUTOCHECKBOX, 0, nullptr},
        {IDOK, BS_DEFPUSHBUTTON, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        const DWORD style = static_cast<DWORD>(GetWindowLongW(Item(c.id), GWL_STYLE));
        const DWORD kind = ClassOf(Item(c.id)) == "Button" ? (style & BS_TYPEMASK) : style;
        EXPECT_EQ(kind & c.style, c.style);
        EXPECT_EQ(style & c.absent, 0u);
        if (c.typed != nullptr) {
            SetWindowTextW(Item(c.id), L"");
            SendMessageW(Item(c.id), WM_CHAR, 'k', 0);
            SendMessageW(Item(c.id), WM_CHAR, '5', 0);
            EXPECT_EQ(Text(Item(c.id)), c.typed);
        }
    }
}

std::vector<std::string> Entries(HWND combo) {
    std::vector<std::string> out;
    for (LRESULT i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
        std::wstring entry(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)),
                           L'\0');
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
        out.push_back(ui::NarrowLatin1(entry));
    }
    return out;
}

// The machine's ports in the list's order (a list of the sorted style), listed again when the
// list drops down; COM1 stays selected.
TEST_F(Win32Dialog, PortListShowsThisMachinesPortsAndIsReadAgainOnDroppingDown) {
    HWND ports = Item(IDC_COM_PORT);
    std::vector<std::string> labels;
    for (const PortEntry& entry : ListPlatformPorts()) {
        labels.push_back(entry.label);
    }
    EXPECT_EQ(Entries(ports), labels);
    EXPECT_EQ(SendMessageW(ports, CB_GETCURSEL, 0, 0), 0);
    _putenv_s("WRENBEACON_COM2", "COM97");
    SendMessageW(ports, CB_SHOWDROPDOWN, TRUE, 0);
    _putenv_s("WRENBEACON_COM2", "");
    Pump();
    ASSERT_GE(Entries(ports).size(), 4u);
    EXPECT_EQ(Entries(ports)[1], "COM2 - COM97 (WRENBEACON_COM2)");
    EXPECT_EQ(SendMessageW(ports, CB_GETCURSEL, 0, 0), 0);
    SendMessageW(ports, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(Win32Dialog, ListsAreFilledInTheTemplatesOrder) {
    for (const ListInit& list : ConfigDialogTemplate().lists) {
        if (list.id == IDC_COM_PORT) {
            continue;  // the machine's ports, above
        }
        HWND combo = Item(list.id);
        ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0),
                  static_cast<LRESULT>(list.entries.size()));
        for (std::size_t i = 0; i < list.entries.size(); ++i) {
            wchar_t entry[64] = {};
            SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
            EXPECT_EQ(ui::NarrowLatin1(entry), list.entries[i]);
        }
    }
}

// The colour of the icon's pixel (x, y) drawn on white.
COLORREF IconPixel(HICON icon, int size, int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    RECT all{0, 0, size, size};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    const COLORREF colour = GetPixel(memory, x, y);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return colour;
}

TEST_F(Win32Dialog, IconsAndTheAboutEntryOfTheSystemMenu) {
    HWND dialog = dlg->GetSafeHwnd();
    auto big = reinterpret_cast<HICON>(SendMessageW(dialog, WM_GETICON, ICON_BIG, 0));
    auto small = reinterpret_cast<HICON>(SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0));
    ASSERT_NE(big, nullptr);
    ASSERT_NE(small, nullptr);
    // The four lights of the box, and a transparent corner.
    EXPECT_EQ(IconPixel(big, 32, 11, 13), RGB(255, 0, 0));
    EXPECT_EQ(IconPixel(big, 32, 14, 13), RGB(255, 255, 0));
    EXPECT_EQ(IconPixel(big, 32, 17, 13), RGB(0, 255, 0));
    EXPECT_EQ(IconPixel(big, 32, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(IconPixel(small, 16, 6, 9), RGB(255, 0, 0));
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(dialog, WM_QUERYDRAGICON, 0, 0)), big);

    HMENU menu = GetSystemMenu(dialog, FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    wchar_t entry[64] = {};
    GetMenuStringW(menu, count - 1, entry, static_cast<int>(std::size(entry)), MF_BYPOSITION);
    EXPECT_EQ(ui::NarrowLatin1(entry), AboutMenuText());
    EXPECT_EQ(GetMenuItemID(menu, count - 1), IDM_ABOUTBOX);
    EXPECT_EQ(GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR,
              static_cast<UINT>(MF_SEPARATOR));

    std::vector<std::string> seen;
    bool iconShown = false;
    const int boxes = AnswerDialogs(
        dialog, [&] { SendMessageW(dialog, WM_SYSCOMMAND, IDM_ABOUTBOX | 0x0005, 0); },
        [&](HWND about) {
            seen.push_back(Text(about));
            for (HWND c = GetWindow(about, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
                if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                    iconShown =
                        SendMessageW(c, STM_GETICON, 0, 0) == reinterpret_cast<LRESULT>(big);
                } else if (ClassOf(c) == "Static") {
                    seen.push_back(Text(c));
                }
            }
            SendMessageW(about, WM_COMMAND, IDOK, 0);
        });
    EXPECT_EQ(boxes, 1);
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[0], "About WrenbeaconConfig");
    EXPECT_EQ(seen[1], "WrenbeaconConfig Version 1.00");
    EXPECT_TRUE(iconShown);
    EXPECT_TRUE(IsWindowVisible(dialog));
}

TEST(Win32DialogEnd, ExitEnterAndCloseEndItWithoutTouchingThePort) {
    struct Case {
        UINT message;
        WPARAM wParam;
        INT_PTR result;
    };
    for (const Case c : {Case{WM_COMMAND, IDOK, IDOK}, Case{WM_COMMAND, IDCANCEL, IDCANCEL},
                         Case{WM_CLOSE, 0, IDCANCEL}}) {
        MessageRecorder messages;
        CConfigDlg dlg;
        HWND dialog = dlg.Create();
        SendMessageW(dialog, c.message, c.wParam, 0);
        EXPECT_EQ(dlg.Result(), c.result);
        EXPECT_FALSE(IsWindowVisible(dialog));
        EXPECT_FALSE(dlg.m_port.IsOpen());
        EXPECT_TRUE(messages.messages().empty());
    }
}

TEST_F(Win32Dialog, ControlsByIdReadAndWriteWholeValues) {
    const std::string longText(300, 'w');
    dlg->SetFieldText(IDC_STATUS_TEXT, longText.c_str());
    EXPECT_EQ(dlg->GetFieldText(IDC_STATUS_TEXT), longText);
    dlg->SetFieldText(IDC_STATUS_TEXT, "caf\xE9");
    EXPECT_EQ(dlg->GetFieldText(IDC_STATUS_TEXT), "caf\xE9");

    dlg->SetBoxCheck(IDC_ALTITUDE, 0);
    EXPECT_FALSE(dlg->IsBoxChecked(IDC_ALTITUDE));
    dlg->SetBoxCheck(IDC_ALTITUDE, 1);
    EXPECT_EQ(SendMessageW(Item(IDC_ALTITUDE), BM_GETCHECK, 0, 0), BST_CHECKED);

    dlg->SetListSelection(IDC_MICE_MESSAGE, 7);
    EXPECT_EQ(dlg->GetListSelection(IDC_MICE_MESSAGE), 7);
    dlg->SetListSelection(IDC_MICE_MESSAGE, 8);  // one past the last entry
    EXPECT_EQ(dlg->GetListSelection(IDC_MICE_MESSAGE), -1);

    dlg->EnableControl(IDC_CALLSIGN, false);
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_CALLSIGN)));

    EXPECT_EQ(dlg->GetTabSelection(IDC_PROFILE_TAB), 0);
    ASSERT_EQ(SendMessageW(Item(IDC_PROFILE_TAB), TCM_GETITEMCOUNT, 0, 0), 2);
    for (auto [index, text] : {std::pair{0, "Primary"}, std::pair{1, "Seconday"}}) {
        wchar_t name[32] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = name;
        item.cchTextMax = static_cast<int>(std::size(name));
        SendMessageW(Item(IDC_PROFILE_TAB), TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(ui::NarrowLatin1(name), text);
    }

    // An id the window lacks, or a control of another kind, answers nothing and changes nothing.
    EXPECT_EQ(dlg->GetFieldText(4242), "");
    EXPECT_EQ(dlg->GetFieldText(IDC_ALTITUDE), "");
    EXPECT_FALSE(dlg->IsBoxChecked(IDC_CALLSIGN));
    EXPECT_EQ(dlg->GetListSelection(IDC_CALLSIGN), -1);
    EXPECT_EQ(dlg->GetTabSelection(IDC_COM_PORT), -1);
    dlg->SetFieldText(IDC_ALTITUDE, "changed");
    EXPECT_EQ(Text(Item(IDC_ALTITUDE)), "Transmit Altitude");
}

// While an exchange runs the window answers (here the worker asks it for a text and has it show a
// box), takes no input and no command; the box is owned by it.
TEST_F(Win32Dialog, BackgroundExchangeKeepsTheWindowAliveAndDeaf) {
    ui::MessageBoxSink boxes([this] { return dlg->GetSafeHwnd(); });
    HWND dialog = dlg->GetSafeHwnd();
    HWND callsign = Item(IDC_CALLSIGN);
    std::string readMeanwhile;
    std::vector<std::string> shown;
    bool result = false;
    const int seen = AnswerDialogs(
        dialog,
        [&] {
            result = dlg->RunInBackground([&] {
                PostMessageW(callsign, WM_CHAR, 'X', 0);
                PostMessageW(Item(IDC_READ_VERSION), WM_LBUTTONDOWN, MK_LBUTTON, 0);
                PostMessageW(Item(IDC_READ_VERSION), WM_LBUTTONUP, 0, 0);
                SendMessageW(Item(IDOK), BM_CLICK, 0, 0);
                PostMessageW(dialog, WM_CLOSE, 0, 0);
                wchar_t text[32] = {};
                SendMessageW(callsign, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
                readMeanwhile = ui::NarrowLatin1(text);
                ShowMessageBox("Still here", "Wrenbeacon Test");
                return true;
            });
        },
        [&](HWND box) {
            shown.push_back(Text(box));
            shown.push_back(Text(GetDlgItem(box, 0xFFFF)));
            SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        });
    Pump();
    EXPECT_TRUE(result);
    EXPECT_EQ(readMeanwhile, "NOCALL");
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(shown, (std::vector<std::string>{"Wrenbeacon Test", "Still here"}));
    EXPECT_EQ(Text(callsign), "NOCALL") << "typing reached the field";
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(dlg->Result(), 0);
}

TEST_F(Win32Dialog, EveryControlWithATipShowsIt) {
    HWND tips = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) {
            if (ClassOf(window) == "tooltips_class32") {
                *reinterpret_cast<HWND*>(found) = window;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tips));
    ASSERT_NE(tips, nullptr);
    for (const ControlTooltip& tip : ConfigTooltips()) {
        SCOPED_TRACE(tip.id);
        wchar_t text[512] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = dlg->GetSafeHwnd();
        tool.lpszText = text;
        // Over the control itself, and over its place for when it is disabled.
        for (UINT_PTR id :
             {reinterpret_cast<UINT_PTR>(Item(tip.id)), static_cast<UINT_PTR>(tip.id)}) {
            text[0] = L'\0';
            tool.uFlags = id == static_cast<UINT_PTR>(tip.id) ? 0 : TTF_IDISHWND;
            tool.uId = id;
            SendMessageW(tips, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
            EXPECT_EQ(ui::NarrowLatin1(text), tip.text);
        }
    }
}

// The buttons of a box that are shown, by their texts; the default one is marked with a '*'.
std::vector<std::string> ButtonsOf(HWND box) {
    std::vector<std::string> buttons;
    for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        if (ClassOf(c) == "Button" && IsWindowVisible(c)) {
            const bool isDefault = (GetWindowLongW(c, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
            buttons.push_back(Text(c) + (isDefault ? "*" : ""));
        }
    }
    return buttons;
}

// Presses the button of `box` that shows `text`.
void Press(HWND box, const std::string& text) {
    for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        if (ClassOf(c) == "Button" && Text(c) == text) {
            SendMessageW(c, BM_CLICK, 0, 0);
            return;
        }
    }
    ADD_FAILURE() << "no button " << text;
}

// A question has the two answers it is given, the second the default; Escape and Enter give it.
TEST_F(Win32Dialog, QuestionsOfferTheirOwnAnswers) {
    const struct {
        const char* press;  // a button, or a key: Escape, Enter
        bool answer;
    } cases[] = {{"Go", true}, {"Stay", false}, {"Escape", false}, {"Enter", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.press);
        std::vector<std::string> buttons;
        bool answer = !c.answer;
        const int seen = AnswerDialogs(
            dlg->GetSafeHwnd(),
            [&] {
                answer = dlg->AskQuestion({"Go on?", "Wrenbeacon Test", {}}, "Go", "Stay");
            },
            [&](HWND box) {
                EXPECT_EQ(Text(box), "Wrenbeacon Test");
                buttons = ButtonsOf(box);
                const std::string press = c.press;
                if (press == "Escape" || press == "Enter") {
                    // As typed: through the box's own handling of the keys.
                    const WPARAM key = press == "Escape" ? VK_ESCAPE : VK_RETURN;
                    PostMessageW(GetFocus() != nullptr ? GetFocus() : box, WM_KEYDOWN, key, 1);
                } else {
                    Press(box, press);
                }
            });
        EXPECT_EQ(seen, 1);
        EXPECT_EQ(answer, c.answer);
        EXPECT_EQ(buttons, (std::vector<std::string>{"Go", "Stay*"}));
    }
}

// With changes in the form every way out asks first: Cancel keeps the window, Close ends it.
TEST(Win32DialogEnd, EveryWayOutAsksAboutChanges) {
    const std::string question =
        "The configuration has changes that were not written to the beacon or saved to a file. "
        "Close anyway?";
    struct Case {
        UINT message;
        WPARAM wParam;
        INT_PTR result;
    };
    for (const Case c : {Case{WM_COMMAND, IDOK, IDOK}, Case{WM_COMMAND, IDCANCEL, IDCANCEL},
                         Case{WM_CLOSE, 0, IDCANCEL}, Case{WM_SYSCOMMAND, SC_CLOSE, IDCANCEL}}) {
        SCOPED_TRACE(c.message + c.wParam);
        MessageRecorder messages;
        CConfigDlg dlg;
        HWND dialog = dlg.Create();
        dlg.SetFieldText(IDC_STATUS_TEXT, "Not written anywhere");
        for (const char* press : {"Cancel", "Close"}) {
            std::vector<std::string> texts;
            const int asked = AnswerDialogs(
                dialog, [&] { SendMessageW(dialog, c.message, c.wParam, 0); },
                [&](HWND box) {
                    texts.push_back(Text(box));
                    for (HWND t = GetWindow(box, GW_CHILD); t; t = GetWindow(t, GW_HWNDNEXT)) {
                        if (ClassOf(t) == "Static" && Text(t) == question) {
                            texts.push_back(question);
                        }
                    }
                    Press(box, press);
                });
            EXPECT_EQ(asked, 1);
            EXPECT_EQ(texts, (std::vector<std::string>{"WrenbeaconConfig", question}));
            const bool kept = std::string(press) == "Cancel";
            EXPECT_EQ(IsWindowVisible(dialog) != FALSE, kept) << press;
            EXPECT_EQ(dlg.Result(), kept ? 0 : c.result);
        }
        EXPECT_EQ(dlg.GetFieldText(IDC_STATUS_TEXT), "Not written anywhere");
        EXPECT_TRUE(messages.messages().empty());
    }
}

// Types `path` into the system's file dialog `box` (its file name field is cmb13, or edt1 in the
// older layout) and presses its Open or Save.
void ChooseFile(HWND box, const std::filesystem::path& path) {
    HWND name = GetDlgItem(box, 0x47C);
    if (name == nullptr) {
        name = GetDlgItem(box, 0x480);
    }
    ASSERT_NE(name, nullptr);
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
}

// Open and Save come from the system menu through the system's file dialog, with the path in
// UTF-16 all the way (a Greek name, which no ANSI code page of the West holds); either leaves the
// form counted as clean.
TEST_F(Win32Dialog, SystemMenuOpensAndSavesConfigurationFiles) {
    HWND dialog = dlg->GetSafeHwnd();
    HMENU menu = GetSystemMenu(dialog, FALSE);
    for (auto [command, text] :
         {std::pair{CConfigDlg::kOpenConfigCommand, "Open Configuration..."},
          std::pair{CConfigDlg::kSaveConfigCommand, "Save Configuration As..."}}) {
        wchar_t entry[64] = {};
        GetMenuStringW(menu, command, entry, static_cast<int>(std::size(entry)), MF_BYCOMMAND);
        EXPECT_EQ(ui::NarrowLatin1(entry), text);
    }

    TempDir folder("win32-files");
    const std::filesystem::path file = folder.path / L"\u03C6\u03AC\u03C1\u03BF\u03C2.toml";
    std::vector<std::string> titles;
    const auto choose = [&](HWND box) {
        titles.push_back(Text(box));
        ChooseFile(box, file);
    };
    dlg->SetFieldText(IDC_CALLSIGN, "K1ABC");
    ASSERT_TRUE(dlg->m_window.HasUnsavedChanges());
    EXPECT_EQ(
        AnswerDialogs(
            dialog, [&] { SendMessageW(dialog, WM_SYSCOMMAND, CConfigDlg::kSaveConfigCommand, 0); },
            choose),
        1);
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_FALSE(dlg->m_window.HasUnsavedChanges());

    dlg->SetFieldText(IDC_CALLSIGN, "K9XYZ");
    EXPECT_EQ(
        AnswerDialogs(
            dialog, [&] { SendMessageW(dialog, WM_SYSCOMMAND, CConfigDlg::kOpenConfigCommand, 0); },
            choose),
        1);
    EXPECT_EQ(dlg->GetFieldText(IDC_CALLSIGN), "K1ABC");
    EXPECT_FALSE(dlg->m_window.HasUnsavedChanges());
    EXPECT_EQ(titles, (std::vector<std::string>{"Save Configuration As", "Open Configuration"}));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{});
}

// How wide `text` is in `font`, and how many lines it takes `width` wide as a box lays it out.
struct Layout {
    explicit Layout(HFONT font) : dc(GetDC(nullptr)), previous(SelectObject(dc, font)) {}
    ~Layout() {
        SelectObject(dc, previous);
        ReleaseDC(nullptr, dc);
    }
    int Width(const std::wstring& text) const {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    int Height(const std::wstring& text, int width) const {
        RECT area{0, 0, width, 0};
        return DrawTextW(dc, text.c_str(), -1, &area,
                         DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    }
    HDC dc;
    HGDIOBJ previous;
};

// A box is wide enough for its caption beside the close button, and lays out its text so that no
// path is broken in two, with nothing cut off below; the words stay as they were.
TEST_F(Win32Dialog, ABoxIsWideEnoughForItsCaptionAndKeepsPathsWhole) {
    ui::MessageBoxSink boxes([this] { return dlg->GetSafeHwnd(); });
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT captionFont = CreateFontIndirectW(&metrics.lfCaptionFont);
    const std::string path =
        "Z:\\home\\someone\\Documents\\Wrenbeacon\\traces\\wrenbeacon-trace-of-the-long/road.txt";
    const Message cases[] = {
        {"OK", "Status Beacon Text Truncated", {}},
        {"The serial trace cannot be written; the window works without it.", "",
         path + ": Access denied."},
        {"Cannot load the configuration file " + path, "", "there is no such file"},
    };
    for (const Message& message : cases) {
        SCOPED_TRACE(message.text);
        std::wstring expected = ui::WidenLatin1(message.text.c_str());
        if (!message.detail.empty()) {
            expected += L"\n\n" + ui::WidenLatin1(message.detail.c_str());
        }
        const int seen = AnswerDialogs(
            dlg->GetSafeHwnd(), [&] { ShowMessage(message); },
            [&](HWND box) {
                RECT place, label;
                GetWindowRect(box, &place);
                EXPECT_GE(place.right - place.left,
                          Layout(captionFont).Width(ui::WidenLatin1(Text(box).c_str())) +
                              metrics.iCaptionWidth + 2 * GetSystemMetrics(SM_CXFIXEDFRAME));
                HWND text = GetDlgItem(box, 0xFFFF);
                GetClientRect(text, &label);
                const Layout layout(reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0)));
                std::wstring shown(static_cast<std::size_t>(GetWindowTextLengthW(text)) + 1, L'\0');
                shown.resize(static_cast<std::size_t>(
                    GetWindowTextW(text, shown.data(), static_cast<int>(shown.size()))));
                EXPECT_LE(layout.Height(shown, label.right), label.bottom) << "the text is cut off";
                // The path is on one line of the text as shown, which the box does not wrap.
                std::wstring words = shown;
                std::size_t start = 0;
                bool pathWhole = false;
                for (std::size_t end; start <= shown.size(); start = end + 1) {
                    end = std::min(shown.find(L'\n', start), shown.size());
                    const std::wstring line = shown.substr(start, end - start);
                    if (line.find(ui::WidenLatin1(path.c_str())) != line.npos) {
                        pathWhole =
                            layout.Height(line, label.right) <= layout.Height(L"X", label.right);
                    }
                }
                std::replace(words.begin(), words.end(), L'\n', L' ');
                std::wstring plain = expected;
                std::replace(plain.begin(), plain.end(), L'\n', L' ');
                EXPECT_EQ(ui::NarrowLatin1(words), ui::NarrowLatin1(plain));
                if (expected.find(ui::WidenLatin1(path.c_str())) != std::wstring::npos) {
                    EXPECT_TRUE(pathWhole) << "the path is broken in two";
                }
                SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
            });
        EXPECT_EQ(seen, 1);
    }
    DeleteObject(captionFont);
}

TEST_F(Win32Dialog, TextsReachLabelsAndGroupTitlesToo) {
    dlg->SetFieldText(IDC_TONE_GROUP, "Tone Test - sending 1200 Hz");
    EXPECT_EQ(Text(Item(IDC_TONE_GROUP)), "Tone Test - sending 1200 Hz");
    dlg->SetFieldText(IDC_IMAGE_USAGE, "Uses 1 of 128 bytes");
    EXPECT_EQ(Text(Item(IDC_IMAGE_USAGE)), "Uses 1 of 128 bytes");
}

TEST_F(Win32Dialog, ProgressBarCountsBytesWhileShown) {
    HWND bar = Item(CConfigDlg::kProgressId);
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(IsWindowVisible(bar));
    dlg->BeginProgress();
    EXPECT_TRUE(IsWindowVisible(bar));
    EXPECT_FALSE(IsWindowVisible(Item(IDC_IMAGE_USAGE))) << "the bar takes the line's place";
    dlg->ExpectProgress(260);
    dlg->AddProgress(100);
    dlg->AddProgress(30);
    SendMessageW(dlg->GetSafeHwnd(), WM_TIMER, CConfigDlg::kProgressTimer, 0);
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 260);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 130);
    dlg->EndProgress();
    EXPECT_FALSE(IsWindowVisible(bar));
    EXPECT_TRUE(IsWindowVisible(Item(IDC_IMAGE_USAGE)));
}

}  // namespace
}  // namespace wb::test
