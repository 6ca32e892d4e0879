// SPDX-License-Identifier: MIT
// Filling the chapter list the way the main window does: Redraw off, 100,000
// rows with three texts each, Redraw on (one layout and one repaint). The
// reference is the same texts pushed into a plain vector of rows, the floor
// for any list that keeps its texts. Filling 200 rows with Redraw left on
// shows what switching it off saves.

#include "listview/ListView.h"
#include "platform/PropertyBag.h"


#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

namespace {

using lumarin::listview::ListView;

constexpr int Rows = 100000;

std::u16string Number(int n) {
    std::u16string text;
    do {
        text.insert(text.begin(), static_cast<char16_t>(u'0' + n % 10));
        n /= 10;
    } while (n != 0);
    return text;
}

std::u16string Heading(int n) { return u"\u7B2C" + Number(n) + u"\u7AE0 \u9752\u706F\u8BB0"; }

// A list as the main window loads it: scroll bars, back buffer, font.
std::unique_ptr<ListView> MakeList() {
    auto list = std::make_unique<ListView>(0, 0, 0, 600, 400);
    list->LoadStoredProperties(lumarin::platform::PropertyBag());
    list->AddColumn(u"no", u"#", 1, 60);
    list->AddColumn(u"heading", u"Heading", 0, 300);
    list->AddColumn(u"preview", u"Preview", 0, 200);
    return list;
}

void AddRows(ListView& list, int rows) {
    for (int i = 0; i < rows; ++i) {
        const int row = list.AddItem(-1, Number(i + 1));
        list.ItemText(row, 1, Heading(i + 1));
        list.ItemText(row, 2, Number(i + 1));
    }
}

void AddRowsWithRedrawOff(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto list = MakeList();
        state.ResumeTiming();

        list->Redraw(false);
        AddRows(*list, Rows);
        list->Redraw(true);
        benchmark::DoNotOptimize(list->ItemCount());

        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(AddRowsWithRedrawOff)->Unit(benchmark::kMillisecond);

void AddRowsWithRedrawOn(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto list = MakeList();
        state.ResumeTiming();

        AddRows(*list, rows);
        benchmark::DoNotOptimize(list->ItemCount());

        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(AddRowsWithRedrawOn)->Arg(200)->Unit(benchmark::kMillisecond);

void PlainVectorOfRows(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<std::array<std::u16string, 3>> rows;
        for (int i = 0; i < Rows; ++i) {
            rows.push_back({Number(i + 1), Heading(i + 1), Number(i + 1)});
        }
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(PlainVectorOfRows)->Unit(benchmark::kMillisecond);

} // namespace
