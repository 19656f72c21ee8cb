// A new turn of the largest game (16 x 512 fleets, the player's report and
// three allies' reports): read at start as the player reads it, read again
// when the game has written it (beside the open turn, then exchanged with
// it), and kept in the history, with what a kept turn takes on the disk.

#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "model/earlier_year.h"
#include "model/game_history.h"

using namespace trevanor;

namespace {

const bench::MaxGameFiles& files() {
    static const bench::MaxGameFiles f = bench::write_max_game(11, 3, "trevanor-bench-history");
    return f;
}

// The MAP, the player's report and the three allies' reports, as at start.
void read_turn(bench::Program& p) {
    p.core.read_MAP_file(files().map);
    p.read_report(files().reports[0].first);
    p.session.Own_race_name = files().reports[0].second;
    for (std::size_t k = 1; k < files().reports.size(); ++k) {
        MergeOptions o;
        o.reportOwner = files().reports[k].second;
        p.ally.load_report(files().reports[k].first, o);
    }
}

void BM_ReadTurnAtStart(benchmark::State& state) {
    for (auto _ : state) {
        auto p = std::make_unique<bench::Program>();
        read_turn(*p);
        benchmark::DoNotOptimize(p->session.fleets.rowCount());
        p.reset();  // the program's one model lives on; timed to match the turn replaced below
    }
}

// What the new turn's bar does: the same reads into a model of their own,
// exchanged with the open turn, which becomes the year compared with (the
// one compared before goes).
void BM_ReadNewTurn(benchmark::State& state) {
    bench::Program p;
    read_turn(p);
    std::unique_ptr<EarlierYear> compared;
    for (auto _ : state) {
        compared = EarlierYear::read_new_turn(p.session, "the turn before", p.prompter);
        benchmark::DoNotOptimize(p.session.fleets.rowCount());
    }
}

void BM_KeepTurn(benchmark::State& state) {
    bench::Program p;
    read_turn(p);
    GameHistory history((std::filesystem::temp_directory_path() / "trevanor-bench-history-kept").string());
    std::uint64_t stored = 0;
    for (auto _ : state) {
        state.PauseTiming();
        history.forget();
        state.ResumeTiming();
        history.keep(p.session.reads, p.session);
        state.PauseTiming();
        stored = history.size_on_disk();
        state.ResumeTiming();
    }
    std::uint64_t read = 0;
    for (const std::string& path : {files().map, files().reports[0].first, files().reports[1].first,
                                    files().reports[2].first, files().reports[3].first})
        read += std::filesystem::file_size(path);
    state.counters["MB_read"] = static_cast<double>(read) / 1e6;
    state.counters["MB_kept"] = static_cast<double>(stored) / 1e6;
    state.counters["MB_for_200_turns"] = static_cast<double>(stored) * 200 / 1e6;
    history.forget();
}

BENCHMARK(BM_ReadTurnAtStart)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_ReadNewTurn)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_KeepTurn)->Unit(benchmark::kMillisecond)->MinTime(3);

}  // namespace

BENCHMARK_MAIN();
