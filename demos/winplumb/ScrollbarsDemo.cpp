// SPDX-License-Identifier: MIT
// scrollbars-demo: a hosted window whose content moves only through the
// Scrollbars object attached to it. The window's own procedure ignores scroll
// and wheel messages; thumb drags, arrow and page clicks and the wheel reach
// the object through its hook, and its Change and Scroll events repaint.
// The band at the top names the last event and the two positions.

#include "platform/Gdi.h"
#include "platform/Window.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/WindowHostWidget.h"
#include "winplumb/Scrollbars.h"

#include <QApplication>
#include <QShortcut>
#include <algorithm>
#include <string>

namespace {

using namespace lumarin::platform;
using lumarin::winplumb::Scrollbars;

constexpr char16_t kClassName[] = u"Lumarin.ScrollbarsDemo";
constexpr int kRows = 300;
constexpr int kRowHeight = 20;
constexpr int kBandHeight = 26;
constexpr int kContentWidth = 1400; // pixels; the horizontal bar moves 10 at a step
constexpr int kHorizontalStep = 10;

struct Demo {
    Scrollbars sb;
    std::u16string lastEvent = u"(none yet)";
    HFONT font = 0;
};

std::u16string Text(const std::string& ascii) {
    return {ascii.begin(), ascii.end()};
}
std::u16string Number(int n) {
    return Text(std::to_string(n));
}

Demo* DemoOf(HWND hwnd) {
    return reinterpret_cast<Demo*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
}

// Page and range follow the client size; positions stay where the bars keep them.
void UpdateRanges(HWND hwnd, Demo& demo) {
    RECT client;
    GetClientRect(hwnd, &client);
    const int rowsShown = std::max(1, (client.bottom - kBandHeight) / kRowHeight);
    demo.sb.LargeChange(SB_VERT, rowsShown);
    demo.sb.Max(SB_VERT, std::max(0, kRows - rowsShown));
    const int stepsShown = std::max(1, client.right / kHorizontalStep);
    demo.sb.LargeChange(SB_HORZ, stepsShown);
    demo.sb.Max(SB_HORZ, std::max(0, kContentWidth / kHorizontalStep - stepsShown));
}

void Paint(HWND hwnd, Demo& demo) {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    const HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    const HBRUSH band = CreateSolidBrush(RGB(40, 70, 120));
    const HBRUSH stripe = CreateSolidBrush(RGB(232, 240, 250));
    FillRect(dc, &client, white);
    SelectObject(dc, demo.font);
    SetBkMode(dc, TRANSPARENT);

    const int firstRow = demo.sb.Value(SB_VERT);
    const int shift = demo.sb.Value(SB_HORZ) * kHorizontalStep;
    SetTextColor(dc, RGB(20, 20, 20));
    for (int y = kBandHeight, row = firstRow; y < client.bottom && row < kRows;
         y += kRowHeight, ++row) {
        RECT line{0, y, client.right, y + kRowHeight};
        if (row % 2 == 1) FillRect(dc, &line, stripe);
        RECT text{6 - shift, y, kContentWidth - shift, y + kRowHeight};
        DrawText(dc,
                 u"第" + Number(row + 1) + u"章  行 " + Number(row + 1) +
                     u" —— 青灯照壁，夜读未央。 column 60 ▸ ......................... "
                     u"column 120 ▸ ................ the end of row " +
                     Number(row + 1),
                 &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }

    RECT top{0, 0, client.right, kBandHeight};
    FillRect(dc, &top, band);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT status{8, 0, client.right - 8, kBandHeight};
    DrawText(dc,
             u"Value(1)=" + Number(firstRow) + u"  Value(0)=" + Number(demo.sb.Value(SB_HORZ)) +
                 u"   last event: " + demo.lastEvent,
             &status, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);

    DeleteObject(white);
    DeleteObject(band);
    DeleteObject(stripe);
    EndPaint(hwnd, &ps);
}

// Deliberately without WM_HSCROLL, WM_VSCROLL and WM_MOUSEWHEEL.
LRESULT DemoProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Demo* demo = DemoOf(hwnd);
    switch (msg) {
    case WM_SIZE:
        if (demo != nullptr) {
            UpdateRanges(hwnd, *demo);
            InvalidateRect(hwnd, nullptr, false);
        }
        return 0;
    case WM_PAINT:
        if (demo != nullptr) {
            Paint(hwnd, *demo);
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

void Listen(HWND hwnd, Demo& demo) {
    const auto note = [hwnd, &demo](std::u16string what) {
        demo.lastEvent = std::move(what);
        InvalidateRect(hwnd, nullptr, false);
    };
    demo.sb.Change = [&demo, note](int& eBar) {
        note(u"Change(" + Number(eBar) + u") to " + Number(demo.sb.Value(eBar)));
    };
    demo.sb.Scroll = [&demo, note](int& eBar) {
        note(u"Scroll(" + Number(eBar) + u") to " + Number(demo.sb.Value(eBar)));
    };
    demo.sb.MouseWheel = [note](int& eBar, int& lAmount) {
        note(u"MouseWheel(" + Number(eBar) + u", " + Number(lAmount) + u")");
    };
    demo.sb.ScrollClick = [note](int& eBar, int& eButton) {
        note(u"ScrollClick(" + Number(eBar) + u", " + Number(eButton) + u")");
    };
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qt::InstallQtServices();

    WNDCLASS wc;
    wc.lpfnWndProc = &DemoProc;
    wc.hCursor = IDC_ARROW;
    wc.lpszClassName = kClassName;
    RegisterClass(wc);
    const HWND hwnd = CreateWindowEx(WS_EX_CLIENTEDGE, kClassName, u"",
                                     WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 0, 0, 640, 480, 0, 0);
    if (hwnd == 0) return 1;

    Demo demo;
    LOGFONT lf;
    lf.lfHeight = -14;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfFaceName = u"DejaVu Sans";
    demo.font = CreateFontIndirect(&lf);
    SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&demo));
    Listen(hwnd, demo);
    demo.sb.Create(hwnd);
    for (int eBar : {SB_HORZ, SB_VERT}) {
        demo.sb.Visible(eBar, true);
        demo.sb.Enabled(eBar, true);
    }
    UpdateRanges(hwnd, demo);
    InvalidateRect(hwnd, nullptr, false);

    qt::WindowHostWidget host(hwnd);
    host.setWindowTitle(QStringLiteral("scrollbars-demo"));
    host.show();
    // Escape ends the demo cleanly, so that a sanitizer build checks the teardown too.
    QShortcut quit(QKeySequence(Qt::Key_Escape), &host);
    QObject::connect(&quit, &QShortcut::activated, &app, &QApplication::quit);
    const int status = QApplication::exec();

    demo.sb.Terminate();
    SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
    DestroyWindow(hwnd);
    DeleteObject(demo.font);
    return status;
}
