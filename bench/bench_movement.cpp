// An earlier year of the largest game (16 players with 1,024 fleets each)
// beside the open one:
//
//   BM_OpenGame        the MAP and the first report read as the open game
//   BM_EarlierYear     the earlier year read beside it (its own model) and
//                      its fleets matched with the open game's
//   BM_DrawMovement    the movement of every fleet drawn over the kept
//                      picture at 200% with every name
//
// Counters: the heap the open game's tables take and the heap the earlier
// year takes (what reading it adds, in megabytes).

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <malloc.h>

#include "offscreen_benchmarks.h"
#include "bench_support.h"
#include "map/map_redraw.h"
#include "model/movement.h"
#include "platform/qt_canvas.h"
#include "platform/services.h"

using namespace trevanor;

namespace {

struct Files {
    std::string map, now, before;
};

const Files& files() {
    static const Files f = [] {
        gen::MaxGameOptions o;
        o.fleetsPerPlayer = 1024;
        o.years = 2;
        gen::GameFiles game = gen::make_max_game(7, o);
        const auto now = bench::write_game(game, "trevanor-bench-movement");
        game.reports = game.earlier[0];
        const auto before = bench::write_game(game, "trevanor-bench-movement-1");
        return Files{now[0], now[1], before[1]};
    }();
    return f;
}

double heap_megabytes() { return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0); }

struct OpenGame : bench::Program {
    OpenGame() {
        core.read_MAP_file(files().map);
        read_report(files().now);
    }
};

void BM_OpenGame(benchmark::State& state) {
    double heap = 0;
    for (auto _ : state) {
        const double before = heap_megabytes();
        OpenGame game;
        heap = heap_megabytes() - before;
        benchmark::DoNotOptimize(game.session.fleets.rowCount());
    }
    state.counters["heap_MB"] = heap;
}
BENCHMARK(BM_OpenGame)->Unit(benchmark::kMillisecond);

void BM_EarlierYear(benchmark::State& state) {
    OpenGame game;
    double heap = 0;
    for (auto _ : state) {
        const double before = heap_megabytes();
        YearComparison c;
        c.set(EarlierYear::read({files().map, files().before, {}, "", {}}, game.prompter));
        heap = heap_megabytes() - before;
        benchmark::DoNotOptimize(c.moves(game.session).size());
    }
    state.counters["heap_MB"] = heap;
}
BENCHMARK(BM_EarlierYear)->Unit(benchmark::kMillisecond);

void BM_DrawMovement(benchmark::State& state) {
    OpenGame game;
    YearComparison c;
    c.set(EarlierYear::read({files().map, files().before, {}, "", {}}, game.prompter));
    const std::vector<FleetMove>& moves = c.moves(game.session);
    MapRedraw redraw(game.session, game.prompter, game.core.reports());
    QtCanvas canvas;
    canvas.setPreparedPerPicture(1 << 30);
    MapView view;
    set_zoom(view, Zoom::Zoom200);
    view.names = NameDensity::All;
    Overlays overlays;
    overlays.movement = &moves;
    redraw.refresh_map(canvas, view, overlays);  // the kept picture of planets and fleets
    std::uint64_t generation = 1;
    for (auto _ : state) {
        overlays.movementGeneration = ++generation;  // the moves changed: drawn anew over the kept picture
        redraw.refresh_map(canvas, view, overlays);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
    state.counters["moves"] = static_cast<double>(moves.size());
}
BENCHMARK(BM_DrawMovement)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return trevanor::bench::run_offscreen_benchmarks(argc, argv); }
