// Who can reach a place: the years a fleet needs, which fleets are listed
// and in what order, and where each one's course points.

#include <gtest/gtest.h>

#include <map>

#include "model/reach.h"
#include "test_support.h"

using namespace trevanor;

namespace {

const std::string kMap = "#\tX\tY\tName\r\n1\t1100\t1100\tAldris\r\n2\t1500\t1500\tBexa\r\n";
const ReachPlace kBexa{1500, 1500, "Bexa"};

struct Fleet {
    std::string name, x, y, destination, warp, task;  // a task marks an own fleet
};

struct Reach : ::testing::Test {
    test::ScratchDir dir;
    test::Rig rig;
    Reach() { rig.commands.read_MAP_file(dir.write("GAME.MAP", kMap)); }
    std::vector<ReachingFleet> ask(const std::vector<Fleet>& fleets, int years) {
        std::string text = test::kFleetHeading + "\r\n";
        for (const Fleet& f : fleets)
            text += test::fleet_line({{0, f.name}, {1, f.x}, {2, f.y}, {4, f.destination},
                                      {12, f.name.starts_with("Vorlani") ? "1" : "2"}, {14, f.warp}, {19, f.task}}) +
                    "\r\n";
        rig.reports.read(dir.write("GAME.F1", text));
        return who_can_reach(rig.session, kBexa, years);
    }
};

}  // namespace

// A distance of exactly n·w² takes n years; anything more one year more;
// being there takes none, at any warp; a warp outside 1..10 goes nowhere.
TEST(YearsToCover, Edges) {
    const struct {
        std::int64_t dx, dy;
        int warp;
        std::optional<int> years;
    } cases[] = {{0, 0, 0, 0},      {0, 0, 11, 0},      {81, 0, 9, 1},     {243, 0, 9, 3},  {244, 0, 9, 4},
                 {300, 400, 10, 5}, {300, 401, 10, 6},  {0, -1, 1, 1},     {1, 0, 0, {}},   {1, 0, 11, {}},
                 {0, 2, -3, {}}};
    for (const auto& c : cases)
        EXPECT_EQ(years_to_cover(c.dx, c.dy, c.warp), c.years) << c.dx << ", " << c.dy << " at warp " << c.warp;
}

// The warp is column 14 read as a whole number: "SG", a blank and 0 move
// nowhere, so such a fleet is listed only where it stands. The list runs by
// years, distance, then name without regard to case.
TEST_F(Reach, WhoIsListedAndInWhatOrder) {
    const auto listed = ask({{"Far SG", "1400", "1500", "", "SG", ""},
                             {"There SG", "1500", "1500", "", "SG", ""},
                             {"There Blank", "1500", "1500", "", "", ""},
                             {"beta Nine", "1581", "1500", "", "9", ""},
                             {"Alpha Nine", "1500", "1419", "", "9", ""},
                             {"Beyond Nine", "1582", "1500", "", "9", ""},
                             {"Two Years", "1500", "1662", "", "9", ""}},
                            2);
    std::vector<std::string> names;
    for (const ReachingFleet& f : listed) names.push_back(f.uniqueName + " " + std::to_string(f.warp) + " " +
                                                         std::to_string(f.years));
    EXPECT_EQ(names, (std::vector<std::string>{"There Blank 0 0", "There SG 0 0", "Alpha Nine 9 1", "beta Nine 9 1",
                                               "Beyond Nine 9 2", "Two Years 9 2"}));
}

// Where each course points: an own fleet by its destination (a planet, a
// fleet with or without its race word, a point of space, within a light
// year), a foreign one by the angle of its heading to the way to the place.
TEST_F(Reach, TheCourse) {
    const std::string own = "Transport";
    const auto listed = ask({{"Vorlani Hauler #2", "1500", "1500", "", "10", own},
                             {"Kesh Raider #5", "1500", "1500", "", "10", ""},
                             {"Vorlani To planet", "1450", "1500", "Bexa", "10", own},
                             {"Vorlani To other planet", "1450", "1500", "Aldris", "10", own},
                             {"Vorlani To fleet", "1450", "1500", "Kesh Raider #5", "10", own},
                             {"Vorlani To own fleet", "1450", "1500", "Hauler #2", "10", own},
                             {"Vorlani To space", "1450", "1500", "Space (1501, 1500)", "10", own},
                             {"Vorlani To far space", "1450", "1500", "Space (1502, 1500)", "10", own},
                             {"Vorlani To lost", "1450", "1500", "Nowhere", "10", own},
                             {"Kesh North heading south", "1500", "1560", "127.117", "10", ""},
                             {"Kesh South heading north", "1500", "1440", "127.137", "10", ""},
                             {"Kesh South heading east", "1500", "1440", "137.127", "10", ""},
                             {"Kesh East heading west", "1560", "1500", "117.127", "10", ""},
                             {"Kesh East heading east", "1560", "1500", "137.127", "10", ""},
                             {"Kesh West heading north-east", "1440", "1500", "137.137", "10", ""},
                             {"Kesh West slightly off", "1440", "1500", "141.123", "10", ""},
                             {"Kesh Standing", "1440", "1500", "127.127", "10", ""},
                             {"Kesh Warp nought", "1500", "1500", "137.127", "0", ""}},
                            9);
    std::map<std::string, std::pair<std::string, bool>> course;
    for (const ReachingFleet& f : listed) course[f.uniqueName] = {f.course.text(), f.course.coming()};
    const std::map<std::string, std::pair<std::string, bool>> want{
        {"Vorlani Hauler #2", {"still", false}},
        {"Kesh Raider #5", {"still", false}},
        {"Vorlani To planet", {"here", false}},
        {"Vorlani To other planet", {"elsewhere", false}},
        {"Vorlani To fleet", {"here", false}},
        {"Vorlani To own fleet", {"here", false}},
        {"Vorlani To space", {"here", false}},
        {"Vorlani To far space", {"elsewhere", false}},
        {"Vorlani To lost", {"", false}},
        {"Kesh North heading south", {"0\xB0", true}},
        {"Kesh South heading north", {"0\xB0", true}},
        {"Kesh South heading east", {"90\xB0", false}},
        {"Kesh East heading west", {"0\xB0", true}},
        {"Kesh East heading east", {"180\xB0", false}},
        {"Kesh West heading north-east", {"45\xB0", false}},
        {"Kesh West slightly off", {"16\xB0", false}},
        {"Kesh Standing", {"still", false}},
        {"Kesh Warp nought", {"still", false}}};
    EXPECT_EQ(course, want);
}
