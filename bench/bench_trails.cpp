// Trails of the largest game (16 players with 512 fleets each) through ten
// kept years: each year read and kept as the program keeps it, the trails
// built once from them, then drawn over the map's kept picture at 200%:
//
//   BM_KeptPictureOnly  the kept picture put back with the marker, nothing more
//   BM_AllTrails        the same with the trail of every fleet over ten turns
//                       ("Trails of the route filter's fleets", filter "_All")
//   BM_FollowTrails     every fleet followed back through N turns (the open
//                       one included): what the first trails wait for
//
// Counters: the trails drawn and the stretches between seen places.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <chrono>
#include <filesystem>

#include "offscreen_benchmarks.h"
#include "bench_support.h"
#include "map/map_redraw.h"
#include "model/fleet_trails.h"
#include "model/game_history.h"
#include "platform/qt_canvas.h"
#include "platform/services.h"

using namespace trevanor;

namespace {

constexpr int kYears = 10;

// The open game (the last year) with its trails through the years before it.
struct Kept : bench::Program {
    std::unique_ptr<FleetTrails> trails;
    TurnsBefore before;

    Kept() {
        gen::MaxGameOptions options;
        options.years = kYears;
        const gen::GameFiles game = gen::make_max_game(7, options);
        const auto dir = std::filesystem::temp_directory_path() / "trevanor-bench-trails";
        std::filesystem::remove_all(dir);
        const std::string history = (dir / "history").string();
        const std::string map = bench::write_game(game, "trevanor-bench-trails")[0];
        for (int back = kYears - 1; back >= 1; --back) {
            bench::Program year;
            const std::string report = (dir / ("MAX-" + std::to_string(back) + ".F1")).string();
            std::ofstream(report, std::ios::binary) << game.earlier[static_cast<std::size_t>(back - 1)][0].second;
            aged(report, back);
            year.core.read_MAP_file(map);
            year.read_report(report);
            GameHistory(history).keep(year.session.reads, year.session);
        }
        const std::string open = (dir / "MAX.F1").string();
        aged(open, 0);
        core.read_MAP_file(map);
        read_report(open);
        GameHistory(history).keep(session.reads, session);
        before = turns_before(GameHistory(history).turns().turns, session.reads, kYears - 1);
        trails = std::make_unique<FleetTrails>(FleetTrails::build(session, before.openLabel, before.turns, prompter));
    }
    // A report written `back` years (a day each, here) before the last.
    static void aged(const std::string& path, int back) {
        std::filesystem::last_write_time(path,
                                         std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * back));
    }
};

Kept& kept() {
    static Kept k;
    return k;
}

void time_redraws(benchmark::State& state, bool withTrails) {
    Kept& k = kept();
    MapRedraw redraw(k.session, k.prompter, k.core.reports());
    QtCanvas canvas;
    canvas.setPreparedPerPicture(1 << 30);
    MapView view;
    set_zoom(view, Zoom::Zoom200);
    view.Selected_object = {700, 800, 0x0000FF};
    Overlays overlays;
    if (withTrails) overlays.trails = {k.trails.get(), false, "", true, "_All"};
    redraw.refresh_map(canvas, view, overlays);  // the kept picture of planets and fleets
    canvas.image();
    for (auto _ : state) {
        redraw.refresh_map(canvas, view, overlays);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
    std::size_t drawn = 0, stretches = 0;
    for (const std::vector<TrailPoint>& trail : k.trails->all()) {
        drawn += trail.size() > 1;
        for (std::size_t t = 1; t < trail.size(); ++t) stretches += trail[t].seen && trail[t - 1].seen;
    }
    state.counters["turns"] = static_cast<double>(k.trails->turns());
    state.counters["trails"] = static_cast<double>(drawn);
    state.counters["stretches"] = static_cast<double>(stretches);
}

void BM_KeptPictureOnly(benchmark::State& state) { time_redraws(state, false); }
BENCHMARK(BM_KeptPictureOnly)->Unit(benchmark::kMillisecond);

void BM_AllTrails(benchmark::State& state) { time_redraws(state, true); }
BENCHMARK(BM_AllTrails)->Unit(benchmark::kMillisecond);

void BM_FollowTrails(benchmark::State& state) {
    Kept& k = kept();
    std::vector<KeptTurn> turns = k.before.turns;
    turns.resize(std::min(turns.size(), static_cast<std::size_t>(state.range(0) - 1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(FleetTrails::build(k.session, k.before.openLabel, turns, k.prompter).all().data());
}
BENCHMARK(BM_FollowTrails)->Arg(2)->Arg(5)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return trevanor::bench::run_offscreen_benchmarks(argc, argv); }
