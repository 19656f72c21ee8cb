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
