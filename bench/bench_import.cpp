// Import of the largest game: the MAP (about 2,000 planets), then a first
// report of 16 players x 512 fleets (8,192 lines) with IDs, unique names,
// position order, player names, validation and index; and the same with
// twice the fleets to show that no step grows faster than n log n.
//
// BM_ImportFloor is what any import of the report costs at least: reading
// the file, cutting lines and fields into cells, and sorting the position
// keys case-insensitively.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>

#include "bench_support.h"
#include "model/files.h"
#include "model/text.h"

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

// The cells of every line, cut in one pass over the bytes.
std::vector<std::vector<std::string>> cut_cells(const std::string& bytes) {
    std::vector<std::vector<std::string>> rows;
    rows.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 2);
    std::size_t start = 0, column = 0;
    rows.emplace_back(kFleetColumns);
    for (std::size_t i = 0; i <= bytes.size(); ++i) {
        const char c = i < bytes.size() ? bytes[i] : '\n';
        if (c != '\t' && c != '\r' && c != '\n') continue;
        if (column < kFleetColumns) rows.back()[column++].assign(bytes, start, i - start);
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
        if (c == '\t') continue;
        rows.emplace_back(kFleetColumns);
        column = 0;
    }
    return rows;
}

void BM_ImportFloor(benchmark::State& state) {
    const GameOnDisk& g = game(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const std::vector<std::vector<std::string>> rows = cut_cells(read_file_bytes(g.report));
        // The keys lower-cased into one buffer, then sorted.
        std::size_t total = 0;
        for (const auto& row : rows)
            for (const auto& cell : row) total += cell.size() + 1;
        std::string buffer(total, '\t');
        std::vector<std::string_view> keys;
        keys.reserve(rows.size());
        char* out = buffer.data();
        for (std::size_t r = 1; r < rows.size(); ++r) {
            char* const start = out;
            for (int c = 1; c <= kFleetColumns; ++c) {
                const std::string& cell = rows[r][static_cast<std::size_t>(c % kFleetColumns)];
                out = std::transform(cell.begin(), cell.end(), out,
                                     [](char ch) { return static_cast<char>(lower_byte(static_cast<unsigned char>(ch))); });
                ++out;  // the tab
            }
            keys.emplace_back(start, static_cast<std::size_t>(out - start));
        }
        std::sort(keys.begin(), keys.end());
        benchmark::DoNotOptimize(keys.data());
    }
}
BENCHMARK(BM_ImportFloor)->Arg(512)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
