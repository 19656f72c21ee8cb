#include <gtest/gtest.h>

#include "map/map_view.h"
#include "map/movement_marks.h"
#include "support/recording_canvas.h"

using namespace trevanor;
using Op = RecordingCanvas::Op;

namespace {

Session with_planets(const std::vector<std::array<std::string, 4>>& rows) {
    Session s;
    s.planets.setRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i)
        s.planets.row(static_cast<int>(i) + 1) = {rows[i][0], rows[i][1], rows[i][2], rows[i][3]};
    return s;
}

struct Fleet {
    std::string name, x, y, ships = "1", owner = "1", id = "";
};

// Fleets straight into the position-sorted table (already in position order).
void set_fleets(Session& s, const std::vector<Fleet>& fleets) {
    s.fleetsByPos.setRowCount(static_cast<int>(fleets.size()) + 1);
    for (std::size_t i = 0; i < fleets.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        s.fleetsByPos.setCell(col::Name, r, fleets[i].name);
        s.fleetsByPos.setCell(col::X, r, fleets[i].x);
        s.fleetsByPos.setCell(col::Y, r, fleets[i].y);
        s.fleetsByPos.setCell(col::Ships, r, fleets[i].ships);
        s.fleetsByPos.setCell(col::Owner, r, fleets[i].owner);
        s.fleetsByPos.setCell(col::Id, r, fleets[i].id);
    }
    for (int p = 1; p <= 16; ++p) s.Players[static_cast<std::size_t>(p)].Color = 0x000100u * static_cast<unsigned>(p);
}

// A view at Max Out with a scale of exactly 1 light year per pixel.
MapView unit_view() {
    MapView v;
    v.Map_extent = 1000;
    v.Map_scale = 1;
    v.Map_scale_y = 1;
    v.Image_height = 1000;
    return v;
}

}  // namespace

TEST(MapTransform, ExtentScaleAndRounding) {
    // Blank and damaged MAP lines have no place on the map and do not stop it.
    Session s = with_planets({{"1", "1000", "1000", "Origin"}, {"2", "1500", "2000", "North"}, {"", "", "", ""},
                              {"4", "12x4", "9999", "Broken"}});
    MapView v;
    compute_extent(v, s.planets);
    EXPECT_EQ(v.Map_extent, 1015);
    RecordingCanvas canvas;
    draw_stars(canvas, v, s);
    EXPECT_DOUBLE_EQ(v.Map_scale, 1.015);
    EXPECT_EQ(v.Image_height, 1000);
    EXPECT_EQ(v.pixel_x(1000), 0);
    EXPECT_EQ(v.pixel_y(1000), 1000);
    // The dot of the planet at the origin: a box 2 pixels around (0, Image_height).
    const auto dots = canvas.of(Op::Ellipse);
    ASSERT_EQ(dots.size(), 2u);  // the blank row is no planet
    EXPECT_EQ(dots[0].points, (std::vector<Point>{{-2, 998}, {2, 1002}}));
    EXPECT_EQ(dots[0].state.brushColor, 0xFFFFFFu);

    // Computed once: a later redraw keeps it.
    s.planets.setCell(2, 2, "3000");
    compute_extent(v, s.planets);
    EXPECT_EQ(v.Map_extent, 1015);

    MapView half = unit_view();
    half.Map_scale = 2;
    EXPECT_EQ(half.pixel_x(1005), 2);  // 2.5 rounds to even
    EXPECT_EQ(half.pixel_x(1007), 4);  // 3.5 rounds to even
    EXPECT_EQ(half.pixels(5), 2);
}

TEST(MapTransform, ZoomSetsSurfaceAndFont) {
    const std::tuple<Zoom, int, int> cases[] = {{Zoom::MaxOut, 1000, 8}, {Zoom::Zoom150, 1500, 9}, {Zoom::Zoom200, 2000, 10}};
    for (const auto& [zoom, size, font] : cases) {
        Session s = with_planets({{"1", "1100", "2000", "A"}});
        MapView v;
        v.zoom = zoom;
        compute_extent(v, s.planets);
        RecordingCanvas canvas;
        draw_stars(canvas, v, s);
        EXPECT_EQ(canvas.width(), size);
        EXPECT_EQ(canvas.height(), size);
        EXPECT_EQ(canvas.state.fontSize, font);
        EXPECT_EQ(canvas.state.fontName, "Tahoma");
        EXPECT_DOUBLE_EQ(v.Map_scale, 1015.0 / size);
    }
}

TEST(PlanetNames, DensityAndPhase) {
    std::vector<std::array<std::string, 4>> rows;
    for (int i = 1; i <= 12; ++i) rows.push_back({std::to_string(i), "1100", "1100", "P" + std::to_string(i)});
    Session s = with_planets(rows);
    struct Case {
        NameDensity density;
        bool phase;
        std::vector<std::string> labelled;
    };
    const Case cases[] = {
        {NameDensity::Quarter, true, {"P2", "P6", "P10"}},
        {NameDensity::Quarter, false, {"P1", "P5", "P9"}},
        {NameDensity::Half, true, {"P2", "P4", "P6", "P8", "P10", "P12"}},
        {NameDensity::All, true, {"P1", "P2", "P3", "P4", "P5", "P6", "P7", "P8", "P9", "P10", "P11", "P12"}},
        {NameDensity::None, true, {}},
    };
    for (const auto& c : cases) {
        MapView v;
        v.Map_extent = 1000;
        v.names = c.density;
        v.Name_phase = c.phase;
        RecordingCanvas canvas;
        draw_stars(canvas, v, s);
        std::vector<std::string> labelled;
        for (const auto& t : canvas.of(Op::Text)) labelled.push_back(t.text);
        EXPECT_EQ(labelled, c.labelled);
    }
    // Names come before dots, centred under them, white on a clear brush.
    MapView v;
    v.Map_extent = 1000;
    v.names = NameDensity::All;
    RecordingCanvas canvas;
    draw_stars(canvas, v, with_planets({{"1", "1100", "1200", "Abc"}}));
    ASSERT_EQ(canvas.calls.size(), 2u);
    EXPECT_EQ(canvas.calls[0].op, Op::Text);
    EXPECT_EQ(canvas.calls[0].points[0], (Point{100 - 9, 800 + 3}));
    EXPECT_EQ(canvas.calls[0].state.fontColor, 0xFFFFFFu);
    EXPECT_TRUE(canvas.calls[0].state.brushClear);
    EXPECT_EQ(canvas.calls[1].op, Op::Ellipse);
}

TEST(FleetLabels, RulesBySpotAndMode) {
    const ColorValue white = 0xFFFFFF, own = 0x000100, ally = 0x000200;
    struct Case {
        const char* what;
        FleetLabels mode;
        std::vector<Fleet> fleets;
        std::string label;
        ColorValue colour;
        Point at;  // label's top-left corner; fleet drawn at (100, 900)
    };
    const Case cases[] = {
        {"count, one fleet", FleetLabels::ShipCount, {{"Vor A", "1100", "1100", "7"}}, "7", own, {97, 886}},
        {"count, same owner summed", FleetLabels::ShipCount,
         {{"Vor A", "1100", "1100", "7"}, {"Vor B", "1100", "1100", "5"}}, "12", own, {94, 886}},
        {"count, mixed", FleetLabels::ShipCount,
         {{"Vor A", "1100", "1100", "7"}, {"Kes B", "1100", "1100", "5", "2"}}, "m", white, {97, 886}},
        {"count, zero", FleetLabels::ShipCount, {{"Vor A", "1100", "1100", "0"}}, "m", white, {97, 886}},
        {"numbers, one fleet", FleetLabels::Numbers, {{"Vor A #12", "1100", "1100", "1", "1", "12"}}, "#12", own, {91, 886}},
        {"numbers, ally mark", FleetLabels::Numbers, {{"Vor A #3*", "1100", "1100", "1", "1", "3"}}, "#3*", own, {91, 886}},
        {"numbers, no ID but mark", FleetLabels::Numbers, {{"Vor Far*", "1100", "1100"}}, "*", own, {97, 886}},
        {"numbers, same owner", FleetLabels::Numbers,
         {{"Vor A", "1100", "1100"}, {"Vor B", "1100", "1100"}}, "m", own, {98, 885}},
        {"numbers, mixed", FleetLabels::Numbers,
         {{"Vor A", "1100", "1100"}, {"Kes B", "1100", "1100", "1", "2"}}, "m", white, {98, 885}},
    };
    for (const auto& c : cases) {
        Session s;
        set_fleets(s, c.fleets);
        MapView v = unit_view();
        v.labels = c.mode;
        RecordingCanvas canvas;
        draw_fleets(canvas, v, s);
        const auto texts = canvas.of(Op::Text);
        ASSERT_EQ(texts.size(), 1u) << c.what;
        EXPECT_EQ(texts[0].text, c.label) << c.what;
        EXPECT_EQ(texts[0].state.fontColor, c.colour) << c.what;
        EXPECT_EQ(texts[0].points[0], c.at) << c.what;
        EXPECT_EQ(canvas.of(Op::Polygon).size(), 2u) << c.what;  // one marker per spot
    }
    (void)ally;
}

TEST(FleetMarkers, DiamondsColoursAndHiddenOwnFleets) {
    Session s;
    s.Own_race_name = "Vor";
    set_fleets(s, {{"Vor A #1", "1100", "1100", "1", "1", "1"},
                   {"Vor B #2", "1200", "1200", "1", "1", "2"},
                   {"Kes C #3", "1200", "1200", "1", "2", "3"},
                   {"Vor", "1300", "1300", "1", "1", ""},
                   {"Vorx Y", "1400", "1400", "1", "1", ""}});
    MapView v = unit_view();
    v.hideOwn = true;
    v.labels = FleetLabels::None;
    RecordingCanvas canvas;
    draw_fleets(canvas, v, s);
    const auto polygons = canvas.of(Op::Polygon);
    // Spot 1 (own) and spot 3 (name "Vor", all of it the own race) are hidden;
    // the mixed spot and the other race word are drawn.
    ASSERT_EQ(polygons.size(), 4u);
    EXPECT_EQ(polygons[0].state.penColor, 0xFFFFFFu);  // mixed spot in white
    EXPECT_EQ(polygons[0].points, (std::vector<Point>{{197, 800}, {200, 803}, {203, 800}, {200, 797}}));
    EXPECT_EQ(polygons[1].points, (std::vector<Point>{{196, 800}, {200, 804}, {204, 800}, {200, 796}}));
    EXPECT_EQ(polygons[2].state.penColor, 0x000100u);
    EXPECT_TRUE(polygons[2].state.brushClear);
    EXPECT_TRUE(canvas.of(Op::Text).empty());
}

TEST(FleetMarkers, NoFleetsDrawNothing) {
    Session s;
    RecordingCanvas canvas;
    draw_fleets(canvas, unit_view(), s);
    EXPECT_TRUE(canvas.calls.empty());
}

TEST(FleetMarkers, RowsWithoutAPositionAreLeftOutNotTheRest) {
    // Rows of empty or short report lines: no X or no Y. The position order
    // puts an empty row first.
    const struct {
        const char* what;
        std::vector<Fleet> fleets;
        std::size_t diamonds;
    } cases[] = {
        {"empty row first", {{"*", "", ""}, {"A #1", "1100", "1100"}, {"B #2", "1200", "1200"}}, 4},
        {"short line in the middle", {{"A #1", "1100", "1100"}, {"Short", "1150", ""}, {"B #2", "1200", "1200"}}, 4},
        {"owner that is no number", {{"A #1", "1100", "1100"}, {"C #3", "1100", "1100", "1", "x"}}, 2},
        {"damaged coordinates", {{"A #1", "12a4", "1100"}, {"B #2", "1200", "1200", "x"}}, 2},
        {"only rows without a position", {{"*", "", ""}, {"Short", "1150", ""}}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Session s;
        set_fleets(s, c.fleets);
        RecordingCanvas canvas;
        draw_fleets(canvas, unit_view(), s);
        EXPECT_EQ(canvas.of(Op::Polygon).size(), c.diamonds);
    }
    // A spot whose second row has no owner holds two fleets, as a click there
    // finds: the owners differ, so it is drawn as mixed, in white.
    Session s;
    set_fleets(s, {{"A #1", "1100", "1100"}, {"C #3", "1100", "1100", "1", ""}});
    RecordingCanvas canvas;
    draw_fleets(canvas, unit_view(), s);
    ASSERT_EQ(canvas.of(Op::Polygon).size(), 2u);
    EXPECT_EQ(canvas.of(Op::Polygon)[0].state.penColor, 0xFFFFFFu);
}

TEST(SelectionMarker, ArrowheadAndZoomRoundTrips) {
    MapView v = unit_view();
    v.Selected_object = {100, 200, 0x0000FF};
    RecordingCanvas canvas;
    draw_selection_marker(canvas, v);
    ASSERT_EQ(canvas.calls.size(), 1u);
    EXPECT_EQ(canvas.calls[0].points, (std::vector<Point>{{97, 213}, {100, 210}, {103, 213}, {100, 203}}));
    EXPECT_EQ(canvas.calls[0].state.brushColor, 0x00FFFFu);
    EXPECT_EQ(canvas.calls[0].state.penColor, 0x0000FFu);

    struct Case {
        std::vector<Zoom> path;
        int tolerance;
    };
    const Case cases[] = {
        {{Zoom::MaxOut, Zoom::Zoom200, Zoom::MaxOut}, 0},
        {{Zoom::MaxOut, Zoom::Zoom150, Zoom::MaxOut}, 1},
        {{Zoom::Zoom150, Zoom::Zoom200, Zoom::Zoom150}, 1},
        // The deeper levels go by the ratio of the surfaces.
        {{Zoom::MaxOut, Zoom::Zoom400, Zoom::MaxOut}, 0},
        {{Zoom::Zoom200, Zoom::Zoom300, Zoom::Zoom400, Zoom::Zoom200}, 1},
    };
    for (const auto& c : cases) {
        for (int start : {1, 333, 641, 999}) {
            MapView m;
            m.zoom = c.path[0];
            m.Selected_object = {static_cast<std::uint16_t>(start), static_cast<std::uint16_t>(start + 1), 0};
            for (std::size_t i = 1; i < c.path.size(); ++i) rescale_marker(m, c.path[i]);
            EXPECT_NEAR(m.Selected_object.Pixel_x, start, c.tolerance);
            EXPECT_NEAR(m.Selected_object.Pixel_y, start + 1, c.tolerance);
        }
    }
    MapView none;
    rescale_marker(none, Zoom::Zoom200);
    EXPECT_EQ(none.Selected_object.Pixel_x, 0);
    EXPECT_EQ(none.zoom, Zoom::Zoom200);
    RecordingCanvas empty;
    draw_selection_marker(empty, none);
    EXPECT_TRUE(empty.calls.empty());
}

// The levels and what each one draws at: surface, scale and label font; the
// zoom that fits the window takes the font of the level nearest in size.
TEST(Zoom, LevelsSurfacesAndFonts) {
    const struct {
        Zoom zoom;
        int fit, surface, font;
    } cases[] = {{Zoom::MaxOut, 0, 1000, 8},  {Zoom::Zoom150, 0, 1500, 9}, {Zoom::Zoom200, 0, 2000, 10},
                 {Zoom::Zoom300, 0, 3000, 11}, {Zoom::Zoom400, 0, 4000, 12}, {Zoom::Fit, 1240, 1240, 8},
                 {Zoom::Fit, 1800, 1800, 10},  {Zoom::Fit, 600, 1000, 8},    {Zoom::Fit, 9000, 4000, 12},
                 {Zoom::Zoom600, 0, 6000, 12}, {Zoom::Zoom800, 0, 8000, 12}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.surface);
        MapView v;
        v.Map_extent = 1015;
        set_zoom(v, c.zoom, c.fit);
        EXPECT_EQ(v.surface(), c.surface);
        EXPECT_EQ(v.labelFontSize(), c.font);
        EXPECT_DOUBLE_EQ(v.Map_scale, 1015.0 / c.surface);
        EXPECT_EQ(v.Image_height, c.surface);
    }
}

// Stepping in and out goes through the fixed levels; a fitted surface steps
// to the next fixed level beside it; the point under the pointer stays.
TEST(Zoom, StepsAndTheScrollThatKeepsThePointer) {
    MapView v;
    const std::vector<Zoom> in = {Zoom::Zoom150, Zoom::Zoom200, Zoom::Zoom300, Zoom::Zoom400,
                                  Zoom::Zoom600, Zoom::Zoom800, Zoom::Zoom800};
    for (const Zoom want : in) {
        set_zoom(v, zoom_step(v, 1));
        EXPECT_EQ(v.zoom, want);
    }
    EXPECT_EQ(zoom_step(v, -1), Zoom::Zoom600);
    set_zoom(v, Zoom::Fit, 1800);
    EXPECT_EQ(zoom_step(v, 1), Zoom::Zoom200);
    EXPECT_EQ(zoom_step(v, -1), Zoom::Zoom150);
    set_zoom(v, Zoom::MaxOut);
    EXPECT_EQ(zoom_step(v, -1), Zoom::MaxOut);

    // Pointer at (300, 200) of the view scrolled to (100, 50): picture point (400, 250).
    const ScrollPoint s = scroll_keeping({100, 50}, {300, 200}, 1000, 2000);
    EXPECT_EQ(s.x + 300, 800);
    EXPECT_EQ(s.y + 200, 500);
    const ScrollPoint back = scroll_keeping(s, {300, 200}, 2000, 1000);
    EXPECT_EQ(back.x, 100);
    EXPECT_EQ(back.y, 50);
}

// Since an earlier year: a dimmed line from where a fleet was to where it
// is, a ring round a new one, a cross where a gone one was; own fleets'
// marks go with them when they are hidden.
TEST(MovementMarks, LinesRingsAndCrosses) {
    Session s;
    s.Players[1] = {"Vorlani", 1, 0x0000FF};
    s.Players[2] = {"Kesh", 2, 0x00FF00};
    s.Own_race_name = "Vorlani";
    const auto move = [](MoveStatus status, const char* owner, int number, int ex, int ey, int x, int y) {
        FleetMove m;
        m.status = status;
        m.owner = owner;
        m.ownerNumber = number;
        m.earlierX = ex;
        m.earlierY = ey;
        m.currentX = x;
        m.currentY = y;
        return m;
    };
    const std::vector<FleetMove> moves = {move(MoveStatus::Moved, "Kesh", 2, 1100, 1100, 1150, 1100),
                                          move(MoveStatus::New, "Kesh", 2, 0, 0, 1200, 1200),
                                          move(MoveStatus::Gone, "Kesh", 2, 1300, 1300, 0, 0),
                                          move(MoveStatus::Still, "Kesh", 2, 1400, 1400, 1400, 1400),
                                          move(MoveStatus::Moved, "Vorlani", 1, 1500, 1500, 1500, 1520)};
    for (const bool hideOwn : {false, true}) {
        SCOPED_TRACE(hideOwn);
        MapView v = unit_view();
        v.hideOwn = hideOwn;
        RecordingCanvas canvas;
        draw_movement(canvas, v, s, moves);
        const auto lines = canvas.of(Op::LineTo);
        ASSERT_EQ(lines.size(), hideOwn ? 3u : 4u);
        EXPECT_EQ(lines[0].points[0], (Point{150, 900}));
        EXPECT_EQ(lines[0].state.penColor, dimmed(0x00FF00));
        EXPECT_EQ(lines[1].state.penColor, dimmed(0x00FF00));  // the cross
        ASSERT_EQ(canvas.of(Op::Ellipse).size(), 1u);
        EXPECT_EQ(canvas.of(Op::Ellipse)[0].points, (std::vector<Point>{{193, 793}, {207, 807}}));
        EXPECT_EQ(canvas.of(Op::Ellipse)[0].state.penColor, 0x00FF00u);
    }
}
