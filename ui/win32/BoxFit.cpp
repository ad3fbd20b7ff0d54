// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/BoxFit.h"

#include <algorithm>
#include <cstdlib>

#include "ui/win32/WideText.h"

namespace wb::ui {
namespace {

constexpr int kMessageBoxTextId = 0xFFFF;
constexpr UINT kTextFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

// A device context with a font selected, for measuring texts.
class Measure {
public:
    Measure(HWND window, HFONT font) : m_window(window), m_dc(GetDC(window)) {
        m_previous = SelectObject(m_dc, font);
    }
    ~Measure() {
        SelectObject(m_dc, m_previous);
        ReleaseDC(m_window, m_dc);
    }
    Measure(const Measure&) = delete;
    Measure& operator=(const Measure&) = delete;

    int Width(const std::wstring& text) const {
        SIZE size{};
        GetTextExtentPoint32W(m_dc, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    // The height `text` takes when laid out as a box lays it out, `width` wide.
    int Height(const std::wstring& text, int width) const {
        RECT area{0, 0, width, 0};
        return DrawTextW(m_dc, text.c_str(), static_cast<int>(text.size()), &area,
                         DT_CALCRECT | kTextFormat);
    }
    int AverageCharWidth() const {
        TEXTMETRICW metrics{};
        GetTextMetricsW(m_dc, &metrics);
        return metrics.tmAveCharWidth;
    }

private:
    HWND m_window;
    HDC m_dc;
    HGDIOBJ m_previous;
};

int CaptionWidth(const std::wstring& caption, NONCLIENTMETRICSW& metrics) {
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
    const int text = Measure(nullptr, font).Width(caption);
    DeleteObject(font);
    // The frame on both sides, room for an icon, and the close button.
    const int frame = GetSystemMetrics(SM_CXFIXEDFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER);
    return text + metrics.iCaptionWidth + metrics.iCaptionHeight + 2 * frame;
}

// The pieces of `paragraph` between the spaces that a line may break at: every space but those
// inside one of `paths` (longest first).
std::vector<std::wstring> Unbreakable(const std::wstring& paragraph,
                                      const std::vector<std::wstring>& paths) {
    std::vector<std::wstring> pieces;
    std::size_t start = 0;
    while (start <= paragraph.size()) {
        std::size_t end = start;
        while (end < paragraph.size() && paragraph[end] != L' ') {
            std::size_t step = 1;
            for (const std::wstring& path : paths) {
                if (!path.empty() && paragraph.compare(end, path.size(), path) == 0) {
                    step = path.size();
                    break;
                }
            }
            end += step;
        }
        pieces.push_back(paragraph.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

// `paragraph` in lines no wider than `width`, broken at its spaces outside `paths` only; a piece
// wider than that stands on a line of its own.
std::wstring BreakAtSpaces(const Measure& measure, const std::wstring& paragraph,
                           const std::vector<std::wstring>& paths, int width) {
    std::wstring lines, line;
    bool first = true;
    for (const std::wstring& piece : Unbreakable(paragraph, paths)) {
        const std::wstring longer = first ? piece : line + L' ' + piece;
        if (!first && !line.empty() && measure.Width(longer) > width) {
            lines += line + L'\n';
            line = piece;
        } else {
            line = longer;
        }
        first = false;
    }
    return lines + line;
}

struct Change {
    int widen = 0;      // the box, in pixels
    int widenText = 0;  // the text control
    int grow = 0;       // the text control and the box, downwards
};

// Lays the text of `label` out anew where a path would break, and says how much room it needs.
Change FitText(HWND label, const std::wstring& text, const std::vector<std::wstring>& paths,
               Change change) {
    const Measure measure(label, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    // The text control may lay a line out a little wider than measured here.
    const int slack = measure.AverageCharWidth();
    RECT area;
    GetClientRect(label, &area);
    int widest = 0;
    for (const std::wstring& path : paths) {
        widest = std::max(widest, measure.Width(path) + slack);
    }
    change.widenText = std::max(0, widest - static_cast<int>(area.right));
    const int width = area.right + change.widenText;

    std::wstring laidOut;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(L'\n', start), text.size());
        const std::wstring paragraph = text.substr(start, end - start);
        const bool hasPath = std::any_of(paths.begin(), paths.end(), [&](const std::wstring& p) {
            return paragraph.find(p) != std::wstring::npos;
        });
        const bool wraps = measure.Height(paragraph, width) > measure.Height(L"X", width);
        laidOut +=
            hasPath && wraps ? BreakAtSpaces(measure, paragraph, paths, width - slack) : paragraph;
        if (end < text.size()) {
            laidOut += L'\n';
        }
        start = end + 1;
    }
    if (laidOut != text) {
        SetWindowTextW(label, laidOut.c_str());
    }
    change.grow = std::max(0, measure.Height(laidOut, width) - static_cast<int>(area.bottom));
    change.widen = std::max(change.widen, change.widenText);
    return change;
}

void FitBox(HWND box, const std::wstring& caption, const std::wstring& text,
            const std::vector<std::wstring>& paths) {
    NONCLIENTMETRICSW metrics{};
    RECT place;
    GetWindowRect(box, &place);
    Change change;
    change.widen =
        std::max(0, CaptionWidth(caption, metrics) - static_cast<int>(place.right - place.left));
    HWND label = GetDlgItem(box, kMessageBoxTextId);
    if (label != nullptr) {
        change = FitText(label, text, paths, change);
    }
    if (change.widen == 0 && change.grow == 0) {
        return;
    }

    // The buttons keep their place relative to the middle, or to the right edge where they stand.
    RECT client;
    GetClientRect(box, &client);
    RECT buttons{client.right, 0, 0, 0};
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT at;
        GetWindowRect(child, &at);
        MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&at), 2);
        if (ClassOf(child) == L"Button") {
            buttons.left = std::min(buttons.left, at.left);
            buttons.right = std::max(buttons.right, at.right);
        }
    }
    const int leftMargin = buttons.left, rightMargin = client.right - buttons.right;
    const int shift = std::abs(leftMargin - rightMargin) <= std::max(4L, client.right / 20)
                          ? change.widen / 2
                      : rightMargin < leftMargin ? change.widen
                                                 : 0;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT at;
        GetWindowRect(child, &at);
        MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&at), 2);
        if (child == label) {
            SetWindowPos(child, nullptr, 0, 0, at.right - at.left + change.widenText,
                         at.bottom - at.top + change.grow,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else if (ClassOf(child) == L"Button") {
            SetWindowPos(child, nullptr, at.left + shift, at.top + change.grow, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    SetWindowPos(box, nullptr, place.left - change.widen / 2, place.top - change.grow / 2,
                 place.right - place.left + change.widen, place.bottom - place.top + change.grow,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// The box about to be shown on this thread, for the hook that fits it before it appears.
struct Fitting {
    const std::wstring* caption;
    const std::wstring* text;
    const std::vector<std::wstring>* paths;
    HHOOK hook;
    bool done;
};
thread_local Fitting* t_fitting = nullptr;

LRESULT CALLBACK FitWhenActivated(int code, WPARAM wParam, LPARAM lParam) {
    Fitting* fitting = t_fitting;
    if (code == HCBT_ACTIVATE && fitting != nullptr && !fitting->done) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (ClassOf(window) == L"#32770") {
            fitting->done = true;
            FitBox(window, *fitting->caption, *fitting->text, *fitting->paths);
        }
    }
    return CallNextHookEx(fitting != nullptr ? fitting->hook : nullptr, code, wParam, lParam);
}

}  // namespace

int ShowFittedBox(const std::wstring& caption, const std::wstring& text,
                  const std::vector<std::wstring>& paths, const std::function<int()>& show) {
    Fitting fitting{&caption, &text, &paths, nullptr, false};
    Fitting* outer = t_fitting;
    t_fitting = &fitting;
    fitting.hook = SetWindowsHookExW(WH_CBT, FitWhenActivated, nullptr, GetCurrentThreadId());
    const int result = show();
    if (fitting.hook != nullptr) {
        UnhookWindowsHookEx(fitting.hook);
    }
    t_fitting = outer;
    return result;
}

UINT TaskDialogWidth(const std::wstring& caption, const std::wstring& text) {
    NONCLIENTMETRICSW metrics{};
    const int needed = CaptionWidth(caption, metrics);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    int textWidth = 0;
    int averageChar = 0;
    {
        const Measure measure(nullptr, font);
        textWidth = measure.Width(text.substr(0, text.find(L'\n')));
        // Horizontal dialog units are a quarter of the font's average letter.
        averageChar =
            (measure.Width(L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 + 1) / 2;
    }
    DeleteObject(font);
    if (averageChar <= 0 || textWidth >= needed) {
        return 0;
    }
    return static_cast<UINT>(needed * 4 / averageChar + 1);
}

}  // namespace wb::ui
