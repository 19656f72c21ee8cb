#include <gtest/gtest.h>

#include "model/identities.h"
#include "support/recording_prompter.h"

using namespace trevanor;

TEST(RetrieveFleetId, TakesTheNumberAfterTheLastHash) {
    const std::pair<const char*, const char*> cases[] = {
        {"Long Range Scout #12", "12"}, {"Scout #1#23", "23"}, {"Scout #1234", ""}, {"Scout #600", ""},
        {"Scout", ""}, {"Scout #", ""}, {"Scout #512", "512"}, {"Scout #513", ""}, {"Scout #007", "007"},
        {"Scout #-5", "-5"}, {"Scout # 7", ""}, {"Scout #7a", ""}, {"#1", "1"},
    };
    for (const auto& [name, id] : cases) EXPECT_EQ(retrieve_fleet_Id(name), id) << name;
}

namespace {

struct Row {
    std::string name, id, x = "1100", y = "1100", task = "Patrol", owner = "1", planet = "";
};

TextTable table_of(const std::vector<Row>& rows) {
    TextTable t(kFleetColumns);
    t.setCell(col::Id, 0, "ID #");
    t.setRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        const Row& row = rows[i];
        t.setCell(col::Name, r, row.name);
        t.setCell(col::Id, r, row.id);
        t.setCell(col::X, r, row.x);
        t.setCell(col::Y, r, row.y);
        t.setCell(col::Task, r, row.task);
        t.setCell(col::Owner, r, row.owner);
        t.setCell(col::Planet, r, row.planet);
        t.setCell(col::UniqueName, r, row.name);
    }
    return t;
}

std::vector<std::string> column(const TextTable& t, int c) {
    std::vector<std::string> out;
    for (int r = 1; r <= t.lastRow(); ++r) out.push_back(t.cell(c, r));
    return out;
}

// Own fleets with the given IDs ("" for none) named A#..., distinct names.
std::vector<Row> own_with_ids(const std::vector<std::string>& ids) {
    std::vector<Row> rows;
    for (std::size_t i = 0; i < ids.size(); ++i) rows.push_back({"Own F" + std::to_string(i), ids[i]});
    return rows;
}

}  // namespace

TEST(InterpolateIds, FillsGapsBetweenNumberedNeighbours) {
    using V = std::vector<std::string>;
    struct Case {
        const char* what;
        V ids, expected;
    };
    const Case cases[] = {
        {"gap of two between 4 and 7", {"1", "4", "", "", "7", "8"}, {"1", "4", "5", "6", "7", "8"}},
        {"8 - 4 is not 2", {"1", "4", "", "8", "9", "10"}, {"1", "4", "", "8", "9", "10"}},
        {"top of the block numbered by row", {"", "", "3", "4", "", "6"}, {"1", "2", "3", "4", "", "6"}},
        {"block of three examines no row", {"", "", "3"}, {"", "", "3"}},
        {"top rule needs the ID to equal the row", {"", "", "5", "6", "7", "8"}, {"", "", "5", "6", "7", "8"}},
        {"511 then none at the end gives 512", {"509", "510", "511", ""}, {"509", "510", "511", "512"}},
        {"no number above the gap", {"", "", "", "", "9", "10"}, {"", "", "", "", "9", "10"}},
        {"negative ID above a gap ends", {"1", "-5", "", "7", "8"}, {"1", "-5", "", "7", "8"}},
        {"zero ID above a gap ends", {"1", "0", "", "3", "4"}, {"1", "0", "", "3", "4"}},
        {"ID text is kept as found", {"001", "", "003", "4", "5"}, {"001", "2", "003", "4", "5"}},
    };
    for (const auto& c : cases) {
        TextTable t = table_of(own_with_ids(c.ids));
        test::RecordingPrompter prompter;
        interpole_id_and_unique_names(t, 1, t.lastRow(), prompter);
        EXPECT_EQ(column(t, col::Id), c.expected) << c.what;
        EXPECT_TRUE(prompter.shown.empty()) << c.what;
    }
}

TEST(InterpolateIds, WorksOnlyInsideTheOwnBlock) {
    // Foreign fleets (no task) above and below the own block stay untouched.
    std::vector<Row> rows = own_with_ids({"", "", "3", "", "", "6", ""});
    rows[0].task = "";
    rows[6].task = "";
    rows.push_back({"Foreign", "", "1100", "1100", "", "2"});
    TextTable t = table_of(rows);
    test::RecordingPrompter prompter;
    interpole_id_and_unique_names(t, 1, t.lastRow(), prompter);
    // Block is rows 2..6: ID 3 sits at row 3, so row 2 is numbered 2; 4, 5 fill between 3 and 6.
    EXPECT_EQ(column(t, col::Id), (std::vector<std::string>{"", "2", "3", "4", "5", "6", "", ""}));
    EXPECT_EQ(t.cell(col::Id, 0), "ID #");
}

TEST(InterpolateIds, NoOwnBlockChangesNothing) {
    std::vector<Row> rows = own_with_ids({"", "", ""});
    for (auto& r : rows) r.task = "";
    rows[0].name = rows[1].name = "Same";
    TextTable t = table_of(rows);
    const TextTable before = t;
    test::RecordingPrompter prompter;
    interpole_id_and_unique_names(t, 1, t.lastRow(), prompter);
    for (int r = 0; r <= t.lastRow(); ++r) EXPECT_EQ(t.row(r), before.row(r));
}

TEST(UniqueNames, SharedNamesGetIdOrPositionForms) {
    const std::vector<Row> rows = {
        {"Vor Scout", "9"},
        {"Vor Scout", "3"},
        {"Vor Miner", "", "1203", "1452"},
        {"vor miner", "", "1203", "1452"},  // differs only in case: same name
        {"Vor Miner", "", "1300", "1452"},
        {"Vor Lone", ""},
        {"Vor Miner", "12", "1203", "1452"},
    };
    TextTable t = table_of(rows);
    test::RecordingPrompter prompter;
    interpole_id_and_unique_names(t, 1, t.lastRow(), prompter);
    EXPECT_EQ(column(t, col::UniqueName), (std::vector<std::string>{
                                              "Vor Scout |#9|",
                                              "Vor Scout |#3|",
                                              "Vor Miner |1203,1452;1|",
                                              "vor miner |1203,1452;2|",
                                              "Vor Miner |1300,1452;1|",
                                              "Vor Lone",
                                              "Vor Miner |#12|",
                                          }));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST(UniqueNames, DuplicateIsReportedAndKept) {
    // Two fleets named alike with the same ID collide.
    TextTable t = table_of({{"Vor Scout #4", "4"}, {"vor scout #4", "4"}, {"Other", ""}});
    test::RecordingPrompter prompter;
    interpole_id_and_unique_names(t, 1, t.lastRow(), prompter);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].kind, "message");
    EXPECT_EQ(prompter.shown[0].text,
              "Duplicated fleet name found! Please report to the program author.\rvor scout #4 |#4|");
    EXPECT_EQ(t.cell(col::UniqueName, 1), "Vor Scout #4 |#4|");
}

TEST(Validate, ComparesFirstThreeFleetsAtPlanets) {
    TextTable planets(kPlanetColumns);
    planets.setRowCount(3);
    planets.row(1) = {"1", "1100", "1200", "Aldris"};
    planets.row(2) = {"2", "1300", "1400", "Bexa"};
    struct Case {
        const char* what;
        std::vector<Row> rows;
        int after;
        bool ok;
    };
    const Case cases[] = {
        {"all match", {{"a", "", "1100", "1200", "", "1", "Aldris"}, {"b", "", "1300", "1400", "", "1", "Bexa"}}, 0, true},
        {"unknown planet", {{"a", "", "1100", "1200", "", "1", "Nowhere"}}, 0, false},
        {"wrong position", {{"a", "", "1101", "1200", "", "1", "Aldris"}}, 0, false},
        {"deep space only", {{"a", "", "1", "2"}}, 0, true},
        {"only first four characters count", {{"a", "", "11009", "1200x", "", "1", "Aldris"}}, 0, true},
        {"stops after three matches",
         {{"a", "", "1100", "1200", "", "1", "Aldris"},
          {"b", "", "1100", "1200", "", "1", "Aldris"},
          {"c", "", "1300", "1400", "", "1", "Bexa"},
          {"d", "", "1", "1", "", "1", "Nowhere"}},
         0,
         true},
        {"rows up to `after` are not looked at", {{"a", "", "1", "1", "", "1", "Nowhere"}, {"b", "", "1300", "1400", "", "1", "Bexa"}}, 1, true},
        {"planet names compare exactly", {{"a", "", "1100", "1200", "", "1", "aldris"}}, 0, false},
    };
    for (const auto& c : cases) EXPECT_EQ(validate_fleet_vs_planets(table_of(c.rows), planets, c.after), c.ok) << c.what;
}

TEST(FleetIndex, BlocksAndTrailingPart) {
    using E = FleetIndexEntry;
    struct Case {
        const char* what;
        std::vector<std::string> owners;
        std::vector<std::pair<int, E>> expected;  // entries that must be set; others stay 0,0
    };
    const Case cases[] = {
        {"1 1 3 3 2", {"1", "1", "3", "3", "2"}, {{1, {1, 2}}, {3, {3, 4}}, {17, {5, 5}}}},
        {"ascending only", {"2", "2", "5"}, {{2, {1, 2}}, {5, {3, 3}}}},
        {"own block first", {"3", "1", "2", "2"}, {{3, {1, 1}}, {17, {2, 4}}}},
        {"bad owners skipped", {"1", "x", "", "0", "17", "2"}, {{1, {1, 5}}, {2, {6, 6}}}},
        {"empty table", {""}, {}},
    };
    for (const auto& c : cases) {
        std::vector<Row> rows;
        for (const auto& o : c.owners) rows.push_back({"n", "", "1", "1", "", o});
        FleetIndex index{};
        index_fleet_gr(table_of(rows), index);
        FleetIndex expected{};
        for (const auto& [e, v] : c.expected) expected[static_cast<std::size_t>(e)] = v;
        for (int e = 1; e <= 17; ++e)
            EXPECT_EQ(index[static_cast<std::size_t>(e)], expected[static_cast<std::size_t>(e)]) << c.what << " entry " << e;
    }
}

TEST(FleetIndex, EntriesNotSetKeepTheirValues) {
    FleetIndex index{};
    index[4] = {7, 9};
    index[17] = {10, 12};
    index_fleet_gr(table_of({{"a", "", "1", "1", "", "1"}, {"b", "", "1", "1", "", "2"}}), index);
    EXPECT_EQ(index[4], (FleetIndexEntry{7, 9}));
    EXPECT_EQ(index[17], (FleetIndexEntry{10, 12}));
    EXPECT_EQ(index[1], (FleetIndexEntry{1, 1}));
    EXPECT_EQ(index[2], (FleetIndexEntry{2, 2}));
}
