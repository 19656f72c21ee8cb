#include <gtest/gtest.h>

#include "model/errors.h"
#include "test_support.h"

using namespace trevanor;
using test::Rig;
using test::ScratchDir;

namespace {
const std::string kMap =
    "#\tX\tY\tName\r\n"
    "1\t1100\t1200\tZeta Prime\r\n"
    "2\t1300\t1400\tamber\r\n"
    "3\t1500\t1600\tNew\tAldris\r\n";
}

TEST(ReadMap, FillsPlanetsPlacesAndDefaultColours) {
    ScratchDir dir;
    Rig rig;
    rig.commands.read_MAP_file(dir.write("GAME.MAP", kMap));
    const Session& s = rig.session;
    EXPECT_EQ(s.Map_name, "GAME.MAP");
    EXPECT_EQ(s.main.caption, "GAME.MAP");
    EXPECT_TRUE(s.main.AutoloadlastMAP1.enabled && s.main.AddFleetfileF1.enabled && s.main.Map1.enabled);
    EXPECT_FALSE(s.No_map_yet);
    EXPECT_EQ(s.planets.rowCount(), 4);
    EXPECT_EQ(s.planets.row(0), (std::vector<std::string>{"#", "X", "Y", "Name"}));
    EXPECT_EQ(s.planets.row(3), (std::vector<std::string>{"3", "1500", "1600", "New\tAldris"}));
    EXPECT_EQ(s.placeList1.items(), (std::vector<std::string>{" unknown", "amber", "New\tAldris", "Zeta Prime"}));
    EXPECT_EQ(s.placeList2.items(), s.placeList1.items());
    for (int p = 1; p <= 16; ++p) {
        EXPECT_EQ(s.Players[static_cast<std::size_t>(p)].Color, kDefaultColors[static_cast<std::size_t>(p)]);
        EXPECT_EQ(rig.store.readInt("GAME.MAP", "p" + std::to_string(p)),
                  static_cast<std::int32_t>(kDefaultColors[static_cast<std::size_t>(p)]));
    }
    EXPECT_TRUE(rig.prompter.shown.empty());
    EXPECT_EQ(rig.store.readInt("GAME.MAP", "autoload_fleet"), 0);
}

TEST(ReadMap, OddFiles) {
    struct Case {
        const char* what;
        std::string bytes;
        int rowCount;
        std::vector<std::string> places;
    };
    const Case cases[] = {
        {"heading only", "#\tX\tY\tName\r\n", 2, {" unknown"}},
        {"empty file", "", 2, {" unknown"}},
        {"blank planet line", "h\n\n1\t1000\t1000\tA\n", 3, {"", " unknown", "A"}},
        {"LF endings, no last line end", "h\n1\t1000\t1000\tA\n2\t1001\t1001\tB", 3, {" unknown", "A", "B"}},
        {"CR only line ends", "h\r1\t1000\t1000\tA\r2\t1001\t1001\tB", 3, {" unknown", "A", "B"}},
        {"NUL bytes", std::string("h\n1\t1000\t1000\tA\0B\n", 18), 2, {" unknown", std::string("A\0B", 3)}},
    };
    for (const auto& c : cases) {
        ScratchDir dir;
        Rig rig;
        rig.commands.read_MAP_file(dir.write("X.MAP", c.bytes));
        EXPECT_EQ(rig.session.planets.rowCount(), c.rowCount) << c.what;
        EXPECT_EQ(rig.session.placeList1.items(), c.places) << c.what;
        EXPECT_TRUE(rig.session.main.Map1.enabled) << c.what;
    }
}

TEST(ReadMap, StoredColoursAreUsed) {
    ScratchDir dir;
    Rig rig;
    for (int p = 1; p <= 16; ++p) rig.store.writeInt("game.map", "P" + std::to_string(p), p);
    rig.commands.read_MAP_file(dir.write("GAME.MAP", kMap));
    for (int p = 1; p <= 16; ++p) EXPECT_EQ(rig.session.Players[static_cast<std::size_t>(p)].Color, static_cast<unsigned>(p));
}

TEST(ReadMap, MissingFileStopsAfterTheMenuAndCaption) {
    ScratchDir dir;
    Rig rig;
    try {
        rig.commands.read_MAP_file(dir.path("NONE.MAP"));
        FAIL();
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("No such file or directory"), std::string::npos);
    }
    EXPECT_EQ(rig.session.Map_name, "NONE.MAP");
    EXPECT_TRUE(rig.session.main.AddFleetfileF1.enabled);
    EXPECT_TRUE(rig.session.No_map_yet);
    EXPECT_FALSE(rig.store.keyExists("NONE.MAP"));
}

TEST(ReadMap, TooManyLinesStopsWithAMessageAndKeepsWhatWasRead) {
    ScratchDir dir;
    Rig rig;
    std::string big = "h\n";
    for (int k = 1; k <= 65536; ++k) big += std::to_string(k) + "\t1000\t1000\tP" + std::to_string(k) + "\n";
    EXPECT_THROW(rig.commands.read_MAP_file(dir.write("BIG.MAP", big)), TableLimitError);
    EXPECT_EQ(rig.session.planets.rowCount(), 65535);
    EXPECT_EQ(rig.session.planets.cell(3, 65534), "P65534");
    EXPECT_EQ(rig.session.placeList1.size(), 65535u);

    // Trying again with a proper MAP leaves no planet of the big one behind.
    rig.commands.read_MAP_file(dir.write("GAME.MAP", kMap));
    EXPECT_EQ(rig.session.planets.rowCount(), 4);
    EXPECT_EQ(rig.session.placeList1.size(), 4u);
}

namespace {
std::string small_report() {
    return test::kFleetHeading + "\r\n" +
           test::fleet_line({{0, "Vorlani Scout #1"}, {1, "1100"}, {2, "1200"}, {3, "Zeta Prime"}, {12, "1"}, {19, "Patrol"}}) +
           "\r\n";
}
}  // namespace

TEST(ReadMap, AutoloadsTheAssociatedReport) {
    ScratchDir dir;
    const std::string report = dir.write("GAME.F1", small_report());
    struct Case {
        const char* what;
        std::optional<std::string> ownRace;
        std::vector<int> ownRaceCalls;
        std::string ownRaceAfter;
    };
    const Case cases[] = {
        {"own race not stored: asked without a suggestion", std::nullopt, {0}, ""},
        {"own race stored", "Vorlani", {}, "Vorlani"},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.store.writeInt("GAME.MAP", "autoload_fleet", 1);
        rig.store.writeText("GAME.MAP", "first_report", report);
        if (c.ownRace) rig.store.writeText("GAME.MAP", "Own_race", *c.ownRace);
        rig.commands.read_MAP_file(dir.write("GAME.MAP", kMap));
        const Session& s = rig.session;
        EXPECT_EQ(s.main.caption, "GAME.MAP + GAME.F1") << c.what;
        EXPECT_EQ(s.fleets.cell(col::Name, 1), "Vorlani Scout #1") << c.what;
        EXPECT_FALSE(s.First_report_pending) << c.what;
        EXPECT_TRUE(s.main.Fleetfile_autoload1.enabled && s.main.Fleetfile_autoload1.checked) << c.what;
        EXPECT_EQ(rig.hooks.ownRaceCalls, c.ownRaceCalls) << c.what;
        EXPECT_EQ(s.Own_race_name, c.ownRaceAfter) << c.what;
        ASSERT_EQ(s.main.ownRaceItems.size(), 1u) << c.what;
        EXPECT_EQ(s.main.ownRaceItems[0].name, "Menu_Vorlani1") << c.what;
        EXPECT_EQ(s.main.ownRaceItems[0].checked, c.ownRace.has_value()) << c.what;
        EXPECT_TRUE(s.main.OwnRace1.enabled) << c.what;
    }
}

TEST(ReadMap, MissingAssociatedReportIsReported) {
    ScratchDir dir;
    Rig rig;
    rig.store.writeInt("GAME.MAP", "autoload_fleet", 1);
    rig.store.writeText("GAME.MAP", "first_report", "/gone/GAME.F1");
    rig.commands.read_MAP_file(dir.write("GAME.MAP", kMap));
    ASSERT_EQ(rig.prompter.shown.size(), 1u);
    EXPECT_EQ(rig.prompter.shown[0],
              (test::RecordingPrompter::Shown{"message", "Autoload fleet file failed. File \"/gone/GAME.F1\" does not exist."}));
    EXPECT_TRUE(rig.session.First_report_pending);
    EXPECT_EQ(rig.session.fleets.cell(col::Name, 1), "");
    EXPECT_EQ(rig.session.planets.rowCount(), 4);
}
