// The turns kept of a game: once per content, allies added to the turn they
// belong to, the oldest going beyond the cap, damaged turns left out, and a
// kept turn read back as it was read.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "game_generator.h"
#include "model/earlier_year.h"
#include "model/errors.h"
#include "model/game_history.h"
#include "test_support.h"

using namespace trevanor;
namespace fs = std::filesystem;

namespace {

// The demo game's years as files of a game folder that the game overwrites
// each turn, as a player's folder is.
struct KeptGame : ::testing::Test {
    test::ScratchDir dir;
    const gen::GameFiles files = gen::make_demo_game(1, 5);
    GameHistory history{dir.path("history/DEMO.MAP"), 3};

    // Year `back` (0: the last) written as DEMO.MAP, DEMO.F1 and the allies'
    // reports, dated `day` days into the game.
    void write_year(int back, int day) {
        dir.write("DEMO.MAP", files.map);
        const gen::Reports& reports = back == 0 ? files.reports : files.earlier[static_cast<std::size_t>(back - 1)];
        for (const auto& [player, bytes] : reports) {
            const std::string path = dir.write("DEMO.F" + std::to_string(player), bytes);
            fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(24 * (40 - day)));
        }
    }
    // The MAP and first report read as the program reads them, then `allies` of players 2 and 4 merged.
    std::unique_ptr<test::Rig> read(int allies) {
        auto rig = std::make_unique<test::Rig>();
        rig->commands.read_MAP_file(dir.path("DEMO.MAP"));
        rig->reports.read(dir.path("DEMO.F1"));
        const char* const owners[] = {"Quessari", "Ozmari"};
        for (int k = 0; k < allies; ++k) {
            MergeOptions options;
            options.reportOwner = owners[k];
            EXPECT_TRUE(rig->merge.load_report(dir.path(k == 0 ? "DEMO.F2" : "DEMO.F4"), options));
        }
        return rig;
    }
    bool keep(int allies) {
        const auto rig = read(allies);
        return history.keep(rig->session.reads, rig->session);
    }
    std::vector<std::size_t> allyCounts() {
        std::vector<std::size_t> counts;
        for (const KeptTurn& t : history.turns().turns) counts.push_back(t.allies.size());
        return counts;
    }
};

}  // namespace

// Each step reads the game folder as a player would and keeps what was read.
TEST_F(KeptGame, ATurnIsKeptOncePerContentWithTheAlliesMergedInto) {
    struct Step {
        const char* what;
        int back, day, allies;
        bool written;
        std::vector<std::size_t> kept;  // allies per kept turn, oldest first
    };
    const Step steps[] = {
        {"a first turn", 1, 10, 0, true, {0}},
        {"the same again", 1, 10, 0, false, {0}},
        {"the same bytes written again later", 1, 11, 0, false, {0}},
        {"an ally merged into it", 1, 11, 1, true, {1}},
        {"read again without its allies", 1, 11, 0, false, {1}},
        {"both allies", 1, 11, 2, true, {2}},
        {"the next turn", 0, 14, 1, true, {2, 1}},
    };
    for (const Step& s : steps) {
        write_year(s.back, s.day);
        EXPECT_EQ(keep(s.allies), s.written) << s.what;
        EXPECT_EQ(allyCounts(), s.kept) << s.what;
        EXPECT_TRUE(history.turns().skipped.empty()) << s.what;
    }
    // A kept turn keeps the label of its first report's time when first kept.
    const std::vector<KeptTurn> turns = history.turns().turns;
    EXPECT_EQ(turns[0].label, turn_label(turns[0].time));
    EXPECT_LT(turns[0].time, turns[0].firstReport.modified);
    EXPECT_LT(turns[0].time, turns[1].time);
}

TEST_F(KeptGame, TheOldestTurnsGoBeyondTheCap) {
    for (int back = 4; back >= 0; --back) {
        write_year(back, 20 - back);
        EXPECT_TRUE(keep(0));
    }
    std::vector<std::int64_t> days;
    for (const KeptTurn& t : history.turns().turns) days.push_back(t.time);
    ASSERT_EQ(days.size(), 3u);  // the cap of this history
    EXPECT_TRUE(std::is_sorted(days.begin(), days.end()));
    EXPECT_EQ(history.turns().turns.back().firstReport.size, files.reports[0].second.size());
}

// A turn the program stopped in the middle of keeping, or a description
// damaged since, is left out with a message; the others are listed.
TEST_F(KeptGame, DamagedTurnsAreLeftOutWithAMessage) {
    struct Damage {
        const char* what;
        std::function<void(const fs::path& turn)> damage;
        const char* reason;  // in the message; null: left out without one
    };
    const auto rewrite = [](const fs::path& file, const std::function<std::string(std::string)>& change) {
        std::ifstream in(file, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        in.close();
        std::ofstream(file, std::ios::binary | std::ios::trunc) << change(bytes);
    };
    const Damage cases[] = {
        {"no description", [](const fs::path& t) { fs::remove(t / "turn.txt"); }, "its description is missing"},
        {"description cut short",
         [&](const fs::path& t) { rewrite(t / "turn.txt", [](std::string s) { return s.substr(0, s.size() / 2); }); },
         "damaged"},
        {"a copy cut short",
         [&](const fs::path& t) { rewrite(t / "DEMO.F1.gz", [](std::string s) { return s.substr(0, 100); }); },
         "\"DEMO.F1\" is not whole"},
        {"a line that is no line of a description",
         [&](const fs::path& t) { rewrite(t / "turn.txt", [](std::string s) { return s.insert(16, "race\tx\n"); }); },
         "line 2"},
        {"a folder still being written", [](const fs::path& t) { fs::rename(t, fs::path(t) += ".part"); }, nullptr},
    };
    for (const Damage& c : cases) {
        history.forget();
        write_year(1, 10);
        keep(0);
        write_year(0, 14);
        keep(0);
        c.damage(history.turns().turns.back().folder);
        const GameHistory::Listing listing = history.turns();
        ASSERT_EQ(listing.turns.size(), 1u) << c.what;
        EXPECT_EQ(listing.skipped.size(), c.reason ? 1u : 0u) << c.what;
        if (c.reason && !listing.skipped.empty()) {
            EXPECT_NE(listing.skipped[0].find(c.reason), std::string::npos) << c.what << ": " << listing.skipped[0];
        }
    }
}

// Read from its copies with its allies and their options, a kept turn is
// the fleet table the player saw; its figures are those of that table.
TEST_F(KeptGame, AKeptTurnReadsBackAsItWasRead) {
    write_year(2, 10);
    const auto rig = read(2);
    ASSERT_TRUE(history.keep(rig->session.reads, rig->session));
    write_year(0, 14);  // the game's files are overwritten
    const KeptTurn turn = history.turns().turns.at(0);
    test::RecordingPrompter prompter;
    const auto year = EarlierYear::read_kept(turn, prompter);
    EXPECT_EQ(year->session().fleets.rows(), rig->session.fleets.rows());
    EXPECT_EQ(year->name(), turn.label);
    const RaceStatsTable stats = compute_race_stats(year->session().fleets);
    ASSERT_FALSE(turn.races.empty());
    for (const KeptRace& race : turn.races)
        EXPECT_EQ(statistics_line(race.player, race.stats),
                  statistics_line(race.player, stats[static_cast<std::size_t>(race.player)]));
}

// A copy damaged inside, its size unchanged, is told when the turn is read.
TEST_F(KeptGame, ACopyDamagedInsideIsToldWhenRead) {
    write_year(0, 10);
    keep(1);
    const KeptTurn turn = history.turns().turns.at(0);
    {
        std::fstream copy(turn.path_of(turn.allies.at(0).file), std::ios::in | std::ios::out | std::ios::binary);
        copy.seekp(static_cast<std::streamoff>(turn.allies[0].file.stored / 2));
        copy.write("damaged", 7);
    }
    test::RecordingPrompter prompter;
    try {
        EarlierYear::read_kept(turn, prompter);
        ADD_FAILURE() << "a damaged copy was read";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("\"ally-1/DEMO.F2\" is damaged"), std::string::npos) << e.what();
    }
}

// A history that cannot be written says why; what the game read is untouched.
TEST_F(KeptGame, AHistoryThatCannotBeWrittenSaysWhy) {
    write_year(0, 10);
    dir.write("blocked", "a file where the folder would be");
    GameHistory blocked(dir.path("blocked") + "/DEMO.MAP");
    const auto rig = read(0);
    EXPECT_THROW(blocked.keep(rig->session.reads, rig->session), FileError);
    EXPECT_TRUE(blocked.turns().turns.empty());
}
