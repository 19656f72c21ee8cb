// The statistics window's chart "Over the years" over the most turns a game
// keeps (200) with every player of the game (16):
//
//   BM_ListKeptTurns  listing the kept turns from the data folder, as the
//                     chart does each time it is shown or activated
//   BM_BuildSeries    one measure of every race over the turns
//   BM_PaintChart     the chart painted into a picture of 800 x 480 pixels
//                     at the screen's scale (percent): 100 and 200

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStandardPaths>
#include <chrono>
#include <filesystem>

#include "bench_support.h"
#include "forms/widgets/race_strength_chart.h"
#include "model/game_history.h"
#include "model/race_series.h"

using namespace trevanor;

namespace {

constexpr int kTurns = 200;

// Every player's race in every turn, its figures growing and falling.
std::vector<KeptTurn> synthetic_turns() {
    std::vector<KeptTurn> turns(kTurns);
    for (int k = 0; k < kTurns; ++k) {
        turns[static_cast<std::size_t>(k)].label = turn_label(1'700'000'000 + std::int64_t{k} * 86'400);
        for (int p = 1; p <= kPlayers; ++p) {
            KeptRace r{p, "Race " + std::to_string(p), kDefaultColors[static_cast<std::size_t>(p)], {}};
            r.stats.Class_total = 100 * p + (k * p * 37) % 400;
            turns[static_cast<std::size_t>(k)].races.push_back(r);
        }
    }
    return turns;
}

// 200 turns of a 16-player game kept in a folder of their own, each turn's
// report a game of another seed, written a day after the one before.
const std::string& kept_folder() {
    static const std::string folder = [] {
        const auto dir = std::filesystem::temp_directory_path() / "trevanor-bench-chart";
        std::filesystem::remove_all(dir);
        const auto start = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * kTurns);
        gen::MaxGameOptions options;
        options.fleetsPerPlayer = 32;
        options.planets = 200;
        for (int k = 0; k < kTurns; ++k) {
            const auto paths = bench::write_game(gen::make_max_game(static_cast<std::uint64_t>(k + 1), options),
                                                 "trevanor-bench-chart-files");
            std::filesystem::last_write_time(paths[1], start + std::chrono::hours(24 * k));
            bench::Program p;
            p.core.read_MAP_file(paths[0]);
            p.read_report(paths[1]);
            GameHistory((dir / "MAX").string()).keep(p.session.reads, p.session);
        }
        return (dir / "MAX").string();
    }();
    return folder;
}

void BM_ListKeptTurns(benchmark::State& state) {
    const GameHistory history(kept_folder());
    for (auto _ : state) {
        const GameHistory::Listing listing = history.turns();
        if (listing.turns.size() != kTurns) state.SkipWithError("turns missing");
        benchmark::DoNotOptimize(listing.turns.data());
    }
}
BENCHMARK(BM_ListKeptTurns)->Unit(benchmark::kMillisecond);

void BM_BuildSeries(benchmark::State& state) {
    const std::vector<KeptTurn> turns = synthetic_turns();
    for (auto _ : state) {
        const RaceSeries series = RaceSeries::build(turns, Measure::Ships);
        benchmark::DoNotOptimize(series.lines.data());
    }
}
BENCHMARK(BM_BuildSeries)->Unit(benchmark::kMillisecond);

void BM_PaintChart(benchmark::State& state) {
    const qreal ratio = static_cast<qreal>(state.range(0)) / 100.0;
    RaceStrengthChart chart;
    chart.resize(800, 480);
    chart.setSeries(RaceSeries::build(synthetic_turns(), Measure::Ships), QStringLiteral("Ships"));
    for (auto _ : state) {
        const QImage picture = chart.picture(ratio);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_PaintChart)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
