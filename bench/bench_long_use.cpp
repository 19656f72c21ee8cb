// A whole game's worth of turns without a restart: the running program with
// all its windows (offscreen), 300 rounds on the largest game of
//   a MAP change (every tool window made anew), the first report, three
//   allies' reports merged through the ally window, the map redrawn at every
//   zoom with every planet name and every fleet's route, and the particulars
//   of the largest stack opened by a right click on it.
//
// Counters: the resident memory after rounds 10 and 300 and its growth in
// per cent (what a leak would show), beside the time per round.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStandardPaths>
#include <QComboBox>
#include <QPushButton>
#include <QToolButton>
#include <deque>
#include <fstream>
#include <malloc.h>
#include <cstdio>
#include <cstdlib>

#include "app/application.h"
#include "bench_support.h"
#include "forms/Own_race_unit.h"
#include "forms/ally_report.h"
#include "forms/map.h"
#include "model/locate.h"
#include "model/numbers.h"

using namespace trevanor;

namespace {

// Open dialogs answer with the next prepared path.
struct PreparedFiles : FileChooser {
    std::deque<QString> next;
    QString open(QWidget*, const QString&, const QString&, const QString& = {}) override {
        if (next.empty()) return {};
        QString path = next.front();
        next.pop_front();
        return path;
    }
    QStringList openMany(QWidget* w, const QString& filter, const QString& folder, const QString& = {}) override {
        return {open(w, filter, folder)};
    }
    QString save(QWidget* w, const QString& filter, const QString& folder, const QString&) override {
        return open(w, filter, folder);
    }
};

struct NoClipboard : Clipboard {
    QString text() const override { return {}; }
    void setText(const QString&) override {}
};

// Bytes the program holds on the heap (what a leak grows), apart from what
// the allocator keeps for reuse.
double heap_megabytes() { return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0); }

double resident_megabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * 4096.0 / (1024.0 * 1024.0);
}

struct Game {
    std::vector<QString> maps;                                  // the same universe in two files
    QString own;                                                // player 1's report
    std::vector<std::pair<QString, QString>> allies;            // (report, its reporter's race)
    QString ownRace;
};

const Game& game() {
    static const Game g = [] {
        gen::MaxGameOptions o;
        o.allyReports = 3;
        const gen::GameFiles files = gen::make_max_game(7, o);
        const auto paths = bench::write_game(files, "trevanor-bench-long-use");
        const auto second = std::filesystem::path(paths[0]).replace_filename("MAX2.MAP");
        std::filesystem::copy_file(paths[0], second, std::filesystem::copy_options::overwrite_existing);
        const auto race = [](const std::string& text) {
            const std::size_t start = text.find('\n') + 1;
            return QString::fromStdString(text.substr(start, text.find(' ', start) - start));
        };
        Game out;
        out.maps = {QString::fromStdString(paths[0]), QString::fromStdString(second.string())};
        out.own = QString::fromStdString(paths[1]);
        out.ownRace = race(files.reports[0].second);
        for (std::size_t k = 1; k < files.reports.size(); ++k)
            out.allies.emplace_back(QString::fromStdString(paths[k + 1]), race(files.reports[k].second));
        return out;
    }();
    return g;
}

struct Running {
    MemorySettings store;
    bench::SilentPrompter prompter;
    PreparedFiles files;
    NoClipboard clipboard;
    Application app{store, prompter, files, clipboard};
    Running() {
        app.start();
        app.session.main.Skip_conf.checked = true;  // a MAP change asks nothing
    }

    void round(int k) {
        const Game& g = game();
        app.run([&] { app.commands.open_map_file(path_bytes(g.maps[static_cast<std::size_t>(k % 2)])); });
        app.ownRace()->runModal = [&g](TOwn_race_Fm& w) {
            w.Own_CBx->setCurrentIndex(w.Own_CBx->findText(g.ownRace));
            w.Button1->click();
        };
        app.run([&] { app.commands.add_fleet_file(path_bytes(g.own)); });
        TAlly_report_FM& ally = *app.allyReport();
        for (const auto& [path, race] : g.allies) {
            ally.Rep_owner_Cbx->setCurrentText(race);
            files.next.push_back(path);
            ally.load_BTN->click();
        }
        TMap_FM& map = *app.map();
        map.namesTo(NameDensity::All);
        map.Otfr_SBTN->click();  // every route: "_All"
        for (const Zoom z : {Zoom::Zoom150, Zoom::Zoom200, Zoom::MaxOut}) map.zoomTo(z);
        const SpotRows stack = largest_stack(app.session);
        const MapView& v = map.view();
        const auto& t = app.session.fleetsByPos;
        map.Image1MouseDown(Qt::RightButton, v.pixel_x(to_int_def(t.cell(col::X, stack.first), 0)),
                            v.pixel_y(to_int_def(t.cell(col::Y, stack.first), 0)));
        QCoreApplication::processEvents();
    }

    static SpotRows largest_stack(const Session& s) {
        SpotRows best;
        for (int r = 1; r <= s.fleetsByPos.lastRow();) {
            const SpotRows spot = spot_of(s, r);
            if (spot.count > best.count) best = spot;
            r = spot.first + std::max(spot.count, 1);
        }
        return best;
    }
};

void BM_LongUse(benchmark::State& state) {
    Running running;
    int k = 0;
    double at10 = 0;
    for (auto _ : state) {
        running.round(k++);
        if (k == 10) at10 = resident_megabytes();
        if (std::getenv("TREVANOR_BENCH_TRACE") && k % 10 == 0)
            std::fprintf(stderr, "round %d: resident %.1f MB, heap %.1f MB\n", k, resident_megabytes(), heap_megabytes());
    }
    const double atEnd = resident_megabytes();
    state.counters["rounds"] = k;
    state.counters["rss_round10_MB"] = at10;
    state.counters["rss_last_MB"] = atEnd;
    state.counters["growth_pct"] = at10 > 0 ? (atEnd - at10) / at10 * 100.0 : 0;
}
// TREVANOR_BENCH_ROUNDS sets fewer rounds: a brief run only shows that it still runs.
int rounds() {
    const char* text = std::getenv("TREVANOR_BENCH_ROUNDS");
    const int n = text ? std::atoi(text) : 0;
    return n > 0 ? n : 300;
}
BENCHMARK(BM_LongUse)->Iterations(rounds())->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // turns kept apart from the user's
    provide_tahoma();
    return_large_blocks_to_system();  // as the program does
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
