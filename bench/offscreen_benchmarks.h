#pragma once
// The main() of the benchmarks that draw with Qt: an offscreen QGuiApplication
// with the labels' font as the program has it, then every benchmark.

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include "platform/services.h"

namespace trevanor::bench {

inline int run_offscreen_benchmarks(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    provide_tahoma();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace trevanor::bench
