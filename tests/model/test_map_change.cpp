// Moving from one game to another: nothing of the game left behind may
// reach the next one, and a damaged settings value never leaves the program
// without its windows.

#include <gtest/gtest.h>

#include "model/main_commands.h"
#include "test_support.h"

using namespace trevanor;
using test::fleet_line;
using test::Rig;
using test::ScratchDir;

namespace {

const std::string kMapA = "#\tX\tY\tName\r\n1\t1100\t1200\tAldris\r\n";
const std::string kMapB = "#\tX\tY\tName\r\n1\t1300\t1400\tBexa\r\n";

std::string report(const std::string& race, const std::string& owner) {
    return test::kFleetHeading + "\r\n" +
           fleet_line({{0, race + " Scout #1"}, {1, "1100"}, {2, "1200"}, {12, owner}, {19, "Scout"}}) + "\r\n";
}

struct Games : ::testing::Test {
    ScratchDir dir;
    Rig rig;
    std::string mapA = dir.write("A.MAP", kMapA), mapB = dir.write("B.MAP", kMapB);
    std::string reportA = dir.write("A.F1", report("Vorlani", "1"));
    Session& s = rig.session;

    // Game A with its first report, stored to be read again with the MAP.
    void openA() {
        rig.commands.FormCreate();
        rig.commands.open_map_file(mapA);
        rig.prompter.answers = {Answer::Yes};  // autoload this report with A
        rig.commands.add_fleet_file(reportA);
    }
};

}  // namespace

TEST_F(Games, FirstReportIsStoredOnlyForItsOwnMap) {
    openA();
    rig.session.main.Skip_conf.checked = true;
    // B has a first report of its own, stored but since moved away.
    rig.store.writeInt("B.MAP", "autoload_fleet", 1);
    rig.store.writeText("B.MAP", "first_report", dir.path("gone/B.F1"));

    rig.commands.open_new_map_file(mapB);
    EXPECT_EQ(s.Map_name, "B.MAP");
    rig.commands.FormClose();
    EXPECT_EQ(rig.store.readText("A.MAP", "first_report"), reportA);
    EXPECT_EQ(rig.store.readText("B.MAP", "first_report"), dir.path("gone/B.F1"));

    // A MAP change to a missing file, then closing: nothing is stored anywhere.
    rig.commands.open_new_map_file(dir.path("MISSING.MAP"));
    rig.commands.FormClose();
    EXPECT_FALSE(rig.store.keyExists("MISSING.MAP"));
    EXPECT_EQ(rig.store.readText("B.MAP", "first_report"), dir.path("gone/B.F1"));
}

TEST_F(Games, NoMapOpenAfterAFailedChangeAndTheNextMapStartsAfresh) {
    openA();
    ASSERT_EQ(s.Players[1].Name, "Vorlani");
    s.main.Skip_conf.checked = true;
    rig.commands.open_new_map_file(dir.path("MISSING.MAP"));
    EXPECT_EQ(rig.prompter.shown.back().text, "Selected MAP file does not exist or has been moved from the folder!");
    EXPECT_FALSE(s.main.AddFleetfileF1.enabled);
    EXPECT_FALSE(s.main.Map1.enabled);

    // File > Open MAP reads B directly: none of A's races stay.
    rig.commands.open_map_file(mapB);
    EXPECT_EQ(s.Map_name, "B.MAP");
    for (int p = 1; p <= kPlayers; ++p) EXPECT_TRUE(s.Players[p].Name.empty()) << p;
    EXPECT_TRUE(s.main.ownRaceItems.empty());
    EXPECT_TRUE(s.main.AddFleetfileF1.enabled);
}

TEST_F(Games, OwnRaceIsAskedUnlessStoredWhateverIsInMemory) {
    rig.commands.FormCreate();
    rig.commands.open_map_file(mapA);
    s.Own_race_name = "_none_";  // the map window was opened before the report
    rig.prompter.answers = {Answer::No, Answer::Yes, Answer::No};  // no autoload; change the MAP; no autoload
    rig.commands.add_fleet_file(reportA);
    EXPECT_EQ(rig.hooks.ownRaceCalls, std::vector<int>{1});

    // Stored for this MAP: not asked again.
    rig.settings.save_own_race("Vorlani");
    rig.commands.open_new_map_file(mapA);
    rig.commands.add_fleet_file(reportA);
    EXPECT_EQ(rig.hooks.ownRaceCalls, std::vector<int>{1});
}

TEST_F(Games, DamagedRecentFileDuringAChangeIsShownAndTheChangeGoesOn) {
    openA();
    s.main.Skip_conf.checked = true;
    rig.store.writeInt("", "rfile2", 7);  // a number where a path belongs
    struct CountingHooks : WindowHooks {
        int created = 0;
        void create_tool_windows(const std::function<void()>& mapCreation) override {
            ++created;
            mapCreation();
        }
    } hooks;
    MainCommands core(s, rig.prompter, rig.settings, hooks);
    rig.prompter.shown.clear();
    core.open_new_map_file(mapB);
    EXPECT_EQ(hooks.created, 1);
    EXPECT_EQ(s.Map_name, "B.MAP");
    ASSERT_FALSE(rig.prompter.shown.empty());
    EXPECT_EQ(rig.prompter.shown.front().kind, "error");
}
