// Trails through the kept turns of the demo game: each year read as the
// player reads it (the MAP, the own report, the allies' reports merged),
// kept, and the trails of the last year's fleets compared with where each
// year's reports put them.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "game_generator.h"
#include "model/fleet_trails.h"
#include "model/game_history.h"
#include "model/memory_settings.h"
#include "model/own_race.h"
#include "model/players.h"
#include "model/settings_keys.h"
#include "test_support.h"

using namespace trevanor;

namespace {

constexpr int kYears = 6;
constexpr int kTurns = 5;  // the trail: the open turn and four kept before it

struct ReadYear {
    MemorySettings store;
    test::RecordingPrompter prompter;
    WindowHooks hooks;
    Model model{store, prompter, hooks};
    Session& session = model.session;
};

struct KeptDemo : ::testing::Test {
    test::ScratchDir dir;
    const gen::GameFiles game = gen::make_demo_game(1, kYears);
    const std::string map = dir.write("DEMO.MAP", game.map);
    const std::string history = dir.path("history");
    std::vector<std::unique_ptr<ReadYear>> years;  // by years back: [0] is the open turn

    KeptDemo() {
        for (int back = kYears - 1; back >= 0; --back) {
            years.insert(years.begin(), read(back));
            GameHistory(history).keep(years.front()->session.reads, years.front()->session);
        }
    }

    // The year `back` years before the last, its first report's time a day
    // after the year before it.
    std::unique_ptr<ReadYear> read(int back) {
        const gen::Reports& reports = back == 0 ? game.reports : game.earlier[static_cast<std::size_t>(back - 1)];
        const std::string stem = back == 0 ? "DEMO" : "DEMO-" + std::to_string(back);
        auto year = std::make_unique<ReadYear>();
        year->prompter.standing.emplace_back("", Answer::No);
        year->store.writeText("DEMO.MAP", setting::Own_race.name, "Vorlani");
        year->model.commands.read_MAP_file(map);
        for (const auto& [player, text] : reports) {
            const std::string path = dir.write(stem + ".F" + std::to_string(player), text);
            if (player == 1) {
                std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() -
                                                           std::chrono::hours(24 * (back + 1)));
                year->model.commands.reports().read(path);
                load_own_race(year->session, year->model.settings);
                continue;
            }
            MergeOptions options;
            options.reportOwner = player == 2 ? "Quessari" : "Ozmari";
            EXPECT_TRUE(year->model.merge.may_load(options) && year->model.merge.load_report(path, options)) << path;
        }
        return year;
    }

    FleetTrails trails() {
        const TurnsBefore before =
            turns_before(GameHistory(history).turns().turns, years[0]->session.reads, kTurns - 1);
        return FleetTrails::build(years[0]->session, before.openLabel, before.turns, built);
    }
    test::RecordingPrompter built;

    // The one row of a year's fleet table that `same` picks; 0 for none, -1
    // for several.
    template <class Same>
    static int only_row(const Session& s, Same same) {
        int found = 0;
        for (int r = 1; r <= s.fleets.lastRow(); ++r)
            if (same(s.fleets, r)) {
                if (found) return -1;
                found = r;
            }
        return found;
    }

    // Where the years' reports put the fleet, oldest first, followed back
    // until a year that does not show it; empty when a year shows several
    // such fleets (they pair by distance, which is not looked at here).
    template <class Same>
    std::vector<TrailPoint> reported(Same same) const {
        std::vector<TrailPoint> newestFirst;
        bool lost = false;
        for (int back = 0; back < kTurns; ++back) {
            const Session& s = years[static_cast<std::size_t>(back)]->session;
            const int row = lost ? 0 : only_row(s, same);
            if (row < 0) return {};
            lost = row == 0;
            newestFirst.push_back(lost ? TrailPoint{}
                                       : TrailPoint{true, std::stoi(s.fleets.cell(col::X, row)),
                                                    std::stoi(s.fleets.cell(col::Y, row))});
        }
        return {newestFirst.rbegin(), newestFirst.rend()};
    }
};

bool moves(const std::vector<TrailPoint>& trail) {
    for (std::size_t k = 1; k < trail.size(); ++k)
        if (trail[k].seen && trail[k - 1].seen && trail[k] != trail[k - 1]) return true;
    return false;
}

}  // namespace

// Every fleet of the open game found in the earlier years as its own report
// tells it: a fleet with an ID by its owner and ID, one without by its name.
TEST_F(KeptDemo, TrailsFollowTheFleetsThroughFiveTurns) {
    const FleetTrails t = trails();
    ASSERT_EQ(t.turns(), static_cast<std::size_t>(kTurns));
    for (const auto& shown : built.shown) EXPECT_NE(shown.kind, "error") << shown.text;
    const Session& open = years[0]->session;
    int checkedById = 0, checkedByName = 0, builtSince = 0;
    for (int r = 1; r <= open.fleetsByPos.lastRow(); ++r) {
        const std::string name = open.fleetsByPos.cell(col::Name, r), id = open.fleetsByPos.cell(col::Id, r);
        const std::string owner = owner_word(name);
        const auto byId = [&](const TextTable& f, int row) {
            return f.cell(col::Id, row) == id && owner_word(f.cell(col::Name, row)) == owner;
        };
        const auto byName = [&](const TextTable& f, int row) { return f.cell(col::Id, row).empty() && f.cell(col::Name, row) == name; };
        const std::vector<TrailPoint> want = id.empty() ? reported(byName) : reported(byId);
        // The demo's fleets without an ID stay where they are; those with one mostly move.
        if (want.empty() || (!id.empty() && !moves(want))) continue;
        SCOPED_TRACE(open.fleetsByPos.cell(col::UniqueName, r));
        const std::vector<TrailPoint>* trail = t.of(open.fleetsByPos.cell(col::UniqueName, r));
        ASSERT_NE(trail, nullptr);
        EXPECT_EQ(*trail, want);
        if (id.empty()) checkedByName += want.front().seen;
        else ++checkedById;
        builtSince += !want.front().seen;
    }
    EXPECT_GT(checkedById, 20);
    EXPECT_GT(checkedByName, 0);  // fleets without an ID, followed by their names through every turn
    EXPECT_GT(builtSince, 0);     // fleets not seen before they were built
}

namespace {

// Turns of foreign fleets (name, X, Y) read a day apart and kept; the last is the open one.
struct HandKept : ::testing::Test {
    test::ScratchDir dir;
    const std::string map = dir.write("GAME.MAP", "#\tX\tY\tName\r\n1\t1100\t1100\tAldris\r\n");
    std::vector<std::unique_ptr<ReadYear>> turns;
    std::string leftOut;  // the damaged turn's label

    FleetTrails trails(const std::vector<std::vector<std::array<const char*, 3>>>& reports, std::size_t damaged,
                       test::RecordingPrompter& prompter) {
        const std::string history = dir.path("history-" + std::to_string(turns.size()));
        for (std::size_t k = 0; k < reports.size(); ++k) {
            std::string text = test::kFleetHeading + "\r\n";
            for (const auto& [name, x, y] : reports[k])
                text += test::fleet_line({{0, name}, {1, x}, {2, y}, {4, "0.0"}, {12, "2"}}) + "\r\n";
            const std::string path = dir.write("GAME-" + std::to_string(k) + ".F1", text);
            std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() -
                                                       std::chrono::hours(24 * (reports.size() - k)));
            turns.push_back(std::make_unique<ReadYear>());
            turns.back()->model.commands.read_MAP_file(map);
            turns.back()->model.commands.reports().read(path);
            GameHistory(history).keep(turns.back()->session.reads, turns.back()->session);
        }
        std::vector<KeptTurn> kept = GameHistory(history).turns().turns;  // oldest first
        if (damaged < kept.size()) {
            const std::string copy = kept[damaged].path_of(kept[damaged].firstReport);
            dir.write(copy, std::string(std::filesystem::file_size(copy), 'x'));
            leftOut = kept[damaged].label;
        }
        const TurnsBefore before = turns_before(kept, turns.back()->session.reads, 10);
        return FleetTrails::build(turns.back()->session, before.openLabel, before.turns, prompter);
    }
};

std::vector<std::string> places(const std::vector<TrailPoint>& trail) {
    std::vector<std::string> out;
    for (const TrailPoint& p : trail) out.push_back(p.seen ? std::to_string(p.x) + ',' + std::to_string(p.y) : "-");
    return out;
}

}  // namespace

// A fleet with an ID is found again past a turn that did not show it; one
// paired by name is not, nor further than 100 ly a turn; a damaged turn is
// left out with a warning, and counts among the turns between the others.
TEST_F(HandKept, TrailsBridgeGapsByIdAndLeaveOutDamagedTurns) {
    const std::array<const char*, 3> filler{"Umbral Eye", "1300", "1300"};
    const struct {
        const char* what;
        std::vector<std::vector<std::array<const char*, 3>>> reports;  // oldest first
        std::size_t damaged;
        std::vector<std::string> shaper, lancer;
    } cases[] = {
        {"a turn unseen",
         {{{"Draumen Shaper #44", "1121", "1717"}, {"Kesh Lancer", "1100", "1100"}, filler}, {filler},
          {{"Draumen Shaper #44", "1150", "1700"}, {"Kesh Lancer", "1100", "1100"}, filler}},
         9, {"1121,1717", "-", "1150,1700"}, {"-", "-", "1100,1100"}},
        {"150 ly in one turn, by name",
         {{{"Draumen Shaper #44", "1100", "1100"}, {"Kesh Lancer", "1100", "1100"}},
          {{"Draumen Shaper #44", "1250", "1100"}, {"Kesh Lancer", "1250", "1100"}}},
         9, {"1100,1100", "1250,1100"}, {"-", "1250,1100"}},
        {"150 ly in two turns, one damaged",
         {{{"Kesh Lancer", "1100", "1100"}, filler}, {{"Kesh Lancer", "1180", "1100"}, filler},
          {{"Draumen Shaper #44", "1250", "1100"}, {"Kesh Lancer", "1250", "1100"}}},
         1, {"-", "1250,1100"}, {"1100,1100", "1250,1100"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::RecordingPrompter prompter;
        const FleetTrails t = trails(c.reports, c.damaged, prompter);
        EXPECT_EQ(places(*t.of("Draumen Shaper #44")), c.shaper);
        EXPECT_EQ(places(*t.of("Kesh Lancer")), c.lancer);
        ASSERT_EQ(prompter.shown.size(), c.damaged < c.reports.size());
        for (const auto& shown : prompter.shown)
            EXPECT_TRUE(shown.kind == "warning" &&
                        shown.text.starts_with("The kept turn of " + leftOut + " is damaged and was left out.\r"))
                << shown.text;
    }
}
