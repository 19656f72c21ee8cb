// Merging allies' reports of the largest game: 8,192-line reports of players
// 2, 3, ... (no delete, overwriting on) into the 8,192 rows of player 1's
// report. Every fleet is known already, so each line is searched for, and the
// table stays at its size from one merge to the next.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "game_generator.h"
#include "model/ally_report.h"
#include "model/memory_settings.h"

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
        const auto dir = std::filesystem::temp_directory_path() / "trevanor-bench-merge";
        std::filesystem::create_directories(dir);
        Files out;
        out.map = (dir / "MAX.MAP").string();
        std::ofstream(out.map, std::ios::binary) << game.map;
        for (const auto& [player, text] : game.reports) {
            const std::string path = (dir / ("MAX.F" + std::to_string(player))).string();
            std::ofstream(path, std::ios::binary) << text;
            out.reports.emplace_back(path, text.substr(text.find('\n') + 1, text.find(' ', text.find('\n')) - text.find('\n') - 1));
        }
        return out;
    }();
    return f;
}

struct Program {
    Session session;
    MemorySettings store;
    RecordingPrompter prompter;
    Settings settings{session, store, prompter};
    WindowHooks hooks;
    Core core{session, prompter, settings, hooks};
    AllyReport ally{session, prompter, settings, core, hooks};
    Program() {
        session.Default_colors = kDefaultColors;
        core.read_MAP_file(files().map);
        core.read_fleet_file(files().reports[0].first);
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
