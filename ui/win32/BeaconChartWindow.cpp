// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/win32/BeaconChartWindow.h"

#include <algorithm>
#include <vector>

#include "res/BeaconChartTexts.h"
#include "ui/win32/WideText.h"

namespace wb::ui {
namespace {

constexpr wchar_t kClassName[] = L"WrenbeaconChart";
constexpr int kSentenceLines = 2;
constexpr int kMargin = 8;

COLORREF Colour(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

void RegisterClassOnce() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), kClassName, &wc)) {
        return;
    }
    wc.lpfnWndProc = DefWindowProcW;  // until the window knows its object
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);
}

}  // namespace

BeaconChartWindow::~BeaconChartWindow() {
    if (m_hWnd != nullptr) {
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hWnd);
    }
}

void BeaconChartWindow::Open(HWND owner, const BeaconChart& chart, const std::string& sentence) {
    m_chart = chart;
    m_sentence = sentence;
    if (m_hWnd == nullptr) {
        RegisterClassOnce();
        m_font = reinterpret_cast<HFONT>(SendMessageW(owner, WM_GETFONT, 0, 0));
        HDC dc = GetDC(owner);
        const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
        HGDIOBJ previous = SelectObject(dc, m_font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, previous);
        ReleaseDC(owner, dc);
        m_plot = {MulDiv(kChartPlotWidth, dpi, 96), MulDiv(kChartPlotHeight, dpi, 96)};
        const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        RECT frame{0, 0, m_plot.cx + 2 * kMargin,
                   m_plot.cy + 3 * kMargin + kSentenceLines * metrics.tmHeight};
        AdjustWindowRectEx(&frame, style, FALSE, WS_EX_TOOLWINDOW);
        const SIZE size{frame.right - frame.left, frame.bottom - frame.top};

        RECT ownerPlace;
        GetWindowRect(owner, &ownerPlace);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
        const RECT& work = monitor.rcWork;
        const int x = ChartWindowLeft(ownerPlace.left, ownerPlace.right, size.cx, work.left,
                                      work.right, kMargin);
        m_hWnd = CreateWindowExW(
            WS_EX_TOOLWINDOW, kClassName, WidenLatin1(res::kChartCaption).c_str(), style, x,
            ownerPlace.top, size.cx, size.cy, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc));
    }
    InvalidateRect(m_hWnd, nullptr, TRUE);
    ShowWindow(m_hWnd, SW_SHOW);
    SetForegroundWindow(m_hWnd);
}

void BeaconChartWindow::Update(const BeaconChart& chart, const std::string& sentence) {
    if (IsShown()) {
        m_chart = chart;
        m_sentence = sentence;
        InvalidateRect(m_hWnd, nullptr, TRUE);
    }
}

LRESULT CALLBACK BeaconChartWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    auto* self = reinterpret_cast<BeaconChartWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            self->Paint(dc);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                ShowWindow(window, SW_HIDE);
                return 0;
            }
            break;
        case WM_CLOSE:
            ShowWindow(window, SW_HIDE);
            return 0;
        case WM_NCDESTROY:  // with its owner, the main window
            self->m_hWnd = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void BeaconChartWindow::Paint(HDC dc) {
    HGDIOBJ oldFont = SelectObject(dc, m_font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SIZE digit{};
    GetTextExtentPoint32W(dc, L"0", 1, &digit);
    const ChartDrawing d =
        LayOutBeaconChart(m_chart, m_plot.cx, m_plot.cy, digit.cx, metrics.tmHeight);

    // The plot on white, drawn at the margin.
    RECT plot{kMargin, kMargin, kMargin + m_plot.cx, kMargin + m_plot.cy};
    FillRect(dc, &plot, GetSysColorBrush(COLOR_WINDOW));
    const auto at = [](const ChartPoint& p) {
        return POINT{kMargin + static_cast<LONG>(p.x + 0.5),
                     kMargin + static_cast<LONG>(p.y + 0.5)};
    };
    for (const ChartDrawing::Line& line : d.lines) {
        LOGBRUSH brush{BS_SOLID, Colour(line.colour), 0};
        const DWORD dash[] = {6, 4};
        HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT | (line.dashed ? PS_USERSTYLE : 0),
                                static_cast<DWORD>(line.width), &brush, line.dashed ? 2 : 0,
                                line.dashed ? dash : nullptr);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        std::vector<POINT> points;
        for (const ChartPoint& p : line.points) {
            points.push_back(at(p));
        }
        Polyline(dc, points.data(), static_cast<int>(points.size()));
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
    for (const ChartDrawing::Mark& mark : d.marks) {
        const POINT c = at(mark.centre);
        RECT square{c.x - mark.half, c.y - mark.half, c.x + mark.half, c.y + mark.half};
        HBRUSH brush = CreateSolidBrush(Colour(mark.colour));
        FillRect(dc, &square, brush);
        DeleteObject(brush);
    }
    SetBkMode(dc, TRANSPARENT);
    for (const ChartDrawing::Text& text : d.texts) {
        const std::wstring s = WidenLatin1(text.text.c_str());
        SIZE extent{};
        GetTextExtentPoint32W(dc, s.c_str(), static_cast<int>(s.size()), &extent);
        const POINT p = at(text.at);
        const int x = p.x - (text.alignX + 1) * extent.cx / 2;
        const int y = p.y - (text.alignY + 1) * extent.cy / 2;
        SetTextColor(dc, Colour(text.colour));
        TextOutW(dc, x, y, s.c_str(), static_cast<int>(s.size()));
    }

    // The sentence under the plot.
    RECT below{kMargin, plot.bottom + kMargin, plot.right,
               plot.bottom + kMargin + kSentenceLines * metrics.tmHeight};
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const std::wstring sentence = WidenLatin1(m_sentence.c_str());
    DrawTextW(dc, sentence.c_str(), static_cast<int>(sentence.size()), &below,
              DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, oldFont);
}

}  // namespace wb::ui
