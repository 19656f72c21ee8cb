// What moved since an earlier year: the earlier year read beside the open
// game, and its fleets matched with the open game's.

#include <gtest/gtest.h>

#include "model/movement.h"
#include "test_support.h"

using namespace trevanor;

namespace {

const std::string kMap = "#\tX\tY\tName\r\n1\t1100\t1100\tAldris\r\n2\t1500\t1500\tBexa\r\n";

std::string report(const std::vector<std::tuple<std::string, std::string, std::string, std::string>>& fleets) {
    std::string text = test::kFleetHeading + "\r\n";
    for (const auto& [name, x, y, owner] : fleets)
        text += test::fleet_line({{0, name}, {1, x}, {2, y}, {4, "0.0"}, {12, owner}}) + "\r\n";
    return text;
}

struct Years : ::testing::Test {
    test::ScratchDir dir;
    test::Rig rig;
    const std::string map = dir.write("GAME.MAP", kMap);
    Years() { rig.commands.read_MAP_file(map); }
    void now(const std::string& text) { rig.reports.read(dir.write("GAME.F1", text)); }
    std::unique_ptr<EarlierYear> before(const std::string& text, const std::string& file = "GAME-1.F1") {
        return EarlierYear::read({map, dir.write(file, text), {}, "", {}}, rig.prompter);
    }
};

}  // namespace

// The same fleet by owner word and ID, whatever its name and row; fleets
// without an ID by their unique names, the merge's marks aside.
TEST_F(Years, FleetsMatchAcrossYears) {
    now(report({{"Vorlani Scout #1", "1130", "1140", "1"},
                {"Vorlani Hauler #2", "1500", "1500", "1"},
                {"Vorlani Lancer #3", "1200", "1200", "1"},
                {"Kesh Raider #5", "1300", "1300", "2"},
                {"Umbral Eye*", "1400", "1400", "3"}}));
    YearComparison c;
    c.set(before(report({{"Kesh Renamed Wing #5", "1300", "1290", "2"},
                         {"Umbral Eye", "1400", "1400", "3"},
                         {"Kesh Ghost #9", "1600", "1600", "2"},
                         {"Vorlani Hauler #2", "1500", "1500", "1"},
                         {"Vorlani Scout #1", "1100", "1100", "1"}})));
    ASSERT_TRUE(c.active());
    EXPECT_EQ(c.earlier()->name(), "GAME-1.F1");
    const struct {
        const char* name;
        MoveStatus status;
        double distance;
    } want[] = {{"Vorlani Scout #1", MoveStatus::Moved, 50},   {"Vorlani Lancer #3", MoveStatus::New, 0},
                {"Kesh Raider #5", MoveStatus::Moved, 10},     {"Umbral Eye*", MoveStatus::Still, 0},
                {"Vorlani Hauler #2", MoveStatus::Still, 0},   {"Kesh Ghost #9", MoveStatus::Gone, 0}};
    const std::vector<FleetMove>& moves = c.moves(rig.session);
    ASSERT_EQ(moves.size(), std::size(want));
    for (const auto& w : want) {
        SCOPED_TRACE(w.name);
        const auto it = std::find_if(moves.begin(), moves.end(), [&](const FleetMove& m) { return m.uniqueName == w.name; });
        ASSERT_NE(it, moves.end());
        EXPECT_EQ(it->status, w.status);
        EXPECT_DOUBLE_EQ(it->distance, w.distance);
        EXPECT_EQ(it->hasCurrent(), w.status != MoveStatus::Gone);
    }
    // The open game's fleets in position order, then the gone ones.
    for (std::size_t i = 1; i + 1 < moves.size(); ++i) EXPECT_LT(moves[i - 1].currentRow, moves[i].currentRow);
    EXPECT_EQ(moves.back().status, MoveStatus::Gone);
    EXPECT_EQ(move_text(*c.move_of(rig.session, "Vorlani Scout #1"), "GAME-1.F1"), "moved 50.0 ly since GAME-1.F1");
    EXPECT_EQ(move_text(*c.move_of(rig.session, "Vorlani Lancer #3"), "GAME-1.F1"), "new since GAME-1.F1");
    EXPECT_EQ(c.gone_at(rig.session, 1600, 1600).size(), 1u);
}

// Two fleets of one name without IDs pair in their order; the marks of a
// merge ("(*)", a trailing "*") do not part a fleet from itself.
TEST(PlainName, MarksOfTheMergeAside) {
    const struct {
        const char* name;
        const char* plain;
    } cases[] = {{"Umbral Eye*", "Umbral Eye"}, {"Kesh Scout(*)", "Kesh Scout"}, {"Kesh (*)Scout #2*", "Kesh Scout #2"},
                 {"Vorlani Scout", "Vorlani Scout"}, {"*", ""}};
    for (const auto& c : cases) EXPECT_EQ(plain_name(c.name), c.plain) << c.name;
}

// The comparison follows the open game's tables as they change.
TEST_F(Years, MovesFollowTheOpenGame) {
    now(report({{"Vorlani Scout #1", "1100", "1100", "1"}}));
    YearComparison c;
    c.set(before(report({{"Vorlani Scout #1", "1100", "1100", "1"}})));
    const std::uint64_t first = c.generation(rig.session);
    EXPECT_EQ(c.moves(rig.session)[0].status, MoveStatus::Still);
    now(report({{"Vorlani Scout #1", "1103", "1104", "1"}}));
    EXPECT_NE(c.generation(rig.session), first);
    EXPECT_EQ(c.moves(rig.session)[0].status, MoveStatus::Moved);
    EXPECT_DOUBLE_EQ(c.moves(rig.session)[0].distance, 5);
}

// A file that is no fleet report, or an ally's report that is refused (it
// is not there), makes no earlier year: the one held stays.
TEST_F(Years, AFailedReadLeavesTheEarlierYearHeld) {
    now(report({{"Vorlani Scout #1", "1100", "1100", "1"}}));
    YearComparison c;
    c.set(before(report({{"Vorlani Scout #1", "1000", "1100", "1"}})));
    EXPECT_THROW(c.set(before(kMap, "NOT_A_REPORT.F1")), std::runtime_error);
    const std::string missingAlly = dir.path("GAME-1.F7");
    EXPECT_THROW(c.set(EarlierYear::read({map, dir.path("GAME-1.F1"), {{missingAlly, {"Kesh"}}}, "", {}}, rig.prompter)),
                 std::runtime_error);
    ASSERT_TRUE(c.active());
    EXPECT_EQ(c.earlier()->name(), "GAME-1.F1");
    EXPECT_EQ(c.moves(rig.session)[0].status, MoveStatus::Moved);
    // The open game is as it was.
    EXPECT_EQ(rig.session.fleets.cell(col::X, 1), "1100");
}

namespace {

// A fleet as the pairing tests give it: name, X, Y (owner 2).
struct At {
    const char* name;
    const char* x;
    const char* y;
};

std::string report_of(const std::vector<At>& fleets) {
    std::vector<std::tuple<std::string, std::string, std::string, std::string>> rows;
    for (const At& f : fleets) rows.emplace_back(f.name, f.x, f.y, "2");
    return report(rows);
}

// Each move as "status X,Y from X,Y", with " by name" for a pair made by name.
std::vector<std::string> pairs_of(const std::vector<FleetMove>& moves) {
    std::vector<std::string> out;
    for (const FleetMove& m : moves) {
        std::string line = status_word(m.status);
        if (m.hasCurrent()) line += ' ' + std::to_string(m.currentX) + ',' + std::to_string(m.currentY);
        if (m.hasEarlier()) line += " from " + std::to_string(m.earlierX) + ',' + std::to_string(m.earlierY);
        if (m.byName) line += " by name";
        out.push_back(line);
    }
    return out;
}

}  // namespace

// Fleets sharing an ID pair the closest first, however far; fleets sharing a
// name make the most pairs within 100 ly a turn, at the least total
// distance. Ties go to the earlier fleet in the open game's position order,
// then in the earlier year's; the rest are new or gone.
TEST_F(Years, FleetsOfOneKeyPair) {
    const struct {
        const char* what;
        std::vector<At> before, now;
        std::vector<std::string> want;
        int turns = 1;
    } cases[] = {
        {"one stood where it is now",
         {{"Kesh Lancer", "1100", "1100"}, {"Kesh Lancer", "1500", "1500"}},
         {{"Kesh Lancer", "1500", "1500"}},
         {"still 1500,1500 from 1500,1500 by name", "gone from 1100,1100"}},
        {"an ID: the closest pair of the group first, however far",
         {{"Kesh Raider #5", "1190", "1100"}, {"Kesh Wing #5", "1500", "1100"}},
         {{"Kesh Raider #5", "1100", "1100"}, {"Kesh Wing #5", "1200", "1100"}},
         {"moved 1100,1100 from 1500,1100", "moved 1200,1100 from 1190,1100"}},
        {"a name: the least total distance, not the closest pair first",
         {{"Kesh Lancer", "1190", "1100"}, {"Kesh Lancer", "1500", "1100"}},
         {{"Kesh Lancer", "1100", "1100"}, {"Kesh Lancer", "1200", "1100"}},
         {"moved 1100,1100 from 1190,1100 by name", "moved 1200,1100 from 1500,1100 by name"}, 4},
        {"a name: the most pairs within the limit, not the closest first",
         {{"Kesh Lancer", "1181", "1100"}, {"Kesh Lancer", "1300", "1100"}},
         {{"Kesh Lancer", "1100", "1100"}, {"Kesh Lancer", "1200", "1100"}},
         {"moved 1100,1100 from 1181,1100 by name", "moved 1200,1100 from 1300,1100 by name"}},
        {"a name: 100 ly a turn at most",
         {{"Kesh Lancer", "1100", "1100"}, {"Kesh Lancer", "1500", "1500"}},
         {{"Kesh Lancer", "1160", "1180"}, {"Kesh Lancer", "1500", "1601"}},
         {"moved 1160,1180 from 1100,1100 by name", "new 1500,1601", "gone from 1500,1500"}},
        {"a name: 100 ly for each turn between",
         {{"Kesh Lancer", "1100", "1100"}, {"Kesh Lancer", "1500", "1500"}},
         {{"Kesh Lancer", "1160", "1180"}, {"Kesh Lancer", "1500", "1601"}},
         {"moved 1160,1180 from 1100,1100 by name", "moved 1500,1601 from 1500,1500 by name"}, 2},
        {"a tie: the earlier of the open game",
         {{"Kesh Lancer", "1200", "1100"}},
         {{"Kesh Lancer", "1100", "1100"}, {"Kesh Lancer", "1300", "1100"}},
         {"moved 1100,1100 from 1200,1100 by name", "new 1300,1100"}},
        {"a tie: the earlier of the earlier year",
         {{"Kesh Lancer", "1100", "1100"}, {"Kesh Lancer", "1300", "1100"}},
         {{"Kesh Lancer", "1200", "1100"}},
         {"moved 1200,1100 from 1100,1100 by name", "gone from 1300,1100"}},
        {"an ID shared by two earlier fleets",
         {{"Kesh Raider #5", "1100", "1100"}, {"Kesh Wing #5", "1300", "1310"}},
         {{"Kesh Raider #5", "1300", "1300"}},
         {"moved 1300,1300 from 1300,1310", "gone from 1100,1100"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        now(report_of(c.now));
        const std::unique_ptr<EarlierYear> year = before(report_of(c.before));
        EXPECT_EQ(pairs_of(compare_years(rig.session, year->session(), c.turns)), c.want);
    }
}

// The comparison held weighs pairs by name over the turns it was given.
TEST_F(Years, TheComparisonKeepsTheTurnsBetween) {
    now(report_of({{"Kesh Lancer", "1250", "1100"}}));
    YearComparison c;
    c.set(before(report_of({{"Kesh Lancer", "1100", "1100"}})));
    EXPECT_EQ(pairs_of(c.moves(rig.session)), (std::vector<std::string>{"new 1250,1100", "gone from 1100,1100"}));
    c.set(before(report_of({{"Kesh Lancer", "1100", "1100"}})), 2);
    EXPECT_EQ(pairs_of(c.moves(rig.session)), std::vector<std::string>{"moved 1250,1100 from 1100,1100 by name"});
}

// A part of a name group too large to solve as an assignment pairs closest
// first, within the limit.
TEST_F(Years, ALargePartPairsClosestFirst) {
    std::vector<std::string> xs;
    for (int k = 0; k <= 400; ++k) xs.push_back(std::to_string(1100 + k));
    std::vector<At> fleets;
    for (const std::string& x : xs) fleets.push_back({"Kesh Lancer", x.c_str(), "1100"});
    now(report_of(fleets));
    fleets.push_back({"Kesh Lancer", "1100", "1300"});
    const std::unique_ptr<EarlierYear> year = before(report_of(fleets));
    const std::vector<FleetMove> moves = compare_years(rig.session, year->session());
    ASSERT_EQ(moves.size(), xs.size() + 1);
    for (std::size_t k = 0; k < xs.size(); ++k) EXPECT_EQ(moves[k].status, MoveStatus::Still) << xs[k];
    EXPECT_EQ(moves.back().status, MoveStatus::Gone);
}

// A pair made by name alone says so; one made by ID, a new and a gone fleet do not.
TEST(MoveText, APairByNameSaysSo) {
    FleetMove m;
    m.status = MoveStatus::Moved;
    m.distance = 12.34;
    m.byName = true;
    EXPECT_EQ(move_text(m, "G-1.F1"), "moved 12.3 ly since G-1.F1 (by name)");
    m.status = MoveStatus::Still;
    EXPECT_EQ(move_text(m, "G-1.F1"), "still since G-1.F1 (by name)");
    m.byName = false;
    EXPECT_EQ(move_text(m, "G-1.F1"), "still since G-1.F1");
}
