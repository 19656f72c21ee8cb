#include <gtest/gtest.h>

#include "model/ally_merge.h"
#include "model/errors.h"
#include "test_support.h"

using namespace trevanor;
using test::fleet_line;
using test::Rig;
using test::ScratchDir;

namespace {

const std::string kMap = "#\tX\tY\tName\r\n1\t1100\t1200\tAldris\r\n2\t1300\t1400\tBexa\r\n";

std::string line(const std::string& name, const std::string& owner, const std::string& task = "",
                 const std::string& scan = "0") {
    return fleet_line({{0, name}, {1, "1500"}, {2, "1500"}, {4, "127.127"}, {12, owner}, {17, scan}, {18, "0"},
                       {19, task}, {20, "0"}, {21, "0"}, {22, "0"}, {23, "0"}});
}

std::string report(const std::vector<std::string>& lines, bool heading = true) {
    std::string out = heading ? test::kFleetHeading + "\r\n" : "";
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

// Player 1 (Vorlani) reads its own report: two own fleets, Kesh (3) and Umbral (12) seen.
struct World {
    ScratchDir dir;
    Rig rig;
    AllyMerge& ally = rig.merge;
    World() {
        rig.commands.read_MAP_file(dir.write("GAME.MAP", kMap));
        rig.reports.read(dir.write("GAME.F1", report({line("Vorlani Scout #1", "1", "Scout"),
                                                               line("Vorlani Hauler #2", "1", "Transport"),
                                                               line("Kesh Raider #5", "3"),
                                                               line("Umbral Eye #7", "12")})));
        rig.session.Own_race_name = "Vorlani";
        rig.prompter.shown.clear();
    }
    bool merge(const std::string& file, const std::string& bytes, MergeOptions options) {
        return ally.load_report(dir.write(file, bytes), options);
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (int r = 1; r <= rig.session.fleets.lastRow(); ++r) out.push_back(rig.session.fleets.cell(col::Name, r));
        return out;
    }
    static MergeOptions owner(const std::string& name, bool deleteMode = false, bool overwrite = false) {
        MergeOptions o;
        o.reportOwner = name;
        o.deleteMode = deleteMode;
        o.allowOverwrite = overwrite;
        return o;
    }
};

struct Game : ::testing::Test, World {};

}  // namespace

TEST_F(Game, AddsUnknownFleetsAndRecognisesKnownOnes) {
    // Kesh's report: its own fleets (the first one already known), and Umbral seen again.
    ASSERT_TRUE(merge("GAME.F3", report({line("Kesh Raider #5", "3", "Patrol"), line("Kesh Miner #6", "3", "Mine"),
                                         line("Umbral Eye #7", "12"), line("Vorlani Scout #1", "1")}),
                      owner("Kesh")));
    EXPECT_EQ(names(), (std::vector<std::string>{"Vorlani Scout #1", "Vorlani Hauler #2", "Kesh Raider #5",
                                                 "Umbral Eye #7", "Kesh Miner #6*"}));
    EXPECT_EQ(ally.lastStatus, "1 fleet(s) added out of 4 processed.");
    const Session& s = rig.session;
    EXPECT_EQ(s.main.caption, "GAME.MAP + GAME.F1 + GAME.F3");
    EXPECT_EQ(s.fleets.cell(col::Id, 5), "6");
    EXPECT_EQ(s.fleets.cell(col::UniqueName, 5), "Kesh Miner #6*");
    EXPECT_EQ(s.Fleet_index[17], (FleetIndexEntry{5, 5}));  // the appended part
    EXPECT_EQ(s.fleetsByPos.rowCount(), 6);
    EXPECT_NE(s.placeList1.indexOfCi("!Kesh Miner #6*"), -1);
    EXPECT_NE(s.mapFleetList.indexOfCi("Kesh Miner #6*"), -1);
    EXPECT_EQ(s.acceptedReportOwners, (std::vector<std::string>{"Kesh"}));

    // Loaded again: refused, since Kesh's fleets were accepted and are neither ignored nor deleted.
    EXPECT_FALSE(ally.may_load(owner("Kesh")));
    ASSERT_EQ(rig.prompter.shown.size(), 1u);
    EXPECT_EQ(rig.prompter.shown[0].text,
              "It is not allowed to load report more then once from the same report owner and accepting its fleet "
              "data.\rChoose \"ignore report owner' fleet\", \"delete current fleets of report owner\" or  change "
              "report owner.");
    EXPECT_TRUE(ally.may_load(owner("kesh", true)));
}

TEST_F(Game, AppendedFleetIsRecognisedByIdAndOwnerWord) {
    merge("A.F4", report({line("Kesh Miner #6", "3")}), owner("Ozmari"));
    ASSERT_EQ(names().back(), "Kesh Miner #6*");
    // The next report names it without the mark: same ID, same owner word.
    merge("B.F4", report({line("Kesh Miner #6", "3"), line("Kesh Other", "3"), line("Kesh Second", "3")}), owner("Ozmari2"));
    EXPECT_EQ(ally.counts.added, 2);  // fleets without an ID are told apart by name
    EXPECT_EQ(names().size(), 7u);
}

TEST_F(Game, IgnoredLinesWhereverTheyStand) {
    MergeOptions o = owner("Kesh");
    o.ignoreOwner = true;
    merge("GAME.F3", report({line("Kesh A", "3"), line("Vorlani New", "1"), line("Ozmari B", "4"), line("Kesh C", "3")}), o);
    EXPECT_EQ(ally.counts.processed, 4);
    EXPECT_EQ(ally.counts.added, 1);
    EXPECT_EQ(names().back(), "Ozmari B*");
    EXPECT_TRUE(rig.session.acceptedReportOwners.empty());  // the owner's fleets were ignored
}

TEST_F(Game, HeadingOnlyByItsFirstField) {
    const struct {
        std::string bytes;
        int processed, added;
    } cases[] = {
        {report({line("Ozmari A", "4")}, true), 1, 1},
        {report({line("Ozmari A", "4")}, false), 1, 1},
        {"Fleet Names\tX\r\n" + report({line("Ozmari A", "4")}, false), 2, 2},
        {"", 0, 0},
        {test::kFleetHeading + "\r\n", 0, 0},
        // Empty lines are no fleets, wherever they stand; a short line is one.
        {test::kFleetHeading + "\r\n\r\nOzmari Short #3\t1500\r\n", 1, 1},
        {report({line("Ozmari A", "4"), "", ""}, true), 1, 1},
        {"\n\n" + report({line("Ozmari A", "4")}, false), 1, 1},
        // CR-only line ends
        {test::kFleetHeading + "\r" + line("Ozmari A", "4") + "\r" + line("Ozmari B", "4") + "\r", 2, 2},
    };
    int k = 0;
    for (const auto& c : cases) {
        World w;
        w.ally.load_report(w.dir.write("X.F4", c.bytes), owner("Ozmari"));
        EXPECT_EQ(w.ally.counts.processed, c.processed) << ++k;
        EXPECT_EQ(w.ally.counts.added, c.added) << k;
        if (c.processed == 0) {
            EXPECT_EQ(w.ally.lastStatus, "0 fleet(s) added out of 0 processed.");
        }
    }
}

TEST_F(Game, DeleteModeReplacesTheOwnersFleetsAndKeepsTheAppendedPartInReach) {
    const std::string kesh = report({line("Kesh Raider #5", "3", "Patrol"), line("Kesh Miner #6", "3", "Mine")});
    merge("GAME.F3", kesh, owner("Kesh", true, true));
    EXPECT_EQ(ally.lastStatus, "1 fleet(s) deleted. 0 fleets replaced. 2 fleet(s) added out of 2 processed.");
    EXPECT_EQ(names(), (std::vector<std::string>{"Vorlani Scout #1", "Vorlani Hauler #2", "Umbral Eye #7",
                                                 "Kesh Raider #5*", "Kesh Miner #6*"}));
    EXPECT_EQ(rig.session.Fleet_index[3], FleetIndexEntry{});
    EXPECT_EQ(rig.session.Fleet_index[17], (FleetIndexEntry{4, 5}));

    // Twice: each of Kesh's fleets is there once.
    merge("GAME.F3", kesh, owner("Kesh", true, true));
    EXPECT_EQ(ally.lastStatus, "2 fleet(s) deleted. 0 fleets replaced. 2 fleet(s) added out of 2 processed.");
    EXPECT_EQ(names().size(), 5u);
    // A fleet appended afterwards is still found by the next merge.
    merge("U.F12", report({line("Umbral Eye #7", "12"), line("Umbral Far #8", "12")}), owner("Umbral"));
    merge("U2.F12", report({line("Umbral Far #8", "12")}), owner("Ozmari"));
    EXPECT_EQ(ally.counts.added, 0);
    const auto all = names();
    EXPECT_EQ(std::count(all.begin(), all.end(), "Umbral Far #8*"), 1);
}

TEST_F(Game, UpgradesOnlyRowsWithoutDetails) {
    merge("GAME.F12", report({line("Kesh Raider #5", "3", "", "80"), line("Umbral Eye #7", "12", "", "0")}),
          owner("Umbral", false, true));
    EXPECT_EQ(ally.counts.replaced, 1);
    EXPECT_EQ(rig.session.fleets.cell(col::Name, 3), "Kesh Raider #5(*)");
    EXPECT_EQ(rig.session.fleets.cell(17, 3), "80");
    EXPECT_EQ(rig.session.fleets.cell(col::UniqueName, 3), "Kesh Raider #5");
    EXPECT_EQ(rig.session.fleets.cell(17, 4), "0");  // the report owner's own rows are not upgraded
    EXPECT_EQ(ally.lastStatus, "1 fleets replaced. 0 fleet(s) added out of 2 processed.");
    EXPECT_EQ(rig.session.main.caption, "GAME.MAP + GAME.F1");  // nothing added

    // Its details are no longer all 0: no second upgrade; found again by ID and owner.
    merge("B.F4", report({line("Kesh Raider #5", "3", "", "99")}), owner("Ozmari", false, true));
    EXPECT_EQ(ally.counts.replaced, 0);
    EXPECT_EQ(ally.counts.added, 0);
}

TEST_F(Game, OwnersBlockIsSearchedBeforeTheTrailingPart) {
    // Kesh's fleet stands in its block and again in the trailing part (owners 1, 3, 12, 3).
    rig.reports.read(dir.write("TWICE.F1", report({line("Vorlani Scout #1", "1", "Scout"),
                                                             line("Kesh Raider #5", "3"), line("Umbral Eye #7", "12"),
                                                             line("Kesh Raider #5", "3")})));
    ASSERT_EQ(rig.session.Fleet_index[17], (FleetIndexEntry{4, 4}));
    merge("B.F12", report({line("Kesh Raider #5", "3", "", "70")}), owner("Umbral", false, true));
    EXPECT_EQ(ally.counts.replaced, 1);
    EXPECT_EQ(rig.session.fleets.cell(col::Name, 2), "Kesh Raider #5(*)");
    EXPECT_EQ(rig.session.fleets.cell(col::Name, 4), "Kesh Raider #5");
}

TEST_F(Game, NewPlayersAreRegisteredEachOne) {
    rig.session.Players[4].Color = 0;
    rig.session.Players[5].Color = 0;
    merge("GAME.F3", report({line("Ozmari A #1", "4"), line("Keltyx B #1", "5"), line("Nobody C", "21")}), owner("Kesh"));
    EXPECT_EQ(rig.session.Players[4].Name, "Ozmari");
    EXPECT_EQ(rig.session.Players[5].Name, "Keltyx");
    EXPECT_EQ(rig.session.Players[5].Number, 5);
    ASSERT_FALSE(rig.prompter.shown.empty());
    EXPECT_EQ(rig.prompter.shown.back().text,
              "One or more new players found in this report, whose colors have not been set yet. Please select its "
              "color (the player's color is black now.");
    EXPECT_EQ(rig.session.main.ownRaceItems.size(), 5u);
}

// What a merge may change, to compare two sessions.
void expect_same_data(const Session& a, const Session& b) {
    EXPECT_EQ(a.fleets.rows(), b.fleets.rows());
    EXPECT_EQ(a.fleetsByPos.rows(), b.fleetsByPos.rows());
    EXPECT_EQ(a.Fleet_index, b.Fleet_index);
    EXPECT_EQ(a.sortList, b.sortList);
    EXPECT_EQ(a.placeList1.items(), b.placeList1.items());
    EXPECT_EQ(a.mapFleetList.items(), b.mapFleetList.items());
    EXPECT_EQ(a.acceptedReportOwners, b.acceptedReportOwners);
    EXPECT_EQ(a.main.caption, b.main.caption);
    for (int p = 1; p <= kPlayers; ++p) EXPECT_EQ(a.Players[p].Name, b.Players[p].Name) << p;
}

TEST_F(Game, StoppedMergeChangesNothingAndTheNextOneWorks) {
    std::string tooMany = test::kFleetHeading + "\n";
    for (int k = 0; k < 65535; ++k) tooMany += line("Kesh New " + std::to_string(k), "3") + "\n";
    const struct {
        const char* what;
        std::string bytes;
        MergeOptions options;
        std::string message;
    } stops[] = {
        {"a detail that is no number, after the owner's rows were deleted",
         report({line("Kesh Raider #5", "3"), line("Umbral Eye #7", "12", "", std::string("x\0" "9", 3))}),
         owner("Kesh", true, true),
         "File \"BAD.F3\", line 3: 'x\\x009' is not a valid integer value\r"
         "The report \"BAD.F3\" was not merged; nothing has changed."},
        {"more rows than a table holds", tooMany, owner("Kesh", true),
         "The fleet table cannot hold the 65535 fleets of this report: a table holds at most 65535 rows.\r"
         "The report \"BAD.F3\" was not merged; nothing has changed."},
    };
    const std::string good = report({line("Kesh Raider #5", "3", "Patrol"), line("Kesh Miner #6", "3", "Mine")});
    World clean;
    ASSERT_TRUE(clean.merge("GOOD.F3", good, owner("Kesh", true)));
    for (const auto& stop : stops) {
        SCOPED_TRACE(stop.what);
        World w;
        const Session before = w.rig.session;
        try {
            w.merge("BAD.F3", stop.bytes, stop.options);
            ADD_FAILURE() << "merged";
        } catch (const MergeError& e) {
            EXPECT_EQ(std::string(e.what()), stop.message);
        }
        expect_same_data(w.rig.session, before);
        ASSERT_TRUE(w.merge("GOOD.F3", good, owner("Kesh", true)));
        expect_same_data(w.rig.session, clean.rig.session);
    }
}

TEST_F(Game, FleetWithoutIdIsKnownByNameInEveryMarkedForm) {
    // Kesh sees a new fleet without an ID; Ozmari sees it too, and so does a third ally.
    merge("A.F3", report({line("Tavrel Ghost", "5")}), owner("Kesh"));
    ASSERT_EQ(names().back(), "Tavrel Ghost*");
    merge("B.F4", report({line("Tavrel Ghost", "5", "", "40")}), owner("Ozmari", false, true));
    EXPECT_EQ(ally.counts.added, 0);
    EXPECT_EQ(ally.counts.replaced, 1);
    EXPECT_EQ(names().back(), "Tavrel Ghost*(*)");
    merge("C.F6", report({line("Tavrel Ghost", "5"), line("Tavrel Other", "5")}), owner("Keltyx"));
    EXPECT_EQ(ally.counts.added, 1);  // only the other one: never matched by the empty ID
    EXPECT_EQ(names().back(), "Tavrel Other*");
}

TEST_F(Game, DeletingAnUnknownOwner) {
    EXPECT_EQ(ally.delete_owner_fleets("Nobody"), 0);
    EXPECT_EQ(rig.prompter.shown.back().text, "No record of Nobody found. No record will be deleted.");
}
