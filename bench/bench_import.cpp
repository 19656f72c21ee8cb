// Import of the largest game: the MAP (about 2,000 planets), then a first
// report of 16 players x 512 fleets (8,192 lines) with IDs, unique names,
// position order, player names, validation and index; and the same with
// twice the fleets to show that no step grows faster than n log n.

#include <benchmark/benchmark.h>

#include <map>

#include "bench_support.h"

using namespace trevanor;
using bench::Program;

namespace {

struct GameOnDisk {
    std::string map, report;
};

const GameOnDisk& game(int fleetsPerPlayer) {
    static std::map<int, GameOnDisk> games;
    auto it = games.find(fleetsPerPlayer);
    if (it != games.end()) return it->second;
    gen::MaxGameOptions options;
    options.fleetsPerPlayer = fleetsPerPlayer;
    const auto paths = bench::write_game(gen::make_max_game(7, options), "trevanor-bench-" + std::to_string(fleetsPerPlayer));
    return games[fleetsPerPlayer] = GameOnDisk{paths[0], paths[1]};
}

void BM_ReadMap(benchmark::State& state) {
    const GameOnDisk& g = game(512);
    for (auto _ : state) {
        Program p;
        p.core.read_MAP_file(g.map);
        benchmark::DoNotOptimize(p.session.planets.rowCount());
    }
}
BENCHMARK(BM_ReadMap)->Unit(benchmark::kMillisecond);

void BM_ReadFirstReport(benchmark::State& state) {
    const GameOnDisk& g = game(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto p = std::make_unique<Program>();
        p->core.read_MAP_file(g.map);
        state.ResumeTiming();
        p->read_report(g.report);
        benchmark::DoNotOptimize(p->session.Fleet_index[17]);
        state.PauseTiming();
        p.reset();
        state.ResumeTiming();
    }
    state.counters["fleets"] = static_cast<double>(16 * state.range(0));
}
BENCHMARK(BM_ReadFirstReport)->Arg(512)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
