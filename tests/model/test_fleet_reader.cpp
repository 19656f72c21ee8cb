#include <gtest/gtest.h>

#include <algorithm>

#include "model/errors.h"
#include "model/position_order.h"
#include "model/numbers.h"
#include "model/text.h"
#include "test_support.h"

using namespace trevanor;
using test::fleet_line;
using test::Rig;
using test::ScratchDir;

namespace {

const std::string kMap = "#\tX\tY\tName\r\n1\t1100\t1200\tAldris\r\n2\t1300\t1400\tBexa\r\n";

struct Loaded {
    ScratchDir dir;
    Rig rig;
    Loaded(const std::string& reportBytes, const std::string& reportName = "GAME.F1") {
        rig.commands.read_MAP_file(dir.write("GAME.MAP", kMap));
        rig.reports.read(dir.write(reportName, reportBytes));
    }
    const Session& s() const { return rig.session; }
};

std::string report(const std::vector<std::string>& lines, const std::string& heading = test::kFleetHeading) {
    std::string out = heading + "\r\n";
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

std::string own(const std::string& name, const std::string& x, const std::string& y, const std::string& planet = "",
                const std::string& owner = "1") {
    return fleet_line({{0, name}, {1, x}, {2, y}, {3, planet}, {4, "Bexa"}, {12, owner}, {19, "Patrol"}});
}
std::string foreign(const std::string& name, const std::string& x, const std::string& y, const std::string& owner) {
    return fleet_line({{0, name}, {1, x}, {2, y}, {4, "130.120"}, {12, owner}});
}

std::vector<std::string> column(const TextTable& t, int c) {
    std::vector<std::string> out;
    for (int r = 1; r <= t.lastRow(); ++r) out.push_back(t.cell(c, r));
    return out;
}

}  // namespace

TEST(ReadFleets, HeadingLineIsCutTwentyNineTimes) {
    struct Case {
        const char* what;
        int headings;
        std::string h27, h28;
    };
    const Case cases[] = {
        {"29 headings", 29, "h27", "h28"},
        {"30 headings: the 30th lands in column 28", 30, "h27", "h29"},
        {"32 headings: the rest after the 29th TAB", 32, "h27", "h29\th30\th31"},
        {"5 headings: the last one lands in column 28", 5, "", "h4"},
    };
    for (const auto& c : cases) {
        std::string heading;
        for (int k = 0; k < c.headings; ++k) heading += k ? "\th" + std::to_string(k) : std::string("Fleet Name");
        Loaded l(report({own("Vor A #1", "1100", "1200")}, heading));
        EXPECT_EQ(l.s().fleets.cell(27, 0), c.h27) << c.what;
        EXPECT_EQ(l.s().fleets.cell(28, 0), c.h28) << c.what;
        EXPECT_EQ(l.s().fleets.cell(29, 0), "ID #") << c.what;
        EXPECT_EQ(l.s().fleets.cell(30, 0), "Unique name") << c.what;
        EXPECT_EQ(l.s().fleetsByPos.row(0), l.s().fleets.row(0)) << c.what;
    }
}

TEST(ReadFleets, FillsTablesListsPlayersAndIndex) {
    Loaded l(report({
        own("Vorlani Scout #1", "1300", "1400", "Bexa"),
        own("Vorlani Far Seeker", "1100", "1200", "Aldris"),
        own("Vorlani Scout #3", "1100", "1200", "Aldris"),
        foreign("Kesh Raider #4", "1100", "1200", "3"),
        foreign("Kesh Raider #9", "1500", "1500", "3"),
        foreign("Umbral Eye #2", "1200", "1200", "2"),
    }));
    const Session& s = l.s();
    EXPECT_EQ(s.main.caption, "GAME.MAP + GAME.F1");
    EXPECT_TRUE(s.main.FleetStatistics1.enabled);
    EXPECT_EQ(s.First_report_path, l.dir.path("GAME.F1"));
    // An own block of three rows is too short for filling gaps.
    EXPECT_EQ(column(s.fleets, col::Id), (std::vector<std::string>{"1", "", "3", "4", "9", "2"}));
    EXPECT_EQ(s.fleets.cell(col::UniqueName, 2), "Vorlani Far Seeker");
    // Position order: X, then Y, then planet and the rest.
    EXPECT_EQ(column(s.fleetsByPos, col::Name),
              (std::vector<std::string>{"Kesh Raider #4", "Vorlani Far Seeker", "Vorlani Scout #3", "Umbral Eye #2",
                                        "Vorlani Scout #1", "Kesh Raider #9"}));
    EXPECT_EQ(s.sortList, (std::vector<int>{4, 2, 3, 6, 1, 5}));
    const std::string key = position_key(s.fleets.row(4));
    EXPECT_EQ(key.substr(0, 10), "1100\t1200\t");
    EXPECT_EQ(key.substr(key.size() - 15), "\tKesh Raider #4");
    EXPECT_EQ(s.placeList1.items().front(), " unknown");
    EXPECT_NE(s.placeList1.indexOfCi("!vorlani far seeker"), -1);
    EXPECT_EQ(s.mapFleetList.items().front(), "Kesh Raider #4");
    EXPECT_EQ(s.Players[1].Name, "Vorlani");
    EXPECT_EQ(s.Players[3].Name, "Kesh");
    EXPECT_EQ(s.Players[2].Name, "Umbral");
    EXPECT_EQ(s.Players[2].Number, 2);
    EXPECT_EQ(s.Players[4].Name, "");
    EXPECT_EQ(s.Players[4].Number, 0);
    EXPECT_EQ(s.Fleet_index[1], (FleetIndexEntry{1, 3}));
    EXPECT_EQ(s.Fleet_index[3], (FleetIndexEntry{4, 5}));
    EXPECT_EQ(s.Fleet_index[17], (FleetIndexEntry{6, 6}));
    EXPECT_TRUE(l.rig.prompter.shown.empty());
}

TEST(ReadFleets, PositionTableHoldsExactCopiesInStableOrder) {
    const std::string longName = "Vorlani " + std::string(300, 'n');
    std::string surplus = fleet_line({{0, "Vorlani Cargo #5"}, {1, "1100"}, {2, "1200"}, {12, "1"}, {19, "Move"}});
    surplus += "\textra1\textra2";  // field 28 keeps the surplus with its TABs
    Loaded l(report({
        fleet_line({{0, "Vorlani Twin"}, {1, "1100"}, {2, "1200"}, {12, "1"}, {19, "Patrol"}}),
        fleet_line({{0, "Vorlani Twin"}, {1, "1100"}, {2, "1200"}, {12, "1"}, {19, "Patrol"}}),
        surplus,
        fleet_line({{0, longName}, {1, "1000"}, {2, "1000"}, {12, "1"}, {19, "Patrol"}}),
    }));
    const Session& s = l.s();
    EXPECT_EQ(s.fleets.cell(28, 3), "\textra1\textra2");
    EXPECT_EQ(s.fleets.cell(col::Name, 4).size(), 255u);
    ASSERT_EQ(s.fleetsByPos.rowCount(), 5);
    for (int r = 1; r <= 4; ++r) {
        bool found = false;
        for (int f = 1; f <= 4; ++f) found = found || s.fleetsByPos.row(r) == s.fleets.row(f);
        EXPECT_TRUE(found) << "row " << r << " is a copy of a fleet row";
    }
    EXPECT_EQ(s.fleetsByPos.cell(col::Name, 1).size(), 255u);
    // The twins without IDs share a position: counters 1 and 2 in table order.
    EXPECT_EQ(s.fleets.cell(col::UniqueName, 1), "Vorlani Twin |1100,1200;1|");
    EXPECT_EQ(s.fleets.cell(col::UniqueName, 2), "Vorlani Twin |1100,1200;2|");
}

TEST(ReadFleets, PlayerNamesFromFirstWords) {
    const std::string longTail(50, 'x');
    Loaded l(report({
        own("Vorlani " + longTail + "yz", "1100", "1200"),  // 45 characters from the blank are removed
        foreign("Scout", "1100", "1200", "2"),                // no blank: the whole name
        foreign("Kesh A", "1100", "1200", "not a number"),    // no player for this row
        foreign("Kesh B", "1100", "1200", "5"),               // same word as the row before: skipped
        foreign("Abcdefghijklmnopqrstuvwxyz0123456789 x", "1100", "1200", "17"),
        foreign("Abcdefghijklmnopqrstuvwxyz0123456789 x", "1100", "1200", "6"),
    }));
    const Session& s = l.s();
    EXPECT_EQ(s.Players[1].Name, "Vorlani" + std::string(6, 'x') + "yz");
    EXPECT_EQ(s.Players[2].Name, "Scout");
    EXPECT_EQ(s.Players[5].Name, "");
    EXPECT_EQ(s.Players[6].Name, "");  // its word equals the row before
    EXPECT_EQ(s.Fleet_index[2], (FleetIndexEntry{2, 3}));
}

TEST(ReadFleets, NameOfThirtyCharactersAtMost) {
    Loaded l(report({own("Abcdefghijklmnopqrstuvwxyz0123456789 #1", "1100", "1200")}));
    EXPECT_EQ(l.s().Players[1].Name, "Abcdefghijklmnopqrstuvwxyz0123");
}

TEST(ReadFleets, ReportNotMatchingTheMapWarnsAndKeepsTheData) {
    Loaded l(report({own("Vor A #1", "1101", "1200", "Aldris")}));
    ASSERT_EQ(l.rig.prompter.shown.size(), 1u);
    EXPECT_EQ(l.rig.prompter.shown[0], (test::RecordingPrompter::Shown{"warning", "Fleet file does not seem to match MAP file!"}));
    EXPECT_EQ(l.s().Fleet_index[1], (FleetIndexEntry{1, 1}));
}

TEST(ReadFleets, HeadingOnlyReport) {
    Loaded l(report({}));
    const Session& s = l.s();
    EXPECT_EQ(s.fleets.rowCount(), 2);
    EXPECT_EQ(s.fleetsByPos.rowCount(), 2);
    EXPECT_EQ(s.fleetsByPos.cell(col::Name, 1), "");
    EXPECT_NE(s.placeList1.indexOfCi("!"), -1);
    EXPECT_EQ(s.mapFleetList.items(), (std::vector<std::string>{""}));
    for (int p = 1; p <= 16; ++p) EXPECT_EQ(s.Players[static_cast<std::size_t>(p)].Name, "");
    for (int e = 1; e <= 17; ++e) EXPECT_EQ(s.Fleet_index[static_cast<std::size_t>(e)], FleetIndexEntry{});
}

TEST(ReadFleets, DamagedReportsNeverBreakTheSession) {
    struct Case {
        const char* what;
        std::string bytes;
        int rowCount;
    };
    const std::string megabyteLine = fleet_line({{0, "Vor Big #1"}, {1, "1100"}, {2, "1200"}, {12, "1"}, {19, "X"}}) +
                                     std::string(1 << 20, 'z');
    const Case cases[] = {
        {"CR-only line ends", "Fleet Name\tX\rVor A #1\t1100\rVor B #2\t1100\r", 3},
        {"LF-only line ends", "Fleet Name\tX\nVor A #1\t1100\t1200\nVor B #2\t1100\t1200\n", 3},
        {"NUL bytes", std::string("Fleet Name\tX\nVor\0A #1\t11\0\t1200\n", 31), 2},
        {"megabyte line", "Fleet Name\tX\r\n" + megabyteLine + "\r\n", 2},
        {"short and empty lines", "Fleet Name\tX\n\nVor A\n\t\t\n", 4},
        {"non-numeric owner and coordinates", "Fleet Name\tX\nVor A #1\tx\ty\t\t\t\t\t\t\t\t\t\tq\n", 2},
    };
    for (const auto& c : cases) {
        Loaded l(c.bytes);
        const Session& s = l.s();
        EXPECT_EQ(s.fleets.rowCount(), c.rowCount) << c.what;
        EXPECT_EQ(s.fleetsByPos.rowCount(), c.rowCount) << c.what;
        EXPECT_EQ(s.main.caption, "GAME.MAP + GAME.F1") << c.what;
    }
}

TEST(ReadFleets, FileThatIsNoReportIsRefusedAndChangesNothing) {
    const std::string kNotReports[] = {"", "#\tX\tY\tName\r\n1\t1100\t1200\tAldris\r\n", "Fleet Name\r\n",
                                       "fleet name\tX\r\n", "\r\nFleet Name\tX\r\n"};
    for (const auto& bytes : kNotReports) {
        SCOPED_TRACE(bytes);
        Loaded l(report({own("Vor A #1", "1100", "1200")}));
        const Session before = l.s();
        try {
            l.rig.reports.read(l.dir.write("OTHER.F2", bytes));
            FAIL() << "accepted";
        } catch (const FileError& e) {
            EXPECT_EQ(std::string(e.what()), "File \"" + l.dir.path("OTHER.F2") +
                                                 "\" is not a fleet report: its first line does not begin with "
                                                 "\"Fleet Name\". Nothing was read.");
        }
        EXPECT_EQ(l.s().fleets.rows(), before.fleets.rows());
        EXPECT_EQ(l.s().main.caption, before.main.caption);
        EXPECT_EQ(l.s().First_report_path, before.First_report_path);
    }
}

TEST(ReadFleets, TooManyLinesStopsBeforeOrderingAndIndex) {
    std::string big = test::kFleetHeading + "\n";
    const std::string line = own("Vor A #1", "1100", "1200") + "\n";
    for (int k = 0; k < 65535; ++k) big += line;
    ScratchDir dir;
    Rig rig;
    rig.commands.read_MAP_file(dir.write("GAME.MAP", kMap));
    EXPECT_THROW(rig.reports.read(dir.write("GAME.F1", big)), TableLimitError);
    EXPECT_EQ(rig.session.fleets.rowCount(), 65535);
    EXPECT_EQ(rig.session.fleetsByPos.rowCount(), 2);
    EXPECT_EQ(rig.session.main.caption, "GAME.MAP");
    EXPECT_EQ(rig.session.First_report_path, "");

    // A second try with a proper report starts from empty tables.
    rig.reports.read(dir.write("GAME.F2", report({own("Vor A #1", "1100", "1200")})));
    EXPECT_EQ(rig.session.fleets.rowCount(), 2);
    EXPECT_EQ(rig.session.fleetsByPos.rowCount(), 2);
}

TEST(ReadFleets, MissingFile) {
    ScratchDir dir;
    Rig rig;
    EXPECT_THROW(rig.reports.read(dir.path("NONE.F1")), FileError);
    EXPECT_EQ(rig.session.First_report_path, "");
    EXPECT_FALSE(rig.session.main.FleetStatistics1.enabled);
}

TEST(FixEmptyDestination, RepairsBothTablesAndExplains) {
    auto line = [](const std::string& name, const std::string& x, const std::string& dest) {
        return fleet_line({{0, name}, {1, x}, {2, "1200"}, {4, dest}, {12, "1"}, {19, "Patrol"}});
    };
    Loaded l(report({line("Vor A #1", "1500", "Bexa"), line("Vor B #2", "1400", "Bexa"), line("Vor C #3", "1100", "")}));
    l.rig.reports.fix_empty_destination("Vor C #3");
    ASSERT_EQ(l.rig.prompter.shown.size(), 1u);
    EXPECT_EQ(l.rig.prompter.shown[0].text,
              "Fleet report(s) has an error. At line of Vor C #3 fleet (line no 3 in Fleet Report) \"Destination\" "
              "column contains illegal data.\rProgram will fill it in with \"0.0.\" (no move)\rIt looks like this type "
              "of error happens at times during fleet report generatation by Kelvra.");
    EXPECT_EQ(l.s().fleets.cell(col::Destination, 3), "0.0");
    EXPECT_EQ(l.s().fleetsByPos.cell(col::Destination, 1), "0.0");

    l.rig.prompter.shown.clear();
    l.rig.reports.fix_empty_destination("Vor C #3");  // already repaired
    ASSERT_EQ(l.rig.prompter.shown.size(), 1u);
    EXPECT_EQ(l.rig.prompter.shown[0].text, "Empty Destination not found in Fleet_GR. Please report to program author.");

    l.rig.session.fleets.setCell(col::Destination, 1, "");  // only in the ID-sorted table
    l.rig.prompter.shown.clear();
    l.rig.reports.fix_empty_destination("Vor A #1");
    ASSERT_EQ(l.rig.prompter.shown.size(), 2u);
    EXPECT_EQ(l.rig.prompter.shown[1].text,
              "Empty Destination not found in Fleet_pos_sort_GR. Please report to program author.");
}

TEST(PositionOrder, SameOrderAsSortingTheKeyTexts) {
    // Cells chosen so that one cell is a prefix of another, cases differ, and
    // column 28 holds TABs or bytes below TAB: every kind of tie-break the key
    // text settles.
    const std::vector<std::vector<std::pair<int, std::string>>> rows = {
        {{1, "1100"}, {2, "1200"}, {3, "Ab"}},
        {{1, "1100"}, {2, "1200"}, {3, "ab"}, {0, "x"}},
        {{1, "1100"}, {2, "1200"}, {3, "Abc"}},
        {{1, "1100"}, {2, "1200"}, {3, "Ab\x01"}},
        {{1, "1100"}, {2, "1200"}, {28, "a\tb"}},
        {{1, "1100"}, {2, "1200"}, {28, "a"}, {29, "c"}},
        {{1, "1100"}, {2, "1200"}, {28, "a"}, {29, "\x02"}},
        {{1, "1100"}, {2, "1200"}, {28, "a\t\x01"}},
        {{1, "110"}, {2, "1200"}},
        {{1, "1100"}, {2, "120"}},
        {{1, "1100"}, {2, "1200"}, {0, "Zed"}},
        {{1, "1100"}, {2, "1200"}, {0, "zed"}},
        {{1, "1100"}, {2, "1200"}, {0, "Ze"}},
        {{1, "\xC9"}, {2, "1"}},
        {{1, "\xE9"}, {2, "0"}},
    };
    TextTable t(kFleetColumns);
    t.setRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (const auto& [c, text] : rows[i]) t.setCell(c, static_cast<int>(i) + 1, text);
    std::vector<int> expected;
    for (int r = 1; r <= t.lastRow(); ++r) expected.push_back(r);
    std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
        return compare_ci(position_key(t.row(a)), position_key(t.row(b))) < 0;
    });
    EXPECT_EQ(position_order(t, 1, t.lastRow()), expected);
}
