// Merging allies' reports of the largest game: 8,192-line reports of players
// 2, 3, ... (no delete, overwriting on) into the 8,192 rows of player 1's
// report. Every fleet is known already, so each line is searched for, and the
// table stays at its size from one merge to the next.

#include <benchmark/benchmark.h>

#include "bench_support.h"

using namespace trevanor;

namespace {

struct Files {
    std::string map;
    std::vector<std::pair<std::string, std::string>> reports;  // (path, race of its reporter)
};

const Files& files() {
    static const Files f = [] {
        gen::MaxGameOptions o;
        o.allyReports = 15;
        const gen::GameFiles game = gen::make_max_game(7, o);
        const auto paths = bench::write_game(game, "trevanor-bench-merge");
        Files out;
        out.map = paths[0];
        for (std::size_t k = 0; k < game.reports.size(); ++k) {
            const std::string& text = game.reports[k].second;
            const std::size_t start = text.find('\n') + 1;
            out.reports.emplace_back(paths[k + 1], text.substr(start, text.find(' ', start) - start));
        }
        return out;
    }();
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
