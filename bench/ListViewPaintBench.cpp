// SPDX-License-Identifier: MIT
// Repaint cost of the list control: one PaintControl (through WM_PAINT) of a
// 600 x 400 client with 2,000 / 20,000 / 200,000 rows, and 1,000 consecutive
// wheel notches (each scrolls three rows and repaints). Only the visible rows
// are painted, so neither figure may grow with the number of rows.
//   listview-paint-bench [--benchmark_filter=...]

#include "listview/ListView.h"
#include "platform/PropertyBag.h"
#include "platform/Window.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using namespace lumarin;

constexpr int kClientWidth = 600;
constexpr int kClientHeight = 400;

std::u16string Number(int n) {
    std::u16string s;
    for (char c : std::to_string(n)) s += static_cast<char16_t>(c);
    return s;
}

// The main window's chapter list: check boxes, three columns, `rows` rows,
// a 600 x 400 client area, the focus on it and the current row in view.
std::unique_ptr<listview::ListView> ChapterList(int rows) {
    auto list = std::make_unique<listview::ListView>(0, 0, 0, kClientWidth, kClientHeight);
    platform::PropertyBag bag;
    bag.WriteProperty(u"BackColor", std::int32_t{0xFFFFFF}, std::int32_t{-2});
    bag.WriteProperty(u"Checkboxes", true, false);
    bag.WriteProperty(u"ItemsAutoSize", false, true);
    list->LoadStoredProperties(bag);

    platform::RECT client;
    platform::GetClientRect(list->hWnd(), &client);
    platform::SetWindowPos(list->hWnd(), 0, 0, 0, 2 * kClientWidth - client.right,
                           2 * kClientHeight - client.bottom,
                           platform::SWP_NOMOVE | platform::SWP_NOZORDER);

    list->Redraw(false);
    list->AddColumn(u"no", u"序号", 1, 70);
    list->AddColumn(u"heading", u"标题行", 0, 300);
    list->AddColumn(u"preview", u"预览", 0, 200);
    for (int r = 0; r < rows; ++r) {
        const std::int32_t row = list->AddItem(-1, Number(r + 1));
        list->ItemText(row, 1, u"第" + Number(r + 1) + u"章 青灯夜读，风雨故人来");
        list->ItemText(row, 2, Number(r + 1) + u" 风雨故人来");
        list->ItemChecked(row, r % 7 == 3);
    }
    list->Redraw(true);
    platform::SetFocus(list->hWnd());
    list->SelectedItem(rows / 2);
    list->ItemSelected(rows / 2, true);
    list->MakeSureVisible(rows / 2 - 5);
    return list;
}

void BM_PaintControl(benchmark::State& state) {
    const auto list = ChapterList(static_cast<int>(state.range(0)));
    platform::RECT client;
    platform::GetClientRect(list->hWnd(), &client);
    if (client.right != kClientWidth || client.bottom != kClientHeight)
        state.SkipWithError("the client area is not 600 x 400");
    for (auto _ : state) platform::SendMessage(list->hWnd(), platform::WM_PAINT, 0, 0);
    state.counters["rows"] = static_cast<double>(list->ItemCount());
}
BENCHMARK(BM_PaintControl)->Arg(2000)->Arg(20000)->Arg(200000)->Unit(benchmark::kMicrosecond);

void BM_ThousandWheelNotches(benchmark::State& state) {
    const auto list = ChapterList(static_cast<int>(state.range(0)));
    const platform::WPARAM down = platform::MAKEWPARAM(0, static_cast<platform::WORD>(-120));
    for (auto _ : state) {
        state.PauseTiming();
        list->MakeSureVisible(0);
        state.ResumeTiming();
        for (int notch = 0; notch < 1000; ++notch)
            platform::SendMessage(list->hWnd(), platform::WM_MOUSEWHEEL, down, 0);
    }
}
BENCHMARK(BM_ThousandWheelNotches)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

} // namespace
