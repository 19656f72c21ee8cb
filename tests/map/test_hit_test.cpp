// What a click on the map hits, at one light year per pixel: pixel x = X - 1000,
// pixel y = 2000 - Y.

#include <gtest/gtest.h>

#include "map/hit_test.h"
#include "map/scene.h"
#include "model/locate.h"
#include "support/recording_prompter.h"

using namespace trevanor;
using What = MapHit::What;

namespace {

Session spots() {
    Session s;
    s.planets.setRowCount(3);
    s.planets.row(1) = {"1", "1300", "1300", "Aldris"};
    s.planets.row(2) = {"2", "1201", "1200", "Bexa"};
    s.Players[1] = {"Vorlani", 1, 0x0000FF};
    s.Players[2] = {"Kesh", 2, 0x00FF00};
    // Position-sorted: a pair at (1200, 1200) with different planet texts, then a single fleet.
    const std::vector<std::array<std::string, 5>> rows = {{"Vorlani A #1", "1200", "1200", "Bexa", "1"},
                                                          {"Kesh B #2", "1200", "1200", "", "2"},
                                                          {"Kesh C #3", "1202", "1202", "", "2"}};
    for (TextTable* t : {&s.fleetsByPos, &s.fleets}) {
        t->setRowCount(4);
        for (int r = 1; r <= 3; ++r) {
            const auto& f = rows[static_cast<std::size_t>(r - 1)];
            t->setCell(col::Name, r, f[0]);
            t->setCell(col::UniqueName, r, f[0]);
            t->setCell(col::X, r, f[1]);
            t->setCell(col::Y, r, f[2]);
            t->setCell(col::Planet, r, f[3]);
            t->setCell(col::Owner, r, f[4]);
        }
    }
    s.Fleet_index[1] = {1, 1};
    s.Fleet_index[2] = {2, 3};
    return s;
}

MapView unit_view() {
    MapView v;
    v.Map_extent = 1000;
    v.Map_scale = v.Map_scale_y = 1;
    v.Image_height = 1000;
    return v;
}

}  // namespace

TEST(HitTest, FleetsGroupsPlanetsAndDeepSpace) {
    const Session s = spots();
    const MapView v = unit_view();
    const struct {
        int px, py;
        What what;
        int row;
        const char *line1, *line2, *x, *y;
        ColorValue colour;
        const char* jumpFleet;
    } cases[] = {
        // Near both spots: the lowest-sorted one, a group (its planet texts differ).
        {201, 799, What::Group, 1, "Multi-fleets", "Bexa", "X:1200", "Y:1200", kButtonFaceColor, "Kesh B #2"},
        {203, 797, What::Fleet, 3, "Kesh C #3", "", "X:1202", "Y:1202", 0x00FF00, "Kesh C #3"},
        {300, 700, What::Planet, 1, "", "Aldris", "X:1300", "Y:1300", 0xFFFFFF, ""},
        {500, 500, What::DeepSpace, 0, "Deep Space", "", "X:1500", "Y:1500", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line1);
        const MapHit hit = hit_test(s, v, c.px, c.py);
        EXPECT_EQ(hit.what, c.what);
        EXPECT_EQ(hit.row, c.row);
        EXPECT_EQ(hit.line1, c.line1);
        EXPECT_EQ(hit.line2, c.line2);
        EXPECT_EQ(hit.xText, c.x);
        EXPECT_EQ(hit.yText, c.y);
        EXPECT_EQ(hit.color, c.colour);
        EXPECT_EQ(hit.jumpFleet, c.jumpFleet);
        EXPECT_EQ(hit.marker.Pixel_x == 0, c.what == What::DeepSpace);
    }
    EXPECT_EQ(hit_test(s, v, 201, 799).marker.Pixel_x, 200);
    EXPECT_EQ(spot_names(s, spot_of(s, 1)), (std::vector<std::string>{"Vorlani A #1", "Kesh B #2"}));
    EXPECT_EQ(spot_names(s, spot_of(s, 2)), (std::vector<std::string>{"Vorlani A #1", "Kesh B #2"}));
    EXPECT_EQ(spot_names(s, spot_of(s, 3)), (std::vector<std::string>{"Kesh C #3"}));  // the last row of the table
}

// What the map draws as one spot is what a click there hits: a spot shared
// by the last two rows of the table, one of them with an owner that is no
// number, is drawn as a group and hit as one; a row whose position is no
// number is neither drawn nor hit.
TEST(HitTest, TheMapAndTheClickAgreeOnSpots) {
    Session s = spots();
    s.fleetsByPos.setCell(col::X, 3, "1200");
    s.fleetsByPos.setCell(col::Y, 3, "1200");
    s.fleetsByPos.setCell(col::Owner, 3, "x");
    s.fleetsByPos.setRowCount(5);
    s.fleetsByPos.row(4) = s.fleetsByPos.row(1);
    s.fleetsByPos.setCell(col::X, 4, "1400x");
    s.fleetsByPos.setCell(col::UniqueName, 4, "Vorlani Odd #4");
    const MapScene scene(s);
    ASSERT_EQ(scene.spots().size(), 1u);
    EXPECT_EQ(scene.spots()[0].fleets, 3);
    EXPECT_TRUE(scene.spots()[0].mixed);
    const MapView v = unit_view();
    const MapHit hit = hit_test(s, v, 200, 800);
    EXPECT_EQ(hit.what, What::Group);
    EXPECT_EQ(spot_of(s, hit.row).count, 3);
    EXPECT_EQ(hit_test(s, v, 400, 800).what, What::DeepSpace);  // the damaged row
}

TEST(HitTest, TheLastTwoRowsOfTheTableAsAGroup) {
    Session s = spots();
    for (const int c : {col::X, col::Y}) {
        s.fleetsByPos.setCell(c, 1, "1100");
        s.fleetsByPos.setCell(c, 3, "1200");
    }
    const MapHit hit = hit_test(s, unit_view(), 200, 800);
    EXPECT_EQ(hit.what, What::Group);
    EXPECT_EQ(hit.row, 2);
    EXPECT_EQ(spot_of(s, 2).count, 2);
    EXPECT_EQ(MapScene(s).spots()[1].fleets, 2);
}

TEST(HitTest, RowsWithoutAPositionAreNeverHit) {
    Session s = spots();
    s.fleetsByPos.setCell(col::X, 1, "");
    s.fleetsByPos.setCell(col::X, 2, "");
    EXPECT_EQ(hit_test(s, unit_view(), 201, 800).what, What::Planet);  // Bexa
}

TEST(HitTest, PixelsToMapAndBack) {
    MapView v;
    v.Map_extent = 1015;
    v.Map_scale = v.Map_scale_y = 1.015;
    v.Image_height = 1000;
    const MapPoint p = pixel_to_map(v, 200, 800);
    EXPECT_EQ(p.x, 1203);  // 203.0 + 1000
    EXPECT_EQ(p.y, 1203);  // 1015 + 1000 - 812
    EXPECT_EQ(v.pixel_x(p.x), 200);
}

TEST(ConvertPos2Id, OwnersBlockThenTrailingBlock) {
    Session s = spots();
    test::RecordingPrompter prompter;
    EXPECT_EQ(convert_pos2id(s, 1, prompter), 1);
    EXPECT_EQ(convert_pos2id(s, 3, prompter), 3);  // the last row of its owner's block
    s.Fleet_index[2] = {2, 2};
    s.Fleet_index[kTrailingEntry] = {3, 3};
    EXPECT_EQ(convert_pos2id(s, 3, prompter), 3);
    s.fleetsByPos.setCell(col::UniqueName, 3, "Kesh Gone");
    EXPECT_EQ(convert_pos2id(s, 3, prompter), 0);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Convert of \"Kesh Gone\" (no: 3) impossible");
}

// Where the Part's light year misses, what is drawn is hit: a fleet's
// diamond within 4 pixels of its centre, a planet's dot, the nearest first.
TEST(HitTest, AClickOnWhatIsDrawn) {
    Session s = spots();
    MapView v = unit_view();  // a pixel a light year: a diamond's outline lies past the light year
    const MapScene scene(s);
    const auto at = [&](int x, int y, int dx, int dy) { return hit_test(s, v, v.pixel_x(x) + dx, v.pixel_y(y) + dy, &scene); };
    const struct {
        int x, y, dx, dy;
        What what;
        int row;
    } cases[] = {
        {1202, 1202, 4, 0, What::Fleet, 3},     // the diamond's outline, right
        {1202, 1202, 2, -2, What::Fleet, 3},    // inside it
        {1202, 1202, 3, 3, What::DeepSpace, 0}, // beside its corner
        {1300, 1300, 2, 2, What::Planet, 1},    // the dot's corner
        {1300, 1300, 3, 0, What::DeepSpace, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dx) + "," + std::to_string(c.dy));
        const MapHit hit = at(c.x, c.y, c.dx, c.dy);
        EXPECT_EQ(hit.what, c.what);
        EXPECT_EQ(hit.row, c.row);
    }
    EXPECT_EQ(hit_test(s, v, v.pixel_x(1202) + 4, v.pixel_y(1202)).what, What::DeepSpace);  // without the scene
    // A hidden own fleet is not drawn, so not hit this way.
    v.hideOwn = true;
    s.Own_race_name = "Kesh";
    const MapScene hidden(s);
    EXPECT_EQ(hit_test(s, v, v.pixel_x(1202) + 4, v.pixel_y(1202), &hidden).what, What::DeepSpace);
}

// The tool tip: the planet, then the fleets of the spot, at most twelve.
TEST(HitTest, HoverNamesTheSpot) {
    Session s = spots();
    const MapView v = unit_view();
    {
        const MapScene scene(s);
        const HoverInfo info = hover_info(s, v, scene, 200, 800);
        EXPECT_EQ(info.planet, "Bexa");
        ASSERT_EQ(info.fleets.size(), 2u);
        EXPECT_EQ(info.fleets[1].name, "Kesh B #2");
        EXPECT_EQ(info.fleets[1].color, 0x00FF00u);
        EXPECT_EQ(info.more, 0);
        EXPECT_TRUE(hover_info(s, v, scene, 500, 500).empty());
        EXPECT_EQ(hover_info(s, v, scene, 300, 700).planet, "Aldris");
    }
    s.fleetsByPos.setRowCount(20);
    for (int r = 4; r < 20; ++r) s.fleetsByPos.row(r) = s.fleetsByPos.row(1);
    for (int r = 1; r < 20; ++r)
        for (const int c : {col::X, col::Y}) s.fleetsByPos.setCell(c, r, "1200");
    const MapScene scene(s);
    const HoverInfo info = hover_info(s, v, scene, 200, 800);
    EXPECT_EQ(info.fleets.size(), static_cast<std::size_t>(kHoverFleets));
    EXPECT_EQ(info.more, 19 - kHoverFleets);
}
