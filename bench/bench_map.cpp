// The map's full picture of the largest game: black surface, 2,000 planets
// with names, 8,192 fleets with labels, on a QImage as the map window draws it.

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "bench_support.h"
#include "map/map_view.h"
#include "platform/qt_canvas.h"

using namespace trevanor;

namespace {

struct Loaded : bench::Program {
    Loaded() {
        const auto paths = bench::write_game(gen::make_max_game(7), "trevanor-bench-map");
        core.read_MAP_file(paths[0]);
        read_report(paths[1]);
    }
};

void BM_RefreshMap(benchmark::State& state) {
    static Loaded game;
    QtCanvas canvas;
    MapView view;
    view.zoom = static_cast<Zoom>(state.range(0));
    view.names = state.range(1) ? NameDensity::All : NameDensity::None;
    view.labels = FleetLabels::Numbers;
    for (auto _ : state) {
        const int s = surface_size(view.zoom);
        canvas.setSize(s, s);
        canvas.state = CanvasState{};
        canvas.state.brushColor = 0;
        canvas.fillRect(0, 0, s, s);
        compute_extent(view, game.session.planets);
        draw_stars(canvas, view, game.session);
        draw_fleets(canvas, view, game.session);
        draw_selection_marker(canvas, view);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}
BENCHMARK(BM_RefreshMap)->Args({0, 0})->Args({0, 1})->Args({2, 1})->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
