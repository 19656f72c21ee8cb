// The map's picture of the demo game and of the largest game, drawn the fast
// way (the kept scene and picture, prepared images) and the plain way (a
// redraw from nothing, every primitive through QPainter), at every zoom, name
// density and fleet label mode: the two must be the same, pixel for pixel.

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "game_generator.h"
#include "map/map_redraw.h"
#include "model/memory_settings.h"
#include "model/model.h"
#include "model/scanner_list.h"
#include "map/drawing_list.h"
#include "platform/map_tiles.h"
#include "platform/qt_canvas.h"
#include "support/image_difference.h"
#include "support/recording_prompter.h"

using namespace trevanor;

namespace {

struct Game {
    MemorySettings store;
    test::RecordingPrompter prompter;
    WindowHooks hooks;
    Model model{store, prompter, hooks};
    Session& s = model.session;

    Game(const std::string& map, const std::string& report) {
        s.Default_colors = kDefaultColors;
        model.commands.read_MAP_file(map);
        model.commands.reports().read(report);
    }
    // Three stored ranges, the jump potential of a fleet, the marker, and the
    // routes of every fleet where the game is small enough.
    Overlays overlays(bool routes) {
        ScannerList list(s.scannerRanges);
        if (list.empty())
            for (int i = 0; i < 3; ++i)
                list.add_or_replace({"R" + std::to_string(i), 120, 60, RangeKind::Planet, 1200 + 150 * i, 1300 + 100 * i,
                                     0x00C000u >> (4 * i)},
                                    prompter);
        Overlays o;
        o.storedRanges = true;
        o.jumpPotential = true;
        o.jumpFleet = s.fleets.cell(col::UniqueName, 3);
        o.routes = routes;
        return o;
    }
};

Game& demo() {
    static Game game(TREVANOR_SAMPLES_DIR "/DEMO.MAP", TREVANOR_SAMPLES_DIR "/DEMO.F1");
    return game;
}

Game& largest() {
    // A folder of this process's own: the tests run side by side.
    static const std::filesystem::path dir = [] {
        const auto d = std::filesystem::temp_directory_path() /
                       ("trevanor-map-picture-" + std::to_string(QCoreApplication::applicationPid()));
        std::filesystem::create_directories(d);
        const gen::GameFiles files = gen::make_max_game(7);
        std::ofstream(d / "MAX.MAP", std::ios::binary) << files.map;
        std::ofstream(d / "MAX.F1", std::ios::binary) << files.reports.at(0).second;
        return d;
    }();
    static Game game((dir / "MAX.MAP").string(), (dir / "MAX.F1").string());
    static const bool removed = std::filesystem::remove_all(dir) > 0;
    (void)removed;
    return game;
}

void expect_same_pictures(Game& g, Zoom zoom, bool routes) {
    const Overlays overlays = g.overlays(routes);
    MapRedraw redraw(g.s, g.prompter, g.model.commands.reports());
    QtCanvas fast;
    fast.setPreparedPerPicture(INT_MAX);  // every label from a prepared image
    for (const NameDensity names : {NameDensity::None, NameDensity::Quarter, NameDensity::Half, NameDensity::All})
        for (const FleetLabels labels : {FleetLabels::Numbers, FleetLabels::ShipCount, FleetLabels::None}) {
            SCOPED_TRACE(testing::Message() << "zoom " << static_cast<int>(zoom) << ", names "
                                            << static_cast<int>(names) << ", labels " << static_cast<int>(labels));
            MapView view;
            view.zoom = zoom;
            view.names = names;
            view.labels = labels;
            view.Name_phase = labels != FleetLabels::ShipCount;
            view.Selected_object = {400, 500, 0xFF00FF};
            QtCanvas plain(QtCanvas::Drawing::Plain);
            MapRedraw fresh(g.s, g.prompter, g.model.commands.reports());
            MapView plainView = view;
            fresh.refresh_map(plain, plainView, overlays);

            QtCanvas::Counts before = fast.counts();
            const auto shapes = [&] {
                return fast.counts().prepared + fast.counts().painted - before.prepared - before.painted;
            };
            redraw.refresh_map(fast, view, overlays);
            const long whole = shapes();
            EXPECT_EQ(test::image_difference(fast.image(), plain.image()), "");
            // Only the overlays again: the kept picture comes back from under
            // whatever was drawn over it since, and the planets and fleets are
            // not drawn again.
            fast.state.brushColor = 0x808080;
            fast.fillRect(100, 100, 900, 900);
            before = fast.counts();
            redraw.refresh_map(fast, view, overlays);
            EXPECT_LT(shapes(), whole);
            EXPECT_EQ(test::image_difference(fast.image(), plain.image()), "");
        }
    EXPECT_GT(fast.counts().prepared, 20 * fast.counts().painted);
}

}  // namespace

TEST(MapPicture, DemoGameTheSameBothWays) {
    for (const Zoom zoom : {Zoom::MaxOut, Zoom::Zoom150, Zoom::Zoom200}) expect_same_pictures(demo(), zoom, true);
}

TEST(MapPicture, LargestGameTheSameBothWaysAtMaxOut) { expect_same_pictures(largest(), Zoom::MaxOut, false); }
TEST(MapPicture, LargestGameTheSameBothWaysAt150) { expect_same_pictures(largest(), Zoom::Zoom150, false); }
TEST(MapPicture, LargestGameTheSameBothWaysAt200) { expect_same_pictures(largest(), Zoom::Zoom200, true); }

namespace {

// The drawing list of a redraw, and the whole picture drawn at once the
// way the picture file is.
struct Drawn {
    MapTiles tiles;
    DrawingList list{tiles.canvas()};
    QImage whole;
};

void draw_both(Game& g, Drawn& d, const MapView& view, const Overlays& overlays, double scale) {
    MapView listView = view;
    MapRedraw(g.s, g.prompter, g.model.commands.reports()).refresh_map(d.list, listView, overlays);
    d.tiles.show(d.list, scale);
    QtCanvas canvas;
    canvas.setScale(scale);
    MapView wholeView = view;
    MapRedraw(g.s, g.prompter, g.model.commands.reports()).refresh_map(canvas, wholeView, overlays);
    d.whole = canvas.image();
    d.whole.setDevicePixelRatio(1);
}

}  // namespace

// The window draws the map in tiles of the screen's pixels: each shows the
// very pixels of the whole picture at its place, the labels, lines and
// circles that cross a tile's edge included, at every zoom and scale.
TEST(MapPicture, TilesShowThePixelsOfTheWholePicture) {
    const struct {
        Game& (*game)();
        Zoom zoom;
        double scale;
        NameDensity names;
        FleetLabels labels;
        bool routes;
    } cases[] = {
        {demo, Zoom::MaxOut, 1, NameDensity::All, FleetLabels::Numbers, true},
        {demo, Zoom::Zoom300, 1.5, NameDensity::Half, FleetLabels::ShipCount, true},
        {demo, Zoom::Zoom800, 1, NameDensity::All, FleetLabels::Numbers, true},
        {demo, Zoom::Zoom200, 2, NameDensity::All, FleetLabels::Numbers, true},
        {largest, Zoom::MaxOut, 1.25, NameDensity::All, FleetLabels::Numbers, false},
        {largest, Zoom::Zoom200, 2, NameDensity::Quarter, FleetLabels::Numbers, true},
        {largest, Zoom::Zoom400, 1, NameDensity::All, FleetLabels::ShipCount, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "zoom " << static_cast<int>(c.zoom) << ", scale " << c.scale);
        Game& g = c.game();
        MapView view;
        view.zoom = c.zoom;
        view.names = c.names;
        view.labels = c.labels;
        view.Selected_object = {255, 511, 0xFF00FF};  // the marker across tile edges
        Drawn d;
        draw_both(g, d, view, g.overlays(c.routes), c.scale);
        const QRect surface = d.whole.rect();
        // Parts across tile corners, at the surface's far corner, and all of it where it is small.
        std::vector<QRect> parts = {QRect(200, 190, 333, 150), QRect(700, 500, 300, 560),
                                    QRect(surface.bottomRight() - QPoint(400, 300), QSize(401, 301))};
        if (surface.width() <= 4000) parts.push_back(surface);
        for (const QRect& part : parts) {
            SCOPED_TRACE(testing::Message() << "part at " << part.x() << ", " << part.y());
            EXPECT_EQ(test::image_difference(d.tiles.pixels(part), d.whole.copy(part)), "");
        }
    }
}

// A click that moves the marker redraws the tiles under it, where it was and
// where it is, and no others.
TEST(MapPicture, AMovedMarkerRedrawsOnlyItsTiles) {
    Game& g = demo();
    MapView view;
    view.zoom = Zoom::Zoom200;
    view.Selected_object = {300, 300, 0xFF00FF};
    MapTiles tiles;
    DrawingList list(tiles.canvas());
    MapRedraw redraw(g.s, g.prompter, g.model.commands.reports());
    redraw.refresh_map(list, view, g.overlays(true));
    tiles.show(list, 1);
    const QRect all(0, 0, list.width(), list.height());
    tiles.pixels(all);
    const long drawn = tiles.drawnTiles();
    view.Selected_object = {1500, 1500, 0xFF00FF};
    redraw.refresh_map(list, view, g.overlays(true));
    const QRegion changed = tiles.show(list, 1);
    EXPECT_TRUE(changed.contains(QPoint(300, 310)) && changed.contains(QPoint(1500, 1510)));
    EXPECT_EQ(changed.rectCount(), 2);
    tiles.pixels(all);
    EXPECT_EQ(tiles.drawnTiles() - drawn, 2);
}

// Tiles far from what the window shows go beyond a few screens' worth, and a
// window of pixels most of whose tiles went leaves the rest pixels of their
// own, so that it goes too: what is held stays near what the tiles show.
TEST(MapPicture, TilesHeldStayNearWhatIsShown) {
    Game& g = demo();
    MapView view;
    view.zoom = Zoom::Zoom400;  // 16 x 16 tiles
    MapTiles tiles;
    DrawingList list(tiles.canvas());
    MapRedraw(g.s, g.prompter, g.model.commands.reports()).refresh_map(list, view, g.overlays(false));
    tiles.show(list, 1);
    tiles.pixels(QRect(0, 0, list.width(), list.height()));  // every tile, drawn together
    EXPECT_EQ(tiles.heldTiles(), 256u);
    tiles.prepareAround(QRect(0, 0, 300, 300), 0);
    EXPECT_EQ(tiles.heldTiles(), 9u + 64u);  // those shown, the margin and 64 spare ones
    EXPECT_LE(tiles.heldBytes(), tiles.heldTiles() * 256 * 256 * 4);
}
