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
#include "model/packed_copy.h"
#include "test_support.h"

using namespace trevanor;
namespace fs = std::filesystem;

namespace {

// The demo game's years as files of a game folder that the game overwrites
// each turn, as a player's folder is.
struct KeptGame : ::testing::Test {
    test::ScratchDir dir;
    const gen::GameFiles files = gen::make_demo_game(1, 5);
    GameHistory history{dir.path("history/DEMO.MAP"), 3, "DEMO.MAP"};

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
    // The MAP and first report read as the program reads them, then the
    // allies' reports merged in the order given: "24" merges DEMO.F2, then
    // DEMO.F4; a "W" after one merges it overwriting missing details.
    std::unique_ptr<test::Rig> read(const std::string& allies) {
        auto rig = std::make_unique<test::Rig>();
        rig->commands.read_MAP_file(dir.path("DEMO.MAP"));
        rig->reports.read(dir.path("DEMO.F1"));
        for (std::size_t k = 0; k < allies.size(); ++k) {
            if (allies[k] == 'W') continue;
            MergeOptions options;
            options.reportOwner = allies[k] == '2' ? "Quessari" : "Ozmari";
            options.allowOverwrite = k + 1 < allies.size() && allies[k + 1] == 'W';
            EXPECT_TRUE(rig->merge.load_report(dir.path(std::string("DEMO.F") + allies[k]), options));
        }
        return rig;
    }
    bool keep(const std::string& allies = "") {
        const auto rig = read(allies);
        return history.keep(rig->session.reads, rig->session);
    }
    // Per kept turn, oldest first, the owners of its allies' reports.
    std::vector<std::string> keptAllies() {
        std::vector<std::string> kept;
        for (const KeptTurn& t : history.turns().turns) {
            std::string owners;
            for (const KeptAlly& a : t.allies) owners += a.options.reportOwner.substr(0, 1);
            kept.push_back(owners);
        }
        return kept;
    }
};

// The kept figures are those of the turn read back from its copies.
void expect_figures_as_read_back(const KeptTurn& turn) {
    test::RecordingPrompter prompter;
    const auto year = EarlierYear::read_kept(turn, prompter);
    const RaceStatsTable stats = compute_race_stats(year->session().fleets);
    ASSERT_FALSE(turn.races.empty());
    for (const KeptRace& race : turn.races)
        EXPECT_EQ(statistics_line(race.player, race.stats),
                  statistics_line(race.player, stats[static_cast<std::size_t>(race.player)]));
}

}  // namespace

// Each step reads the game folder as a player would and keeps what was read.
TEST_F(KeptGame, ATurnIsKeptOncePerContentWithTheAlliesMergedInto) {
    struct Step {
        const char* what;
        int back, day;
        const char* allies;
        bool written;
        std::vector<std::string> kept;  // the allies' owners' initials per kept turn, oldest first
    };
    const Step steps[] = {
        {"a first turn", 1, 10, "", true, {""}},
        {"the same again", 1, 10, "", false, {""}},
        {"the same bytes written again later", 1, 11, "", false, {""}},
        {"an ally merged into it", 1, 11, "2", true, {"Q"}},
        {"read again without its allies", 1, 11, "", false, {"Q"}},
        {"both allies", 1, 11, "24", true, {"QO"}},
        {"the next turn", 0, 14, "4", true, {"QO", "O"}},
        {"read again with the other ally alone", 0, 14, "2", true, {"QO", "OQ"}},
        {"read again with both", 0, 14, "42", false, {"QO", "OQ"}},
        {"an ally merged again with other options", 0, 14, "4W2", true, {"QO", "OQ"}},
    };
    for (const Step& s : steps) {
        write_year(s.back, s.day);
        EXPECT_EQ(keep(s.allies), s.written) << s.what;
        EXPECT_EQ(keptAllies(), s.kept) << s.what;
        EXPECT_TRUE(history.turns().skipped.empty()) << s.what;
    }
    // The allies added later count in the figures, as they do when the turn is read back.
    expect_figures_as_read_back(history.turns().turns.back());
    // A kept turn keeps the label of its first report's time when first kept.
    const std::vector<KeptTurn> turns = history.turns().turns;
    EXPECT_EQ(turns[0].label, turn_label(turns[0].time));
    EXPECT_LT(turns[0].time, turns[0].firstReport.modified);
    EXPECT_LT(turns[0].time, turns[1].time);
}

TEST_F(KeptGame, TheOldestTurnsGoBeyondTheCap) {
    for (int back = 4; back >= 0; --back) {
        write_year(back, 20 - back);
        EXPECT_TRUE(keep());
    }
    std::vector<std::int64_t> days;
    for (const KeptTurn& t : history.turns().turns) days.push_back(t.time);
    ASSERT_EQ(days.size(), 3u);  // the cap of this history
    EXPECT_TRUE(std::is_sorted(days.begin(), days.end()));
    EXPECT_EQ(history.turns().turns.back().firstReport.size, files.reports[0].second.size());
}

namespace {

void rewrite(const fs::path& file, const std::function<std::string(std::string)>& change) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    in.close();
    std::ofstream(file, std::ios::binary | std::ios::trunc) << change(bytes);
}

// The description with `from` replaced by `to` (a whole line's start when `from` begins with "\n").
std::function<void(const fs::path&)> edit(std::string from, std::string to) {
    return [=](const fs::path& t) {
        rewrite(t / "turn.txt", [&](std::string s) {
            const auto at = s.find(from);
            return at == std::string::npos ? s : s.replace(at, from.size(), to);
        });
    };
}

// The description without its line that starts with `kind`.
std::function<void(const fs::path&)> drop_line(std::string kind) {
    return [=](const fs::path& t) {
        rewrite(t / "turn.txt", [&](std::string s) {
            const auto at = s.find("\n" + kind + "\t");
            return s.erase(at + 1, s.find('\n', at + 1) - at);
        });
    };
}

// The first race's last figure written as `figure`.
std::function<void(const fs::path&)> race_figure(std::string figure) {
    return [=](const fs::path& t) {
        rewrite(t / "turn.txt", [&](std::string s) {
            const auto end = s.find('\n', s.find("\nrace\t") + 1), tab = s.rfind('\t', end);
            return s.replace(tab + 1, end - tab - 1, figure);
        });
    };
}

}  // namespace

// A turn the program stopped in the middle of keeping, a description
// damaged or crafted since, or another game's turn is left out with a
// message; the others are listed.
TEST_F(KeptGame, DamagedTurnsAreLeftOutWithAMessage) {
    struct Damage {
        const char* what;
        std::function<void(const fs::path& turn)> damage;
        const char* reason;  // in the message
    };
    const std::string outside = (fs::path(dir.path("outside")) / "DEMO.MAP").string();
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
        {"a folder still being written", [](const fs::path& t) { fs::rename(t, fs::path(t) += ".part"); },
         "was not written to its end"},
        {"a file where the folder was",
         [](const fs::path& t) {
             fs::remove_all(t);
             std::ofstream(t) << "x";
         },
         "it is a file, not a folder"},
        {"a path leading out of the folder", edit("\nmap\tDEMO.MAP", "\nmap\t" + outside), "line 6"},
        {"a name leading up", edit("\nmap\tDEMO.MAP", "\nmap\t../DEMO.MAP"), "line 6"},
        {"one name for two files", edit("\nfirst\tDEMO.F1", "\nfirst\tDEMO.MAP"), "names \"DEMO.MAP\" twice"},
        {"a size beyond what a turn keeps", edit("\nfirst\tDEMO.F1\t", "\nfirst\tDEMO.F1\t0\t1073741824\tx\t"),
         "line 7"},
        {"no label", drop_line("label"), "no label line"},
        {"no time", drop_line("time"), "no time line"},
        {"a figure below 0", race_figure("-1"), "of its description cannot be read"},
        {"a figure over 2^31", race_figure("2147483648"), "of its description cannot be read"},
        {"another game's turn", edit("\nmap\tDEMO.MAP", "\nmap\tOTHER.MAP"), "read for OTHER.MAP, not for DEMO.MAP"},
    };
    for (const Damage& c : cases) {
        history.forget();
        write_year(1, 10);
        keep();
        write_year(0, 14);
        keep();
        c.damage(history.turns().turns.back().folder);
        const GameHistory::Listing listing = history.turns();
        ASSERT_EQ(listing.turns.size(), 1u) << c.what;
        ASSERT_EQ(listing.skipped.size(), 1u) << c.what;
        EXPECT_NE(listing.skipped[0].find(c.reason), std::string::npos) << c.what << ": " << listing.skipped[0];
    }
    EXPECT_FALSE(fs::exists(outside));
}

// Kept also when the game wrote its next turn before the keeping ran (it runs
// beside the windows), a kept turn read from its copies with its allies and
// their options is the fleet table the player saw; its figures are those of
// that table.
TEST_F(KeptGame, AKeptTurnReadsBackAsItWasRead) {
    write_year(2, 10);
    const auto rig = read("24");
    const std::shared_ptr<GameHistory::Reading> reading = GameHistory::read_turn(rig->session.reads, rig->session);
    write_year(0, 14);  // the game's files are overwritten
    ASSERT_TRUE(history.keep(*reading));
    const KeptTurn turn = history.turns().turns.at(0);
    test::RecordingPrompter prompter;
    const auto year = EarlierYear::read_kept(turn, prompter);
    EXPECT_EQ(year->session().fleets.rows(), rig->session.fleets.rows());
    EXPECT_EQ(year->name(), turn.label);
    expect_figures_as_read_back(turn);
}

// What is no turn and no damage passes without a word: a file another
// program left in the folder, and a description padded up to its limit.
TEST_F(KeptGame, OnlyTurnsAreListedAndNothingElseIsSaid) {
    write_year(0, 10);
    keep();
    const fs::path folder = history.turns().turns.at(0).folder;
    std::ofstream(fs::path(history.folder()) / "desktop.ini") << "[.ShellClassInfo]\n";
    rewrite(folder / "turn.txt", [](std::string s) {
        return s.insert(s.find("\nend\n") + 1, "pad\t" + std::string((std::size_t{1} << 20) - s.size() - 5, 'x') + "\n");
    });
    ASSERT_EQ(fs::file_size(folder / "turn.txt"), std::uintmax_t{1} << 20);
    const GameHistory::Listing listing = history.turns();
    EXPECT_EQ(listing.turns.size(), 1u);
    EXPECT_TRUE(listing.skipped.empty()) << listing.skipped.at(0);
}

// A copy damaged inside, its packed size unchanged, is told when the turn
// is read: unpacking stops at the size kept, and what it gives must be the
// bytes kept.
TEST_F(KeptGame, ACopyDamagedInsideIsToldWhenRead) {
    struct Damage {
        const char* what;
        std::function<void(const KeptTurn&)> damage;
        const char* reason;
    };
    const auto other_copy = [&](const KeptTurn& t) {
        // Another year's report packed in its place, its sizes edited to match.
        const std::string copy = packed(files.earlier.at(0).front().second);
        std::ofstream(t.path_of(t.firstReport), std::ios::binary | std::ios::trunc) << copy;
        const KeptFile& f = t.firstReport;
        edit("\nfirst\tDEMO.F1\t" + std::to_string(f.modified) + "\t" + std::to_string(f.size),
             "\nfirst\tDEMO.F1\t" + std::to_string(f.modified) + "\t" +
                 std::to_string(files.earlier.at(0).front().second.size()))(t.folder);
        edit("\t" + std::to_string(f.stored) + "\n", "\t" + std::to_string(copy.size()) + "\n")(t.folder);
    };
    const Damage cases[] = {
        {"bytes changed inside",
         [](const KeptTurn& t) {
             std::fstream copy(t.path_of(t.allies.at(0).file), std::ios::in | std::ios::out | std::ios::binary);
             copy.seekp(static_cast<std::streamoff>(t.allies[0].file.stored / 2));
             copy.write("damaged", 7);
         },
         "\"ally-1/DEMO.F2\" is damaged: it cannot be unpacked"},
        {"another copy put in its place", other_copy, "\"DEMO.F1\" is damaged: its bytes are not those that were kept"},
        {"a size kept smaller than the copy unpacks to",
         [](const KeptTurn& t) { edit("\t" + std::to_string(t.map.size) + "\t", "\t100\t")(t.folder); },
         "\"DEMO.MAP\" is damaged: it cannot be unpacked"},
    };
    for (const Damage& c : cases) {
        history.forget();
        write_year(0, 10);
        keep("2");
        c.damage(history.turns().turns.at(0));
        const KeptTurn turn = history.turns().turns.at(0);
        test::RecordingPrompter prompter;
        try {
            EarlierYear::read_kept(turn, prompter);
            ADD_FAILURE() << c.what << ": a damaged copy was read";
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << c.what << ": " << e.what();
        }
    }
}

// Turns kept in one minute are labelled to the second; others to the minute.
TEST_F(KeptGame, TurnsOfOneMinuteAreToldApartBySeconds) {
    const auto at = [&](int back, std::chrono::seconds time) {
        write_year(back, 10);
        const fs::file_time_type minute = std::chrono::floor<std::chrono::minutes>(fs::file_time_type::clock::now());
        fs::last_write_time(dir.path("DEMO.F1"), minute - std::chrono::hours(1) + time);
        keep();
    };
    at(2, std::chrono::seconds(10));
    at(1, std::chrono::seconds(40));
    at(0, std::chrono::seconds(130));
    const std::vector<KeptTurn> turns = history.turns().turns;
    ASSERT_EQ(turns.size(), 3u);
    EXPECT_EQ(turns[0].label, turn_label(turns[0].time, true));
    EXPECT_EQ(turns[1].label, turn_label(turns[1].time, true));
    EXPECT_NE(turns[0].label, turns[1].label);
    EXPECT_EQ(turns[2].label, turn_label(turns[2].time));
    // An open turn not kept: of the newest kept turn's minute, both to the second; of the next, neither.
    const TurnReads reads = read("")->session.reads;
    for (const auto& [later, seconds] : {std::pair{20, true}, std::pair{60, false}}) {
        dir.write("DEMO.F1", files.reports.at(0).second + "\r\n");
        fs::last_write_time(dir.path("DEMO.F1"), std::chrono::file_clock::from_sys(std::chrono::sys_seconds(
                                                     std::chrono::seconds(turns[2].time + later))));
        const TurnsBefore before = turns_before(turns, reads, 10);
        EXPECT_EQ(before.openLabel, turn_label(turns[2].time + later, seconds)) << later;
        EXPECT_EQ(before.turns.front().label, turn_label(turns[2].time, seconds)) << later;
    }
}

// A report the game is still writing is no turn to keep; one whose last
// line is whole keeps, with or without a line end after it.
TEST_F(KeptGame, AReportStillBeingWrittenIsNotKept) {
    const std::string report = files.reports.at(0).second;
    const std::string lastLineCut = report.substr(0, report.rfind('\t', report.size() - 3));
    const std::string noLineEnd = report.substr(0, report.find_last_not_of("\r\n") + 1);
    write_year(0, 10);
    dir.write("DEMO.F1", lastLineCut);
    const auto rig = read("");
    try {
        history.keep(rig->session.reads, rig->session);
        ADD_FAILURE() << "a cut report was kept";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("is not whole: its last line has 28 of the heading's 29 fields"),
                  std::string::npos) << e.what();
    }
    EXPECT_TRUE(history.turns().turns.empty());
    dir.write("DEMO.F1", noLineEnd);
    const std::string ally = files.reports.at(1).second;
    dir.write("DEMO.F2", ally.substr(0, ally.rfind('\t', ally.size() - 3)));
    try {
        keep("2");
        ADD_FAILURE() << "an ally's report still being written was kept";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("DEMO.F2\" is not whole"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(keep());
}

// A history that cannot be written says why; what the game read is untouched.
TEST_F(KeptGame, AHistoryThatCannotBeWrittenSaysWhy) {
    write_year(0, 10);
    dir.write("blocked", "a file where the folder would be");
    GameHistory blocked(dir.path("blocked") + "/DEMO.MAP");
    const auto rig = read("");
    EXPECT_THROW(blocked.keep(rig->session.reads, rig->session), FileError);
    EXPECT_TRUE(blocked.turns().turns.empty());
}
