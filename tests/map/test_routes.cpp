// Fleet routes and range circles as drawn onto a recording canvas, at one
// light year per pixel: pixel x = X - 1000, pixel y = 2000 - Y.

#include <gtest/gtest.h>

#include "model/locate.h"
#include "map/routes.h"
#include "map/scanner_overlay.h"
#include "model/fleet_report_reader.h"
#include "support/recording_canvas.h"
#include "support/recording_prompter.h"

using namespace trevanor;
using Op = RecordingCanvas::Op;

namespace {

struct Fleet {
    std::string name, x, y, dest, owner = "1", warp = "9", eta = "", task = "Patrol";
};

struct Routes : ::testing::Test {
    Session s;
    MapView view;
    RecordingCanvas canvas;
    test::RecordingPrompter prompter;
    FleetReportReader reports{s, prompter};
    RouteContext ctx{s, view, canvas, prompter, reports, 1};

    Routes() {
        view.Map_extent = 1000;
        view.Map_scale = 1;
        view.Map_scale_y = 1;
        view.Image_height = 1000;
        s.planets.setRowCount(3);
        s.planets.row(1) = {"1", "1500", "1500", "Aldris"};
        s.planets.row(2) = {"2", "1500", "1100", "Bexa"};
        s.Players[1] = {"Vorlani", 1, 0x0000FF};
        s.Players[2] = {"Kesh", 2, 0x00FF00};
    }
    void fleets(const std::vector<Fleet>& list) {
        s.fleets.setRowCount(static_cast<int>(list.size()) + 1);
        for (std::size_t i = 0; i < list.size(); ++i) {
            auto& row = s.fleets.row(static_cast<int>(i) + 1);
            const Fleet& f = list[i];
            row[col::Name] = f.name;
            row[col::UniqueName] = f.name;
            row[col::X] = f.x;
            row[col::Y] = f.y;
            row[col::Destination] = f.dest;
            row[col::Owner] = f.owner;
            row[col::Warp] = f.warp;
            row[col::Eta] = f.eta;
            row[col::Task] = f.task;
        }
        s.fleetsByPos = s.fleets;
        s.Fleet_index = {};
        s.Fleet_index[1] = {1, 1};
    }
    // The points of every stroke (move-to, line-to pairs) drawn so far.
    std::vector<std::pair<Point, Point>> strokes() const {
        std::vector<std::pair<Point, Point>> out;
        Point from;
        for (const auto& c : canvas.calls) {
            if (c.op == Op::MoveTo) from = c.points[0];
            if (c.op == Op::LineTo) out.push_back({from, c.points[0]});
        }
        return out;
    }
    std::vector<RecordingCanvas::Call> lines(PenStyle style) const {
        std::vector<RecordingCanvas::Call> out;
        for (const auto& c : canvas.of(Op::LineTo))
            if (c.state.penStyle == style) out.push_back(c);
        return out;
    }
};

}  // namespace

TEST(Arrowheads, SectorsAndTheirBounds) {
    const struct {
        int from, to;
        Barbs barbs;
    } sectors[] = {
        {0, 22, {{-7, 7}, {7, 7}}},    {23, 67, {{-9, 0}, {0, 9}}},    {68, 112, {{-7, -7}, {-7, 7}}},
        {113, 158, {{0, -9}, {-9, 0}}}, {159, 202, {{-7, -7}, {7, -7}}}, {203, 248, {{0, -9}, {9, 0}}},
        {249, 298, {{7, -7}, {7, 7}}}, {299, 338, {{0, 9}, {9, 0}}},   {339, 360, {{-7, 7}, {7, 7}}},
    };
    for (const auto& sector : sectors)
        for (const int b : {sector.from, sector.to}) {
            const Barbs got = arrowhead_barbs(b);
            EXPECT_EQ(got.first, sector.barbs.first) << b;
            EXPECT_EQ(got.second, sector.barbs.second) << b;
        }
}

TEST_F(Routes, ArrivalWithinTheYearsShownEndsAtTheTarget) {
    // 80 light years south of Bexa at warp 4 (16 a year), two years away by its ETA.
    fleets({{"Vorlani Scout #1", "1500", "1020", "Bexa", "1", "4", "2y"}});
    ctx.jumps = 3;
    draw_route(ctx, 1, 4, 0xFFFFFF);
    ASSERT_EQ(canvas.of(Op::Ellipse).size(), 1u);  // the circle at the target
    EXPECT_EQ(canvas.of(Op::Ellipse)[0].points, (std::vector<Point>{{496, 896}, {504, 904}}));
    const auto dotted = lines(PenStyle::Dot);
    ASSERT_EQ(dotted.size(), 1u);
    // One arrowhead, one year (16 light years at warp 4) from the fleet, pointing north.
    const auto all = strokes();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[1].first, (Point{500, 964}));
    EXPECT_EQ(all[1].second, (Point{493, 971}));
    EXPECT_EQ(all[2].second, (Point{507, 971}));
    for (const auto& c : canvas.calls) EXPECT_EQ(c.state.penColor, 0xFFFFFFu);
}

TEST_F(Routes, TooFarForTheYearsShownGivesTheReach) {
    // Due east: a dotted line of one year (warp squared, in light years) and one upright tick.
    for (const int warp : {4, 9, 10}) {
        SCOPED_TRACE(warp);
        canvas.calls.clear();
        fleets({{"Vorlani Scout #1", "1100", "1500", "Aldris", "1", std::to_string(warp), "9y"}});
        ctx.jumps = 1;
        draw_route(ctx, 1, warp, 0x0000FF);
        EXPECT_TRUE(canvas.of(Op::Ellipse).empty());
        const int end = 100 + warp * warp;
        const auto all = strokes();
        ASSERT_EQ(all.size(), 2u);
        EXPECT_EQ(all[0], (std::pair<Point, Point>{{100, 500}, {end, 500}}));
        EXPECT_EQ(all[1], (std::pair<Point, Point>{{end, 497}, {end, 503}}));
    }
}

TEST_F(Routes, StargateArrowheadsEveryHundredLightYearsOrHalfway) {
    const struct {
        int distance;
        std::vector<int> tipsAtY;  // pixel y of each arrowhead's point
    } cases[] = {{420, {820, 720, 620, 520}}, {120, {560}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.distance);
        canvas.calls.clear();
        // Straight north to Aldris (1500, 1500); the fleet is at pixel y 500 + distance.
        fleets({{"Vorlani Gate #1", "1500", std::to_string(1500 - c.distance), "Aldris", "1", "11"}});
        draw_route(ctx, 1, kStargateWarp, 0x0000FF);
        ASSERT_EQ(lines(PenStyle::DashDot).size(), 1u);
        std::vector<int> tips;
        const auto all = strokes();
        for (std::size_t i = 1; i < all.size(); i += 2) tips.push_back(all[i].first.y);
        EXPECT_EQ(tips, c.tipsAtY);
    }
}

TEST_F(Routes, HeadingOfAForeignFleet) {
    // 127.127 is no movement: the steps go to the right.
    fleets({{"Kesh Raider #5", "1200", "1200", "127.127", "2", "5", "", ""}});
    ctx.jumps = 2;
    draw_route(ctx, 1, 5, 0x00FF00);
    // The past years circled behind it, the way ahead dotted, the way behind solid.
    const auto circles = canvas.of(Op::Ellipse);
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(circles[0].points[0], (Point{200 - 25 - 4, 800 - 4}));
    EXPECT_EQ(circles[1].points[0], (Point{200 - 50 - 4, 800 - 4}));
    const auto all = strokes();
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0], (std::pair<Point, Point>{{200, 800}, {250, 800}}));
    EXPECT_EQ(all[3], (std::pair<Point, Point>{{200, 800}, {150, 800}}));
}

TEST_F(Routes, UnknownDestinationIsReportedAndTheOthersAreStillDrawn) {
    fleets({{"Vorlani A #1", "1100", "1100", "Nowhere", "1", "9", "1y"},
            {"Vorlani B #2", "1200", "1200", "Aldris", "1", "9", "1y"},
            {"Vorlani C #3", "1300", "1300", "Bexa", "1", "0", "1y"},        // warp 0: no route
            {"Vorlani D #4", "1300", "1300", "Wormhole", "1", "9", "1y"}});  // no route to a wormhole
    s.Fleet_index[1] = {1, 4};
    draw_OtFR(ctx, "_All");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Fleet report(s) does not match MAP file or the file(s) is corrupted.");
    EXPECT_EQ(canvas.of(Op::Ellipse).size(), 1u);  // B arrives at Aldris
}

TEST_F(Routes, DestinationFleetByUniqueNameWithOrWithoutItsRaceWord) {
    fleets({{"Vorlani Chaser #1", "1100", "1100", "Decoy #2", "1", "9", "1y"},
            {"Vorlani Decoy #2", "1150", "1150", "Aldris", "1", "9", "1y"}});
    s.Fleet_index[1] = {1, 2};
    draw_route(ctx, 1, 9, 0xFFFFFF);
    EXPECT_TRUE(prompter.shown.empty());
    ASSERT_EQ(canvas.of(Op::Ellipse).size(), 1u);
    EXPECT_EQ(canvas.of(Op::Ellipse)[0].points[0], (Point{150 - 4, 850 - 4}));

    // A merge added the target: its unique name carries the merge's "*".
    s.fleets.setCell(col::UniqueName, 2, "Vorlani Decoy #2*");
    canvas.calls.clear();
    draw_route(ctx, 1, 9, 0xFFFFFF);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(canvas.of(Op::Ellipse).size(), 1u);
}

TEST_F(Routes, FilterPicksOwnersAndKeepsTheRecord) {
    fleets({{"Vorlani A #1", "1100", "1100", "Aldris", "1", "9", "1y"},
            {"Kesh B #2", "1200", "1200", "Aldris", "2", "9", "1y"}});
    s.Fleet_index[1] = {1, 1};
    s.Fleet_index[2] = {2, 2};
    s.Own_race_name = "Vorlani";
    const struct {
        const char* filter;
        std::vector<std::string> allies;
        std::size_t arrivals;
    } cases[] = {{"_All", {}, 2},          {"_Only own", {}, 1},         {"_Only allies", {}, 0},
                 {"_Only allies", {"Kesh"}, 1}, {"_Own and Allies", {"Kesh"}, 2}, {"Kesh", {}, 1},
                 {"Nobody", {}, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        canvas.calls.clear();
        s.acceptedReportOwners = c.allies;
        draw_OtFR(ctx, c.filter);
        EXPECT_EQ(canvas.of(Op::Ellipse).size(), c.arrivals);
    }
    s.acceptedReportOwners = {};
    RouteHighlight record;
    check_then_draw_route(ctx, record, "_Only own", 2, 2, 0xFFFFFF, 9);
    EXPECT_EQ(record.Last_route_row, 0);
    check_then_draw_route(ctx, record, "_All", 2, 2, 0xFFFFFF, 9);
    EXPECT_EQ(record.Last_route_row, 2);
    EXPECT_EQ(record.Last_route_color, 0x00FF00u);
    EXPECT_EQ(record.Last_route_warp, 9);
    // Undone: drawn again in the owner's colour, then forgotten.
    canvas.calls.clear();
    undo_highlight(ctx, record);
    EXPECT_EQ(record.Last_route_row, 0);
    ASSERT_FALSE(canvas.calls.empty());
    EXPECT_EQ(canvas.calls.back().state.penColor, 0x00FF00u);
}

TEST_F(Routes, EmptyDestinationIsRepairedOnce) {
    fleets({{"Vorlani A #1", "1100", "1100", "", "1", "9", "1y"}});
    draw_route(ctx, 1, 9, 0xFFFFFF);
    EXPECT_EQ(s.fleets.cell(col::Destination, 1), "0.0");
    // The repair's message only: "0.0" means no move, and no route is drawn.
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.starts_with("Fleet report(s) has an error."));
    EXPECT_TRUE(canvas.calls.empty());
}

// Destinations that draw no route, and say nothing beyond the repair of an
// empty cell: no move ("0.0"), nowhere to draw, or a damaged point.
TEST_F(Routes, NoRouteWithoutAMove) {
    const struct {
        const char* dest;
        const char* task;
        std::size_t messages;
    } cases[] = {{"0.0", "Patrol", 0}, {"", "Patrol", 1}, {"0.0", "", 0}, {"", "", 1},
                 {"Mystery Trader", "Patrol", 0}, {"Space (12x4, 1500)", "Patrol", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.dest) + "/" + c.task);
        canvas.calls.clear();
        prompter.shown.clear();
        fleets({{"Vorlani A #1", "1100", "1100", c.dest, "1", "9", "1y", c.task}});
        draw_route(ctx, 1, 9, 0xFFFFFF);
        EXPECT_EQ(canvas.of(Op::LineTo).size() + canvas.of(Op::Ellipse).size(), 0u);
        EXPECT_EQ(prompter.shown.size(), c.messages);
    }
}

// The game's words for destinations with nowhere to go draw nothing and say
// nothing, spelt exactly; spelt otherwise they name no place: a mismatch.
TEST_F(Routes, SpecialDestinationsByTheirExactWords) {
    const struct {
        const char* dest;
        std::size_t messages;
    } cases[] = {{"Wormhole", 0}, {"Salvage ", 0}, {"-- ", 0},       {"Mystery Trader", 0}, {"Salvage", 1},
                 {"--", 1},       {"WORMHOLE", 1}, {"Salvage  ", 1}, {"Mystery  Trader", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.dest + "\"");
        canvas.calls.clear();
        prompter.shown.clear();
        fleets({{"Vorlani A #1", "1100", "1100", c.dest, "1", "9", "1y"}});
        draw_route(ctx, 1, 9, 0xFFFFFF);
        EXPECT_TRUE(canvas.of(Op::LineTo).empty());
        EXPECT_TRUE(canvas.of(Op::Ellipse).empty());
        ASSERT_EQ(prompter.shown.size(), c.messages);
        if (c.messages) {
            EXPECT_EQ(prompter.shown[0].text, "Fleet report(s) does not match MAP file or the file(s) is corrupted.");
        }
    }
}

// North is up on the screen (pixel y falls as Y grows): a foreign heading
// and an own fleet's reach each point their way, not mirrored.
TEST_F(Routes, ReachPointsNorthUpAndSouthDown) {
    const struct {
        const char* what;
        Fleet fleet;
        Point from, ahead;  // pixels: the fleet, the end of its dotted reach
        bool heading;       // then also circles and a solid line behind it
    } cases[] = {
        {"heading north", {"Kesh R #5", "1200", "1200", "127.140", "2", "5", "", ""}, {200, 800}, {200, 750}, true},
        {"heading south", {"Kesh R #5", "1200", "1200", "127.100", "2", "5", "", ""}, {200, 800}, {200, 850}, true},
        {"heading north-east", {"Kesh R #5", "1200", "1200", "140.140", "2", "5", "", ""}, {200, 800}, {236, 764}, true},
        {"heading south-west", {"Kesh R #5", "1200", "1200", "114.114", "2", "5", "", ""}, {200, 800}, {164, 836}, true},
        {"own reach north", {"Vorlani A #1", "1500", "1020", "Aldris", "1", "4", "9y"}, {500, 980}, {500, 948}, false},
        {"own reach south", {"Vorlani A #1", "1500", "1400", "Bexa", "1", "4", "9y"}, {500, 600}, {500, 632}, false},
    };
    ctx.jumps = 2;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        canvas.calls.clear();
        fleets({c.fleet});
        draw_route(ctx, 1, std::stoi(c.fleet.warp), 0x00FF00);
        const auto dotted = lines(PenStyle::Dot);
        ASSERT_EQ(dotted.size(), 1u);
        const auto all = strokes();
        ASSERT_FALSE(all.empty());
        EXPECT_EQ(all[0], (std::pair<Point, Point>{c.from, c.ahead}));
        // The last year's tick sits at the end of the reach.
        const Point step{(c.ahead.x - c.from.x) / 2, (c.ahead.y - c.from.y) / 2};
        const bool northSouth = std::abs(step.y) > std::abs(step.x);  // then the ticks lie across it
        const auto tick = northSouth ? std::pair<Point, Point>{{c.ahead.x - 3, c.ahead.y}, {c.ahead.x + 3, c.ahead.y}}
                                  : std::pair<Point, Point>{{c.ahead.x, c.ahead.y - 3}, {c.ahead.x, c.ahead.y + 3}};
        ASSERT_GE(all.size(), 3u);
        EXPECT_EQ(all[2], tick);
        if (!c.heading) {
            EXPECT_TRUE(canvas.of(Op::Ellipse).empty());
            continue;
        }
        // Where it came from: behind it, the other way.
        const Point behind{c.from.x - 2 * step.x, c.from.y - 2 * step.y};
        EXPECT_EQ(all.back(), (std::pair<Point, Point>{c.from, behind}));
        ASSERT_EQ(canvas.of(Op::Ellipse).size(), 2u);
        EXPECT_EQ(canvas.of(Op::Ellipse)[1].points[0], (Point{behind.x - 4, behind.y - 4}));
    }
}

TEST(Locate, PlanetsAndFleetsSilentOrNot) {
    Session s;
    s.planets.setRowCount(2);
    s.planets.row(1) = {"1", "1500", "1400", "Aldris"};
    s.fleets.setRowCount(3);
    s.fleets.row(1)[col::UniqueName] = "Vorlani A #1";
    s.fleets.row(2) = s.fleets.row(1);
    s.fleets.row(2)[col::UniqueName] = "Kesh B*";
    for (int r = 1; r <= 2; ++r) {
        s.fleets.setCell(col::X, r, "1200");
        s.fleets.setCell(col::Y, r, std::to_string(1200 + r));
        s.fleets.setCell(col::Owner, r, std::to_string(r));
    }
    s.Players[1] = {"Vorlani", 1, 0x0000FF};
    s.Players[2] = {"Kesh", 2, 0x00FF00};
    s.Fleet_index[1] = {1, 1};
    s.Fleet_index[kTrailingEntry] = {2, 2};
    test::RecordingPrompter prompter;
    const Located planet = locate_object(s, ObjectKind::Planet, "Aldris", &prompter);
    EXPECT_EQ((std::tuple{planet.x, planet.y, planet.color}), (std::tuple{1500, 1400, 0xFFFFFFu}));
    const Located kesh = locate_object(s, ObjectKind::Fleet, "Kesh B*", &prompter);  // in the trailing block
    EXPECT_EQ((std::tuple{kesh.x, kesh.y, kesh.color}), (std::tuple{1200, 1202, 0x00FF00u}));
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_FALSE(locate_object(s, ObjectKind::Fleet, "Vorlani Gone", nullptr).found());
    EXPECT_FALSE(locate_object(s, ObjectKind::Planet, "Bexa", &prompter).found());
    EXPECT_FALSE(locate_object(s, ObjectKind::Fleet, "Kesh X", &prompter).found());
    EXPECT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].text, "Planet \"Bexa\" not found!");
    EXPECT_EQ(prompter.shown[1].text, "Fleet \"Kesh X\" not found!");

    // A name from the Find list: planets, fleets, then fleets only the map's sorted table holds.
    s.fleetsByPos = s.fleets;
    s.fleetsByPos.setRowCount(4);
    s.fleetsByPos.row(3) = s.fleets.row(1);
    s.fleetsByPos.row(3)[col::UniqueName] = "Stray #9";
    s.fleetsByPos.setCell(col::X, 3, "800");
    s.fleetsByPos.setCell(col::Y, 3, "900");
    const struct {
        const char* name;
        std::optional<std::pair<int, int>> at;
    } named[] = {{"Aldris", {{1500, 1400}}}, {"Kesh B*", {{1200, 1202}}}, {"Stray #9", {{800, 900}}}, {"Nobody", {}}};
    for (const auto& c : named) {
        const std::optional<Located> at = locate_named(s, c.name);
        EXPECT_EQ(at ? std::optional(std::pair(at->x, at->y)) : std::nullopt, c.at) << c.name;
    }
    EXPECT_EQ(prompter.shown.size(), 2u);  // silently
}

TEST(ScanEfficiency, TextOfTheBox) {
    const struct {
        const char* text;
        int percent;
        bool reset;
    } cases[] = {{"100%", 100, false}, {"50%", 50, false}, {"7%", 7, false},   {"150", 100, true},
                 {"150%", 100, true},  {"abc", 100, false}, {"", 100, false}, {"%12", 100, false}};
    for (const auto& c : cases) {
        const ScanEfficiency e = scan_efficiency(c.text);
        EXPECT_EQ(e.percent, c.percent) << c.text;
        EXPECT_EQ(e.resetTo100, c.reset) << c.text;
    }
}

TEST(RangeCircles, RadiiModesAndPens) {
    Session s;
    MapView view;
    view.Map_scale = 1.015;
    view.Image_height = 1000;
    const struct {
        const char* what;
        RangeCircles range;
        RangeMode mode;
        int efficiency;
        std::vector<int> radii;  // of the circles drawn, in order
        PenMode pen;
        ColorValue colour;
    } cases[] = {
        {"half efficiency", {1500, 1500, 0x0000FF, 300, 0}, RangeMode::Scanner, 50, {148}, PenMode::Merge, 0x0000FF},
        {"penetrating too", {1500, 1500, 0x0000FF, 300, 100}, RangeMode::Scanner, 100, {296, 99}, PenMode::Merge, 0x0000FF},
        // Below 100% the penetrating range shrinks as the normal one does: 99 pixels at 33% give 33.
        {"penetrating at 33% too", {1500, 1500, 0x0000FF, 300, 100}, RangeMode::Scanner, 33, {98, 33}, PenMode::Merge,
         0x0000FF},
        {"jump potential ignores efficiency", {1500, 1500, 0xFF0000, 81, 0}, RangeMode::JumpPotential, 10, {80},
         PenMode::Merge, 0xFF0000},
        {"erase in black", {1500, 1500, 0x0000FF, 300, 0}, RangeMode::Erase, 50, {296}, PenMode::Copy, 0},
        // Rounded to pixels first (296), then scaled: 97.68 gives 98.
        {"33%: rounded twice", {1500, 1500, 0x0000FF, 300, 0}, RangeMode::Scanner, 33, {98}, PenMode::Merge, 0x0000FF},
        {"efficiency 0: nothing", {1500, 1500, 0x0000FF, 300, 0}, RangeMode::Scanner, 0, {}, PenMode::Merge, 0},
        {"warp 0: nothing", {1500, 1500, 0xFF0000, 0, 0}, RangeMode::JumpPotential, 100, {}, PenMode::Merge, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingCanvas canvas;
        draw_scanner_range(canvas, view, s, c.range, c.mode, c.efficiency);
        std::vector<int> radii;
        for (const auto& e : canvas.of(Op::Ellipse)) {
            radii.push_back((e.points[1].x - e.points[0].x) / 2);
            EXPECT_EQ(e.state.penMode, c.pen);
            EXPECT_EQ(e.state.penColor, c.colour);
            EXPECT_TRUE(e.state.brushClear);
        }
        EXPECT_EQ(radii, c.radii);
        if (c.radii.empty()) {
            EXPECT_TRUE(canvas.of(Op::LineTo).empty());
        }
        EXPECT_EQ(canvas.state.penMode, PenMode::Copy);
    }
}
