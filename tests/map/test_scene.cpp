// The kept scene and picture: a redraw reads the tables and draws planets and
// fleets again exactly when something they show changed, and otherwise puts
// the kept picture back; either way the result is the full redraw's.

#include <gtest/gtest.h>

#include <functional>

#include "map/drawing_list.h"
#include "map/map_redraw.h"
#include "map/scene.h"
#include "model/scanner_list.h"
#include "support/recording_canvas.h"
#include "support/recording_prompter.h"

using namespace trevanor;

TEST(TableRevision, EveryWriteMovesItOnAndNoTwoContentsShareOne) {
    const std::pair<const char*, std::function<void(TextTable&)>> writes[] = {
        {"setCell", [](TextTable& t) { t.setCell(1, 1, "x"); }},
        {"setRowCount", [](TextTable& t) { t.setRowCount(5); }},
        {"assignRows", [](TextTable& t) { t.assignRows({{"h"}, {"a"}}); }},
        {"reset", [](TextTable& t) { t.reset(); }},
        {"removeRow", [](TextTable& t) { t.removeRow(1); }},
        {"clearRows", [](TextTable& t) { t.clearRows(); }},
        {"row for writing", [](TextTable& t) { t.row(1)[0] = "y"; }},
    };
    for (const auto& [what, write] : writes) {
        SCOPED_TRACE(what);
        TextTable t(3);
        t.setRowCount(3);
        const std::uint64_t before = t.revision();
        const TextTable& read = t;
        (void)read.cell(1, 1);
        (void)read.row(1);
        EXPECT_EQ(t.revision(), before);  // reading changes nothing
        write(t);
        EXPECT_NE(t.revision(), before);
    }
    // A copy shows the same contents under the same number until either side
    // changes; a table moved from has other contents and another number.
    TextTable a(2);
    a.setCell(0, 1, "a");
    (void)a.revision();
    TextTable b = a;
    EXPECT_EQ(b.revision(), a.revision());
    b.setCell(0, 1, "b");
    a.setCell(0, 1, "c");
    EXPECT_NE(b.revision(), a.revision());
    const std::uint64_t was = a.revision();
    TextTable c = std::move(a);
    EXPECT_EQ(c.revision(), was);
    EXPECT_NE(a.revision(), was);
}

namespace {

struct Redraws : ::testing::Test {
    Session s;
    test::RecordingPrompter prompter;
    FleetReportReader reports{s, prompter};
    MapView view;
    Overlays overlays;

    Redraws() {
        s.planets.assignRows({{}, {"1", "1100", "1900", "Aldris"}, {"2", "1500", "1500", "Bexa"}, {"3", "1700", "1200", "Cor"}});
        s.fleetsByPos.setRowCount(4);
        const std::vector<std::array<std::string, 5>> fleets = {
            {"Vor A", "1100", "1900", "1", "3"}, {"Kes B", "1100", "1900", "2", "4"}, {"Vor C", "1600", "1300", "1", "5"}};
        for (int r = 1; r <= 3; ++r) {
            const auto& f = fleets[static_cast<std::size_t>(r - 1)];
            s.fleetsByPos.setCell(col::Name, r, f[0]);
            s.fleetsByPos.setCell(col::X, r, f[1]);
            s.fleetsByPos.setCell(col::Y, r, f[2]);
            s.fleetsByPos.setCell(col::Owner, r, f[3]);
            s.fleetsByPos.setCell(col::Id, r, f[4]);
            s.fleetsByPos.setCell(col::Ships, r, "2");
        }
        s.Players[1] = {"Vor", 1, 0x0000FF};
        s.Players[2] = {"Kes", 2, 0x00FF00};
        s.Own_race_name = "Vor";
        view.names = NameDensity::All;
    }

    // What a redraw from nothing (a new MapRedraw, a new canvas) draws.
    std::vector<RecordingCanvas::Call> full_redraw() {
        MapRedraw fresh(s, prompter, reports);
        RecordingCanvas canvas;
        MapView v = view;
        fresh.refresh_map(canvas, v, overlays);
        return canvas.calls;
    }
};

}  // namespace

TEST_F(Redraws, PictureDrawnAgainExactlyWhenWhatItShowsChanged) {
    struct Case {
        const char* what;
        std::function<void(Redraws&)> change;
        bool drawnAgain;
    };
    const Case cases[] = {
        {"nothing", [](Redraws&) {}, false},
        {"the marker", [](Redraws& t) { t.view.Selected_object = {50, 60, 0xFF}; }, false},
        {"a stored range", [](Redraws& t) {
             ScannerList(t.s.scannerRanges).add_or_replace({"R", 100, 50, RangeKind::Planet, 1500, 1500, 0xFF00}, t.prompter);
             t.overlays.storedRanges = true;
         }, false},
        {"routes shown", [](Redraws& t) { t.overlays.routes = true; }, false},
        {"name phase without phased names", [](Redraws& t) { t.view.Name_phase = !t.view.Name_phase; }, false},
        {"a fleet cell", [](Redraws& t) { t.s.fleetsByPos.setCell(col::Id, 3, "77"); }, true},
        {"a fleet row written through", [](Redraws& t) { t.s.fleetsByPos.row(1)[col::Ships] = "9"; }, true},
        {"the fleets read again", [](Redraws& t) { t.s.fleetsByPos.clearRows(); }, true},
        {"a planet name", [](Redraws& t) { t.s.planets.setCell(planet_col::Name, 2, "Bexa II"); }, true},
        {"a player colour", [](Redraws& t) { t.s.Players[2].Color = 0xFFFF00; }, true},
        {"the own race", [](Redraws& t) { t.s.Own_race_name = "Kes"; }, true},
        {"the zoom", [](Redraws& t) { t.view.zoom = Zoom::Zoom150; }, true},
        {"the names", [](Redraws& t) { t.view.names = NameDensity::Half; }, true},
        {"the labels", [](Redraws& t) { t.view.labels = FleetLabels::ShipCount; }, true},
        {"hide own", [](Redraws& t) { t.view.hideOwn = true; }, true},
        {"the extent", [](Redraws& t) { t.view.Map_extent = 2000; }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Redraws& t = *this;
        t.view = MapView{};
        t.view.names = NameDensity::All;
        t.overlays = Overlays{};
        MapRedraw redraw(t.s, t.prompter, t.reports);
        RecordingCanvas canvas;
        redraw.refresh_map(canvas, t.view, t.overlays);
        c.change(t);
        canvas.calls.clear();  // what the second redraw leaves
        redraw.refresh_map(canvas, t.view, t.overlays);
        EXPECT_EQ(canvas.keeps, c.drawnAgain ? 2 : 1);
        EXPECT_EQ(canvas.restores, c.drawnAgain ? 0 : 1);
        EXPECT_TRUE(canvas.calls == t.full_redraw());
        EXPECT_DOUBLE_EQ(t.view.Map_scale, t.view.Map_extent / surface_size(t.view.zoom));
    }
}

TEST_F(Redraws, PhaseOfPhasedNamesAndAnotherCanvasDrawAgain) {
    view.names = NameDensity::Half;
    MapRedraw redraw(s, prompter, reports);
    RecordingCanvas first, second;
    redraw.refresh_map(first, view, overlays);
    view.Name_phase = !view.Name_phase;
    first.calls.clear();
    redraw.refresh_map(first, view, overlays);
    EXPECT_EQ(first.keeps, 2);
    EXPECT_TRUE(first.calls == full_redraw());
    // The kept picture is the first canvas's: the second one gets its own.
    redraw.refresh_map(second, view, overlays);
    EXPECT_EQ(second.keeps, 1);
    EXPECT_TRUE(second.calls == full_redraw());
    first.calls.clear();
    redraw.refresh_map(first, view, overlays);
    EXPECT_EQ(first.restores, 0);
    EXPECT_TRUE(first.calls == full_redraw());
}

// The movement since an earlier year lies over the kept picture of planets
// and fleets: showing and hiding it puts kept pictures back, and a zoom
// level seen lately is put back too, not drawn again.
TEST_F(Redraws, MovementAndZoomLevelsComeFromKeptPictures) {
    FleetMove moved;
    moved.status = MoveStatus::Moved;
    moved.ownerNumber = 2;
    moved.earlierX = moved.earlierY = 1300;
    moved.currentX = 1600;
    moved.currentY = 1300;
    const std::vector<FleetMove> moves = {moved};
    MapRedraw redraw(s, prompter, reports);
    RecordingCanvas canvas;
    overlays.movement = &moves;
    overlays.movementGeneration = 1;
    const struct {
        const char* what;
        std::function<void(Redraws&)> change;
        int keeps, restores;
    } steps[] = {
        {"movement shown", [](Redraws&) {}, 2, 0},
        {"movement hidden", [](Redraws& t) { t.overlays.movement = nullptr; }, 2, 1},
        {"movement shown again", [&](Redraws& t) { t.overlays.movement = &moves; }, 2, 2},
        {"the moves changed", [](Redraws& t) { t.overlays.movementGeneration = 2; }, 3, 3},
        {"another zoom", [](Redraws& t) { set_zoom(t.view, Zoom::Zoom200); }, 5, 3},
        {"back to the first zoom", [](Redraws& t) { set_zoom(t.view, Zoom::MaxOut); }, 5, 4},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.change(*this);
        canvas.calls.clear();
        redraw.refresh_map(canvas, view, overlays);
        EXPECT_EQ(canvas.keeps, step.keeps);
        EXPECT_EQ(canvas.restores, step.restores);
        EXPECT_TRUE(canvas.calls == full_redraw());
    }
}

TEST(Scene, LeavesOutRowsWithoutAPositionAndReadsOnlyWhenChanged) {
    Session s;
    s.planets.assignRows({{}, {"1", "1100", "1100", "A"}, {"2", "", "1200", "Blank"}, {"3", "1300", "1300", "C"}});
    s.fleetsByPos.assignRows({{}, {"*"}, {"Vor A", "1100", "1100"}});
    s.fleetsByPos.setCell(col::Owner, 2, "1");
    MapScene scene;
    EXPECT_TRUE(scene.update(s));
    ASSERT_EQ(scene.planets().size(), 2u);
    EXPECT_EQ(scene.planets()[1].row, 3);  // names go by the row
    ASSERT_EQ(scene.spots().size(), 1u);
    EXPECT_FALSE(scene.update(s));
    const std::uint64_t generation = scene.generation();
    s.Players[1].Color = 0x123456;
    EXPECT_TRUE(scene.update(s));
    EXPECT_EQ(scene.spots()[0].color, 0x123456u);
    EXPECT_NE(scene.generation(), generation);
}

// A large table is read in two halves at once: every spot comes once, in
// order, also the one that stands where the table is halved, and rows
// without a position are left out on either side.
TEST(Scene, LargeTableGivesEverySpotOnceWhereverItIsHalved) {
    for (const int middleSpot : {1, 9, 40}) {  // fleets at the spot around the middle row
        SCOPED_TRACE(middleSpot);
        Session s;
        std::vector<std::vector<std::string>> rows(1);
        int place = 0;
        const auto add_spot = [&](int fleets) {
            ++place;
            for (int k = 0; k < fleets; ++k)
                rows.push_back({"Vor F", std::to_string(1000 + place / 50), std::to_string(1000 + place % 50)});
        };
        const int middleFirst = 3000 - middleSpot / 2;  // the table is halved at row 3000 of 6000
        while (static_cast<int>(rows.size()) + 5 < middleFirst) add_spot(static_cast<int>(rows.size() % 5) + 1);
        rows.push_back({"Vor lost"});  // no position
        while (static_cast<int>(rows.size()) < middleFirst) add_spot(1);
        add_spot(middleSpot);
        while (rows.size() + 3 < 6001) add_spot(static_cast<int>(rows.size() % 3) + 1);
        while (rows.size() < 6001) add_spot(1);
        s.fleetsByPos.assignRows(rows);
        // The spots as a plain walk finds them: runs of the same position.
        std::vector<std::pair<int, int>> expected;  // first row, fleets
        for (int r = 1; r < static_cast<int>(rows.size()); ++r) {
            if (rows[static_cast<std::size_t>(r)].size() < 3) continue;
            if (!expected.empty() && expected.back().first + expected.back().second == r &&
                rows[static_cast<std::size_t>(r)] == rows[static_cast<std::size_t>(expected.back().first)])
                ++expected.back().second;
            else
                expected.emplace_back(r, 1);
        }
        const MapScene scene(s);
        std::vector<std::pair<int, int>> read;
        for (const SceneSpot& spot : scene.spots()) read.emplace_back(spot.row, spot.fleets);
        EXPECT_EQ(read, expected);
    }
}

// The drawing kept as a list: a picture kept is put back by cutting the list
// to its length, while what came before is still the same; a fill of the
// whole surface starts the list over; playing it draws only what meets the
// part asked for.
TEST(DrawingList, KeptPicturesComeBackWhileTheirBeginningStands) {
    RecordingCanvas measure;
    DrawingList list(measure);
    list.setSize(100, 100);
    list.fillRect(0, 0, 100, 100);
    list.ellipse(10, 10, 20, 20);
    const std::uint64_t plain = list.keepPicture();
    list.moveTo(50, 50);
    list.lineTo(90, 90);
    const std::uint64_t moved = list.keepPicture();
    list.fillRect(5, 5, 8, 8);
    EXPECT_TRUE(list.restorePicture(moved));
    EXPECT_EQ(list.size(), 3u);
    EXPECT_TRUE(list.restorePicture(moved));  // nothing drawn over it since
    EXPECT_TRUE(list.restorePicture(plain));
    EXPECT_EQ(list.size(), 2u);
    list.ellipse(60, 60, 70, 70);
    EXPECT_FALSE(list.restorePicture(moved));  // what it stood on was drawn over
    EXPECT_EQ(list.size(), 3u);
    list.fillRect(-1, 0, 100, 101);
    EXPECT_EQ(list.size(), 1u);
    list.ellipse(60, 60, 70, 70);
    RecordingCanvas played;
    list.play(played, {0, 0, 50, 50});
    EXPECT_EQ(played.calls.size(), 1u);  // the fill only
}
