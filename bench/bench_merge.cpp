// Merging allies' reports of the largest game: 8,192-line reports of players
// 2, 3, ... (no delete, overwriting on) into the 8,192 rows of player 1's
// report. Every fleet is known already, so each line is searched for, and the
// table stays at its size from one merge to the next.

#include <benchmark/benchmark.h>

#include "bench_support.h"

using namespace trevanor;

namespace {

const bench::MaxGameFiles& files() {
    static const bench::MaxGameFiles f = bench::write_max_game(7, 15, "trevanor-bench-merge");
    return f;
}

struct Program : bench::Program {
    Program() {
        core.read_MAP_file(files().map);
        read_report(files().reports[0].first);
        session.Own_race_name = files().reports[0].second;
    }
};

void merges(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto p = std::make_unique<Program>();
        state.ResumeTiming();
        for (int k = 1; k <= count; ++k) {
            MergeOptions o;
            o.reportOwner = files().reports[static_cast<std::size_t>(k)].second;
            o.deleteMode = false;
            o.allowOverwrite = true;
            p->ally.load_report(files().reports[static_cast<std::size_t>(k)].first, o);
        }
        benchmark::DoNotOptimize(p->session.fleets.rowCount());
        state.PauseTiming();
        p.reset();
        state.ResumeTiming();
    }
    state.counters["merges"] = count;
}
BENCHMARK(merges)->Arg(1)->Arg(15)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
