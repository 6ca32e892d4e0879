// SPDX-License-Identifier: MIT
// The main of the benchmarks that draw: text is rendered through Qt, which
// needs a QGuiApplication (offscreen when no display is set).
#include <QGuiApplication>
#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
