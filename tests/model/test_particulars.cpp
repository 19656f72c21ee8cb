// The figures of the particulars window: one fleet, and the totals per owner
// of the fleets at one spot.

#include <gtest/gtest.h>

#include "model/particulars.h"
#include "support/recording_prompter.h"

using namespace trevanor;

namespace {

struct Row {
    std::string name, x, y, planet, dest, owner, task;
    std::string warp = "6", eta = "2y";
    std::string scan = "0", pen = "0", mining = "0", cargo = "0", fuel = "10", ships = "1", mass = "20";
};

struct Spot : ::testing::Test {
    Session s;
    test::RecordingPrompter prompter;
    FleetReportReader reports{s, prompter};

    Spot() {
        s.planets.setRowCount(2);
        s.planets.row(1) = {"1", "1500", "1500", "Aldris"};
        s.Players[1] = {"Vorlani", 1, 0x0000FF};
        s.Players[2] = {"Kesh", 2, 0x00FF00};
    }
    // The rows go to both fleet tables, in the order given.
    void rows(const std::vector<Row>& list) {
        for (TextTable* t : {&s.fleets, &s.fleetsByPos}) {
            t->setRowCount(static_cast<int>(list.size()) + 1);
            for (std::size_t i = 0; i < list.size(); ++i) {
                const Row& f = list[i];
                auto& row = t->row(static_cast<int>(i) + 1);
                row[col::Name] = row[col::UniqueName] = f.name;
                row[col::X] = f.x;
                row[col::Y] = f.y;
                row[col::Planet] = f.planet;
                row[col::Destination] = f.dest;
                row[col::Owner] = f.owner;
                row[col::Task] = f.task;
                row[col::Warp] = f.warp;
                row[col::Eta] = f.eta;
                row[col::Scan] = f.scan;
                row[col::PenScan] = f.pen;
                row[col::Mining] = f.mining;
                for (int c : {col::Ironium, col::Boranium, col::Germanium, col::Colonists}) row[c] = f.cargo;
                row[col::Fuel] = f.fuel;
                row[col::Ships] = f.ships;
                row[col::Mass] = f.mass;
                for (int c : {col::Sweep, col::Minelaying, col::Terraforming, col::Unarmed, col::Scout, col::Warship,
                              col::Utility, col::Bomber, col::Cloak})
                    row[c] = "0";
            }
        }
        s.Fleet_index = {};
        s.Fleet_index[1] = {1, static_cast<std::uint16_t>(list.size())};
    }
    FleetParticulars of(int r) { return read_fleet_particulars(s, r, reports, prompter); }
};

}  // namespace

TEST(CourseText, WholeDegreesHalvesAwayFromZeroThreeDigits) {
    const struct {
        std::int64_t dx, dy;
        const char* text;
    } cases[] = {{0, 1, "000"},    {1, 1, "045"},     {1, 0, "090"},   {0, -1, "180"},  {-1, 0, "270"},
                 {95, 1000, "005"}, {1000, -168, "100"}, {-7, 1000, "360"}, {0, 0, "--"}};
    for (const auto& c : cases) EXPECT_EQ(course_text(c.dx, c.dy), c.text) << c.dx << "," << c.dy;
}

TEST_F(Spot, OwnFleetCourseAndDistance) {
    rows({{"Vorlani Scout #1", "1200", "1200", "", "Space (1234, 1567)", "1", "Patrol", "11"},
          {"Vorlani Hauler #2", "1500", "1500", "Aldris", "Aldris", "1", "Transport"},
          {"Vorlani Chaser #3", "1300", "1300", "", "Hauler #2", "1", "Escort"}});
    FleetParticulars p = of(1);
    EXPECT_EQ(p.position, "space: 1200,1200");
    EXPECT_FALSE(p.atPlanet);
    EXPECT_EQ(p.warp, "SG");
    ASSERT_TRUE(p.details && p.details->more);
    EXPECT_EQ(p.details->course, course_text(34, 367));
    EXPECT_EQ(p.details->more->distanceHint, "Distance: 368.57 ly");
    EXPECT_EQ(p.details->more->destinationColor, 0u);
    EXPECT_TRUE(p.details->cargoShown);

    p = of(2);
    EXPECT_EQ(p.position, "Aldris");
    EXPECT_TRUE(p.atPlanet);
    EXPECT_EQ(p.positionHint, "X:1500,Y:1500");
    EXPECT_EQ(p.details->more->destinationColor, 0xFFFFFFu);
    EXPECT_EQ(p.details->course, "--");  // already there

    // A fleet named without its race word: found through the owner's race name.
    p = of(3);
    EXPECT_EQ(p.details->course, "045");
    EXPECT_EQ(p.details->more->destinationColor, 0x0000FFu);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(Spot, DamagedPositionAndUnknownDestinationStopWithTheirMessages) {
    rows({{"Vorlani A #1", "12x0", "1200", "", "Aldris", "1", "Patrol"},
          {"Vorlani B #2", "1200", "1200", "", "Nowhere", "1", "Patrol"}});
    FleetParticulars p = of(1);
    EXPECT_FALSE(p.details);
    EXPECT_EQ(prompter.shown.back().text, "Fleet file is corrupt at line 1at X and/or Y.");
    p = of(2);
    ASSERT_TRUE(p.details);
    EXPECT_EQ(p.details->course, "?");
    EXPECT_FALSE(p.details->fullEnabled);
    EXPECT_FALSE(p.details->more);
    EXPECT_EQ(prompter.shown.back().text, "Fleet report(s) does not match MAP file or the file(s) is corrupted.");
}

TEST_F(Spot, ForeignFleetsShowWhatTheScannersSaw) {
    Row complete{"Kesh Raider #5", "1200", "1200", "", "130.140", "2", ""};
    complete.scan = "150";
    Row plus = complete;
    plus.name = "Kesh+Raider #6";
    Row unseen{"Kesh Ghost #7", "1200", "1200", "", "127.127", "2", "", "0"};
    Row damaged{"Kesh Odd #8", "1200", "1200", "", "x.1", "2", ""};
    rows({complete, plus, unseen, damaged});
    const struct {
        int row;
        const char* scan;
        const char* cloak;
        const char* fullCaption;
        bool note;
        const char* course;
    } cases[] = {{1, "150", "0", "&Full", false, "013"},
                 {2, "150*", "?", "Mo&re", true, "013"},
                 {3, "0*", "?", "Mo&re", true, "--"},
                 {4, "0*", "?", "Mo&re", true, "?"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        const FleetParticulars p = of(c.row);
        ASSERT_TRUE(p.details && p.details->more);
        EXPECT_FALSE(p.details->cargoShown);
        EXPECT_EQ(p.details->more->scan, c.scan);
        EXPECT_EQ(p.details->more->cloak, c.cloak);
        EXPECT_EQ(p.details->more->fuel, "?");
        EXPECT_EQ(p.details->more->destination, "?");
        EXPECT_EQ(p.details->fullCaption, c.fullCaption);
        EXPECT_EQ(p.details->accuracyNote, c.note);
        EXPECT_EQ(p.details->course, c.course);
    }
    EXPECT_EQ(prompter.shown.back().text, "Fleet report file is corrupted!");
}

// An empty destination is repaired to "0.0", which means no move: the course
// shows "--" without a distance and without a second message. A foreign
// heading must be two numbers joined by ".".
TEST_F(Spot, DestinationsWithoutAMoveOrUnreadable) {
    const struct {
        const char* what;
        const char* dest;
        const char* task;
        const char* course;
        const char* message;  // the last message, or null for none
    } cases[] = {
        {"own, empty", "", "Patrol", "--", "Fleet report(s) has an error. At line of Vorlani A #1"},
        {"own, repaired", "0.0", "Patrol", "--", nullptr},
        {"foreign, empty", "", "", "--", "Fleet report(s) has an error. At line of Vorlani A #1"},
        {"foreign, repaired", "0.0", "", "--", nullptr},
        {"foreign, no dot", "130", "", "?", "Fleet report file is corrupted!"},
        {"foreign, second part no number", "130.x", "", "?", "Fleet report file is corrupted!"},
        {"foreign, heading", "130.140", "", "013", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        prompter.shown.clear();
        rows({{"Vorlani A #1", "1200", "1200", "", c.dest, "1", c.task}});
        const FleetParticulars p = of(1);
        ASSERT_TRUE(p.details && p.details->more);
        EXPECT_EQ(p.details->course, c.course);
        EXPECT_TRUE(p.details->fullEnabled);
        if (*c.task) {
            EXPECT_EQ(p.details->more->destination, "0.0");
            EXPECT_EQ(p.details->more->destinationColor, 0u);
            EXPECT_EQ(p.details->more->distanceHint, "");
        }
        if (c.message) {
            ASSERT_EQ(prompter.shown.size(), 1u);
            EXPECT_TRUE(prompter.shown[0].text.starts_with(c.message)) << prompter.shown[0].text;
        } else {
            EXPECT_TRUE(prompter.shown.empty());
        }
    }
}

// The game's words for destinations with nowhere to go, spelt exactly
// ("Salvage " and "-- " end in a blank); a word spelt otherwise is a place
// that no planet or fleet is, and so a mismatch.
TEST_F(Spot, SpecialDestinationsByTheirExactWords) {
    constexpr const char* kMismatch = "Fleet report(s) does not match MAP file or the file(s) is corrupted.";
    const struct {
        const char* dest;
        const char* course;
        const char* message;  // or null for none
    } cases[] = {
        {"Wormhole", "?", nullptr},       {"Salvage ", "?", nullptr},        {"Mystery Trader", "?", nullptr},
        {"-- ", "--", nullptr},           {"Salvage", "?", kMismatch},       {"Salvage  ", "?", kMismatch},
        {"--", "?", kMismatch},           {"wormhole", "?", kMismatch},      {"Mystery trader", "?", kMismatch},
        {" Wormhole", "?", kMismatch},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.dest + "\"");
        prompter.shown.clear();
        rows({{"Vorlani A #1", "1200", "1200", "", c.dest, "1", "Patrol"}});
        const FleetParticulars p = of(1);
        ASSERT_TRUE(p.details);
        EXPECT_EQ(p.details->course, c.course);
        EXPECT_EQ(p.details->fullEnabled, c.message == nullptr);
        if (c.message) {
            ASSERT_EQ(prompter.shown.size(), 1u);
            EXPECT_EQ(prompter.shown[0].text, c.message);
            continue;
        }
        EXPECT_TRUE(prompter.shown.empty());
        ASSERT_TRUE(p.details->more);
        EXPECT_EQ(p.details->more->destination, c.dest);
        EXPECT_EQ(p.details->more->destinationColor, 0u);
        EXPECT_EQ(p.details->more->distanceHint, "");
    }
}

TEST_F(Spot, GroupTotalsPerOwner) {
    Row own1{"Vorlani A #1", "1500", "1500", "Aldris", "Aldris", "1", "Patrol"};
    own1.scan = "150";
    own1.fuel = "100";
    own1.cargo = "5";
    Row own2 = own1;
    own2.name = "Vorlani B #2";
    own2.scan = "80";
    own2.mining = "7";
    Row kesh{"Kesh C #3", "1500", "1500", "Aldris", "127.127", "2", ""};
    kesh.pen = "30";
    rows({kesh, own1, own2});  // owners listed by number, whatever the row order
    MultiTotals totals = multifleet(s, 1, 3);
    EXPECT_EQ(group_owners(s, totals), (std::vector<std::string>{"Vorlani", "Kesh"}));

    GroupParticulars g = read_group_particulars(s, totals, "Vorlani");
    EXPECT_EQ(g.caption, "Fleets of Vorlani");
    EXPECT_EQ(g.fleets, "2");
    EXPECT_EQ(g.particularsCaption, "Full particulars");
    EXPECT_TRUE(g.cargoShown);
    EXPECT_EQ(g.totalCargo, "40");
    EXPECT_EQ(g.fuel, "200");
    EXPECT_EQ(g.scan, "150");  // the best, not the sum
    EXPECT_EQ(g.mining, "7");
    EXPECT_TRUE(g.drawEnabled);

    // A foreign fleet among them that shows a detail: full, without cargo.
    g = read_group_particulars(s, totals, "Kesh");
    EXPECT_EQ(g.particularsCaption, "Full particulars");
    EXPECT_FALSE(g.cargoShown);
    EXPECT_EQ(g.fuel, "?");
    EXPECT_EQ(g.penScan, "30");
    EXPECT_TRUE(g.note.empty());

    // One with a "+" in its name: partial, marked, with the note.
    s.fleetsByPos.setCell(col::Name, 1, "Kesh+C #3");
    totals = multifleet(s, 1, 3);
    g = read_group_particulars(s, totals, "Kesh");
    EXPECT_EQ(g.particularsCaption, "Partial particulars");
    EXPECT_EQ(g.penScan, "30*");
    EXPECT_FALSE(g.note.empty());

    // A summed cell that is no number stops the summing.
    s.fleetsByPos.setCell(col::Mass, 2, "12a");
    EXPECT_THROW(multifleet(s, 1, 3), std::exception);
}
