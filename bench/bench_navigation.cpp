// Moving about the map of the largest game (16 players with 1,024 fleets
// each), as a player does it today:
//
//   BM_ZoomStep        one Ctrl+wheel step: the view at the next level and
//                      the picture drawn there, on a canvas that has drawn
//                      that level before, and on one that has not
//   BM_NamesOn         every planet's name at 200% for the first time on a
//                      canvas that drew the map without names
//   BM_HoverLookup     what the tool tip names at a point of the map
//   BM_FindKeystroke   one keystroke in Find, and in a list's type-to-find,
//                      over every planet and fleet name
//   BM_SavePicture     the 400% picture drawn afresh and written as PNG

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>

#include "bench_support.h"
#include "forms/widgets/name_completer.h"
#include "map/hit_test.h"
#include "map/map_redraw.h"
#include "platform/cp1252.h"
#include "platform/map_picture.h"
#include "platform/qt_canvas.h"
#include "platform/services.h"

using namespace trevanor;

namespace {

constexpr int kFleets = 1024;

struct Loaded : bench::Program {
    Loaded() {
        gen::MaxGameOptions options;
        options.fleetsPerPlayer = kFleets;
        const auto paths = bench::write_game(gen::make_max_game(7, options), "trevanor-bench-navigation");
        core.read_MAP_file(paths[0]);
        read_report(paths[1]);
    }
    MapRedraw redraw{session, prompter, core.reports()};
};

Loaded& game() {
    static Loaded g;
    return g;
}

// A step from each level to the next and back, as the wheel goes.
void BM_ZoomStep(benchmark::State& state) {
    Loaded& g = game();
    const bool visited = state.range(0) != 0;
    MapView view;
    view.labels = FleetLabels::Numbers;
    auto canvas = std::make_unique<QtCanvas>();
    const auto levels = std::vector<Zoom>(std::begin(kZoomLevels), std::end(kZoomLevels));
    if (visited)
        for (const Zoom z : levels) {
            set_zoom(view, z);
            g.redraw.refresh_map(*canvas, view, Overlays{});
        }
    std::size_t next = 1;
    int direction = 1;
    for (auto _ : state) {
        if (!visited) {
            state.PauseTiming();
            canvas = std::make_unique<QtCanvas>();  // no level drawn before
            state.ResumeTiming();
        }
        set_zoom(view, levels[next]);
        g.redraw.refresh_map(*canvas, view, Overlays{});
        benchmark::DoNotOptimize(canvas->image().constBits());
        if (next + 1 == levels.size()) direction = -1;
        if (next == 0) direction = 1;
        next = static_cast<std::size_t>(static_cast<int>(next) + direction);
    }
}
BENCHMARK(BM_ZoomStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_NamesOn(benchmark::State& state) {
    Loaded& g = game();
    for (auto _ : state) {
        state.PauseTiming();
        QtCanvas canvas;
        MapView view;
        set_zoom(view, Zoom::Zoom200);
        g.redraw.refresh_map(canvas, view, Overlays{});
        view.names = NameDensity::All;
        state.ResumeTiming();
        g.redraw.refresh_map(canvas, view, Overlays{});
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}
BENCHMARK(BM_NamesOn)->Unit(benchmark::kMillisecond);

void BM_HoverLookup(benchmark::State& state) {
    Loaded& g = game();
    QtCanvas canvas;
    MapView view;
    set_zoom(view, Zoom::Zoom200);
    g.redraw.refresh_map(canvas, view, Overlays{});
    const auto& spots = g.redraw.scene().spots();
    std::size_t k = 0;
    for (auto _ : state) {
        const SceneSpot& s = spots[(k += 7919) % spots.size()];  // spots all over the map, and deep space
        const HoverInfo info = hover_info(g.session, view, g.redraw.scene(), view.pixel_x(s.x) + (k % 3 == 0 ? 9 : 0),
                                          view.pixel_y(s.y));
        benchmark::DoNotOptimize(info.fleets.data());
    }
}
BENCHMARK(BM_HoverLookup)->Unit(benchmark::kMicrosecond);

QStringList every_name(const Session& s) {
    QStringList names;
    for (int r = 1; r <= s.planets.lastRow(); ++r) names << fromCp1252(s.planets.cell(planet_col::Name, r));
    for (const std::string& n : s.mapFleetList.items()) names << fromCp1252(n);
    return names;
}

// Arg 0: the Find field's offer (up to 200 names holding the text); 1: the
// next item of a list holding it.
void BM_FindKeystroke(benchmark::State& state) {
    Loaded& g = game();
    NameSearch search;
    search.setNames(every_name(g.session));
    const QString typed[] = {QStringLiteral("o"), QStringLiteral("ha"), QStringLiteral("#27"), QStringLiteral("zq")};
    std::size_t k = 0;
    for (auto _ : state) {
        const QString& text = typed[k++ % 4];
        if (state.range(0) == 0) benchmark::DoNotOptimize(search.matches(text, 200).size());
        else benchmark::DoNotOptimize(search.next(text, static_cast<int>(k * 101)));
    }
    state.counters["names"] = static_cast<double>(search.names().size());
}
BENCHMARK(BM_FindKeystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SavePicture(benchmark::State& state) {
    Loaded& g = game();
    MapView view;
    set_zoom(view, Zoom::Zoom400);
    view.names = NameDensity::All;
    const QString path = QDir::temp().filePath(QStringLiteral("trevanor-bench-400.png"));
    for (auto _ : state) {
        const QImage picture = draw_map_picture(g.session, g.prompter, g.core.reports(), view, Overlays{});
        const std::string error = save_map_picture(picture, path);
        if (!error.empty()) state.SkipWithError(error.c_str());
    }
}
BENCHMARK(BM_SavePicture)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    provide_tahoma();
    return_large_blocks_to_system();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
