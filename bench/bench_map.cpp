// The map's picture of the largest game (about 2,000 planets, 16 players with
// 512 fleets each, and twice the fleets to show how it grows), drawn as the
// map window draws it: through MapRedraw::refresh_map onto a QtCanvas.
//
//   BM_SceneBuild    reading the tables into the scene
//   BM_SceneBuildCold  the same after as much memory was written as a full
//                    redraw writes, so the table comes from memory as it does
//                    in a redraw
//   BM_FullRedraw    the data changed: scene and picture made anew
//   BM_FullRedrawScaled  the same at a screen's scale (percent): 100 beside
//                    200, the picture then twice as many pixels each way
//   BM_KeptPicture   only the overlays changed: the kept picture put back,
//                    stored ranges, the jump potential and the marker drawn
//   BM_Floor         what any way of drawing the same picture costs at least:
//                    filling the surface and copying a prepared image per
//                    diamond, dot and label (as many and as large as the game's)
//   BM_PlainRedraw   a full redraw with every primitive through QPainter
//   BM_Prepare       the first redraw on a new canvas, preparing every image
//   BM_VisibleWindow  what the map window draws when a zoom level is shown:
//                    the tiles of its visible part (1600 x 1000 pixels of
//                    the map, at the screen's scale in percent) drawn from
//                    the drawing list, with every name; the cost stays the
//                    same at every zoom
//   BM_WindowFloor   copying the visible part's pixels once: what showing
//                    it costs at least
//   BM_RecordDrawing the redraw recorded into the drawing list (what a
//                    change costs before any tile is drawn)
//   BM_ReachFollows  who can reach the middle of the map within 1 year,
//                    then within N: the list worked out, the redraw
//                    recorded and the visible tiles it changed drawn again
//   BM_RoutesOn      "Fleet Routes" on, then off, in the window's tiles at
//                    200% with every name: the redraw recorded and the
//                    visible tiles it changed drawn (every fleet's route)
//   BM_VisibleWindowReach  the visible window at 200% drawn whole with the
//                    marks of who can reach the middle within N years (0:
//                    none), beside BM_VisibleWindow's figure
//   BM_RoutesAndRanges  every fleet's route (3 years) and 50 stored ranges at
//                    60% over the picture at 200% with every name: a full
//                    redraw, and one over the kept picture (the years shown
//                    or the route filter changed)

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "offscreen_benchmarks.h"
#include "bench_support.h"
#include "map/map_redraw.h"
#include "map/reach_marks.h"
#include "map/scene.h"
#include "model/scanner_list.h"
#include "map/drawing_list.h"
#include "platform/map_tiles.h"
#include "platform/qt_canvas.h"
#include "platform/services.h"

using namespace trevanor;

namespace {

struct Loaded : bench::Program {
    explicit Loaded(int fleetsPerPlayer) {
        gen::MaxGameOptions options;
        options.fleetsPerPlayer = fleetsPerPlayer;
        const auto paths = bench::write_game(gen::make_max_game(7, options),
                                             "trevanor-bench-map-" + std::to_string(fleetsPerPlayer));
        core.read_MAP_file(paths[0]);
        read_report(paths[1]);
    }
    MapRedraw redraw{session, prompter, core.reports()};
};

Loaded& game(int fleetsPerPlayer) {
    static std::map<int, std::unique_ptr<Loaded>> games;
    auto& g = games[fleetsPerPlayer];
    if (!g) g = std::make_unique<Loaded>(fleetsPerPlayer);
    return *g;
}

MapView view_of(const benchmark::State& state) {
    MapView view;
    view.zoom = static_cast<Zoom>(state.range(0));
    view.names = state.range(1) ? NameDensity::All : NameDensity::None;
    view.labels = FleetLabels::Numbers;
    return view;
}

// Marks the fleet table changed, as an import or merge would.
void touch_data(Session& s) { s.fleetsByPos.row(1); }

void BM_SceneBuild(benchmark::State& state) {
    Loaded& g = game(static_cast<int>(state.range(0)));
    MapScene scene;
    for (auto _ : state) {
        touch_data(g.session);
        scene.update(g.session);
        benchmark::DoNotOptimize(scene.spots().data());
    }
    state.counters["spots"] = static_cast<double>(scene.spots().size());
}
BENCHMARK(BM_SceneBuild)->Arg(512)->Arg(1024)->Unit(benchmark::kMillisecond);

void BM_SceneBuildCold(benchmark::State& state) {
    Loaded& g = game(static_cast<int>(state.range(0)));
    MapScene scene;
    std::vector<std::uint32_t> picture(std::size_t{2000} * 2000 * 2);  // the picture and its kept copy
    for (auto _ : state) {
        state.PauseTiming();
        std::fill(picture.begin(), picture.end(), picture[1] + 1);
        benchmark::DoNotOptimize(picture.data());
        touch_data(g.session);
        state.ResumeTiming();
        scene.update(g.session);
        benchmark::DoNotOptimize(scene.spots().data());
    }
}
BENCHMARK(BM_SceneBuildCold)->Arg(512)->Arg(1024)->Unit(benchmark::kMillisecond);

// The program's canvas prepares its images over its first redraws; here
// they are all prepared at once before measuring.
void warm_up(Loaded& g, QtCanvas& canvas, MapView& view, const Overlays& overlays) {
    canvas.setPreparedPerPicture(1 << 30);
    touch_data(g.session);
    g.redraw.refresh_map(canvas, view, overlays);
    canvas.setPreparedPerPicture(1000);
}

// The whole map redrawn once per iteration, as after a change of the data, with
// what QPainter drew and what was prepared anew per redraw.
void time_full_redraws(benchmark::State& state, QtCanvas& canvas) {
    Loaded& g = game(static_cast<int>(state.range(2)));
    MapView view = view_of(state);
    warm_up(g, canvas, view, Overlays{});
    const QtCanvas::Counts before = canvas.counts();
    for (auto _ : state) {
        touch_data(g.session);
        g.redraw.refresh_map(canvas, view, Overlays{});
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
    const double redraws = static_cast<double>(state.iterations());
    state.counters["painted"] = static_cast<double>(canvas.counts().painted - before.painted) / redraws;
    state.counters["prepared"] = static_cast<double>(canvas.counts().prepared - before.prepared) / redraws;
}

void BM_FullRedraw(benchmark::State& state) {
    QtCanvas canvas;
    time_full_redraws(state, canvas);
}
BENCHMARK(BM_FullRedraw)
    ->Args({0, 0, 512})->Args({2, 1, 512})->Args({0, 0, 1024})->Args({2, 1, 1024})
    ->Unit(benchmark::kMillisecond);

void BM_FullRedrawScaled(benchmark::State& state) {
    QtCanvas canvas;
    canvas.setScale(static_cast<qreal>(state.range(3)) / 100);
    time_full_redraws(state, canvas);
    state.counters["pixels"] = static_cast<double>(canvas.image().width()) * canvas.image().height();
}
BENCHMARK(BM_FullRedrawScaled)
    ->Args({0, 0, 512, 100})->Args({0, 0, 512, 200})->Args({2, 1, 512, 100})->Args({2, 1, 512, 200})
    ->Unit(benchmark::kMillisecond);

// Three stored ranges, the jump potential of a fleet and the marker.
Overlays some_overlays(Loaded& g, MapView& view) {
    ScannerList list(g.session.scannerRanges);
    if (list.empty())
        for (int i = 0; i < 3; ++i)
            list.add_or_replace({"Range " + std::to_string(i), 150, 80, RangeKind::Fleet, 1300 + 300 * i, 1400 + 200 * i,
                                 0x00FF00u >> i},
                                g.prompter);
    Overlays o;
    o.storedRanges = true;
    o.jumpPotential = true;
    o.jumpFleet = g.session.fleets.cell(col::UniqueName, 1);
    view.Selected_object = {700, 800, 0x0000FF};
    return o;
}

void BM_KeptPicture(benchmark::State& state) {
    Loaded& g = game(static_cast<int>(state.range(2)));
    QtCanvas canvas;
    MapView view = view_of(state);
    const Overlays overlays = some_overlays(g, view);
    warm_up(g, canvas, view, overlays);
    for (auto _ : state) {
        g.redraw.refresh_map(canvas, view, overlays);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}
BENCHMARK(BM_KeptPicture)->Args({2, 1, 512})->Args({2, 1, 1024})->Unit(benchmark::kMillisecond);

// The sizes of everything a full redraw copies: one entry per diamond pair,
// planet dot and label, with the label's size in the zoom's font.
struct Blit {
    int x, y, w, h;
};
std::vector<Blit> blits_of(Loaded& g, const MapView& v) {
    MapScene scene(g.session);
    QtCanvas measure;
    measure.state.fontSize = v.labelFontSize();
    MapView view = v;
    set_zoom(view, view.zoom);
    size_surface(measure, view);
    const int h = measure.textHeight("m");
    std::vector<Blit> out;
    for (const ScenePlanet& p : scene.planets()) {
        out.push_back({view.pixel_x(p.x) - 2, view.pixel_y(p.y) - 2, 5, 5});
        if (view.names != NameDensity::None)
            out.push_back({view.pixel_x(p.x), view.pixel_y(p.y) + 3, measure.textWidth(p.name), h});
    }
    for (const SceneSpot& s : scene.spots()) {
        out.push_back({view.pixel_x(s.x) - 4, view.pixel_y(s.y) - 4, 9, 9});
        out.push_back({view.pixel_x(s.x), view.pixel_y(s.y) - h - 1, measure.textWidth(s.numberLabel), h});
    }
    return out;
}

// A new canvas at its first redraw: every label and shape prepared.
void BM_Prepare(benchmark::State& state) {
    Loaded& g = game(static_cast<int>(state.range(2)));
    MapView view = view_of(state);
    for (auto _ : state) {
        QtCanvas canvas;
        canvas.setPreparedPerPicture(1 << 30);
        touch_data(g.session);
        g.redraw.refresh_map(canvas, view, Overlays{});
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}
BENCHMARK(BM_Prepare)->Args({2, 1, 512})->Unit(benchmark::kMillisecond);

// Every route for three years and 50 stored ranges at 60%.
Overlays busy_overlays(Loaded& g) {
    ScannerList list(g.session.scannerRanges);
    list.clear();
    for (int i = 0; i < 50; ++i)
        list.add_or_replace({"Busy " + std::to_string(i), 100 + 5 * i, 40, RangeKind::Fleet, 1100 + (i % 10) * 180,
                             1100 + (i / 10) * 350, 0x0080FFu << (i % 3)},
                            g.prompter);
    Overlays o;
    o.storedRanges = true;
    o.efficiencyText = "60%";
    o.routes = true;
    o.routeFilter = "_All";
    o.jumps = 3;
    return o;
}

void BM_RoutesAndRanges(benchmark::State& state) {
    Loaded& g = game(static_cast<int>(state.range(1)));
    const bool fullRedraw = state.range(0) != 0;
    QtCanvas canvas;
    MapView view;
    view.zoom = Zoom::Zoom200;
    view.names = NameDensity::All;
    const Overlays overlays = busy_overlays(g);
    warm_up(g, canvas, view, overlays);
    for (auto _ : state) {
        // Otherwise the years shown or the route filter changed: the routes
        // are drawn anew over the kept picture all the same.
        if (fullRedraw) touch_data(g.session);
        g.redraw.refresh_map(canvas, view, overlays);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
    ScannerList(g.session.scannerRanges).clear();
}
BENCHMARK(BM_RoutesAndRanges)->Args({1, 512})->Args({0, 512})->Args({1, 1024})->Args({0, 1024})
    ->Unit(benchmark::kMillisecond);

void BM_Floor(benchmark::State& state) {
    Loaded& g = game(static_cast<int>(state.range(2)));
    const MapView view = view_of(state);
    const int size = view.surface();
    std::vector<Blit> blits = blits_of(g, view);
    QImage surface(size, size, QImage::Format_RGB32);
    QImage prepared(256, 64, QImage::Format_RGB32);
    prepared.fill(0xFFC08040u);
    for (Blit& b : blits) {  // kept inside the surface
        b.w = std::min(b.w, 256);
        b.x = std::clamp(b.x, 0, size - b.w);
        b.y = std::clamp(b.y, 0, size - b.h);
    }
    for (auto _ : state) {
        surface.fill(0xFF000000u);
        auto* bits = surface.bits();
        const qsizetype line = surface.bytesPerLine();
        for (const Blit& b : blits)
            for (int y = 0; y < b.h; ++y)
                std::memcpy(bits + (b.y + y) * line + b.x * 4, prepared.constScanLine(y), static_cast<std::size_t>(b.w) * 4);
        benchmark::DoNotOptimize(surface.constBits());
    }
    state.counters["blits"] = static_cast<double>(blits.size());
}
BENCHMARK(BM_Floor)
    ->Args({0, 0, 512})->Args({2, 1, 512})->Args({0, 0, 1024})->Args({2, 1, 1024})
    ->Unit(benchmark::kMillisecond);

void BM_PlainRedraw(benchmark::State& state) {
    Loaded& g = game(static_cast<int>(state.range(2)));
    QtCanvas canvas(QtCanvas::Drawing::Plain);
    MapView view = view_of(state);
    for (auto _ : state) {
        touch_data(g.session);
        g.redraw.refresh_map(canvas, view, Overlays{});
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}
BENCHMARK(BM_PlainRedraw)->Args({0, 0, 512})->Args({2, 1, 512})->Unit(benchmark::kMillisecond);

// The visible part of a window of 1920 x 1080 at the scale: the map's
// pixels beside the column of controls, in the middle of the surface.
QRect visible_part(const DrawingList& list, double scale) {
    const QSize shown(1600, 1000);
    const QRect part(QPoint(list.width() / 2 - shown.width() / 2, list.height() / 2 - shown.height() / 2), shown);
    return QRect(QPoint(static_cast<int>(part.left() * scale), static_cast<int>(part.top() * scale)),
                 part.size() * scale);
}

void BM_VisibleWindow(benchmark::State& state) {
    Loaded& g = game(512);
    MapView view;
    view.zoom = static_cast<Zoom>(state.range(0));
    view.names = NameDensity::All;
    const double scale = static_cast<double>(state.range(1)) / 100;
    MapTiles tiles;
    DrawingList list(tiles.canvas());
    g.redraw.refresh_map(list, view, Overlays{});
    tiles.show(list, scale);
    tiles.canvas().setPreparedPerPicture(1 << 30);  // every image prepared before measuring
    const QRect part = visible_part(list, scale);
    tiles.pixels(part);
    for (auto _ : state) {
        tiles.forget();
        benchmark::DoNotOptimize(tiles.pixels(part).constBits());
    }
    state.counters["tiles"] = static_cast<double>(tiles.heldTiles());
}
BENCHMARK(BM_VisibleWindow)
    ->ArgsProduct({{1, 2, 3, 4, 6, 7}, {100, 200}})
    ->Unit(benchmark::kMillisecond);

void BM_WindowFloor(benchmark::State& state) {
    const double scale = static_cast<double>(state.range(0)) / 100;
    QImage from(QSize(1600, 1000) * scale, QImage::Format_RGB32), to(from.size(), QImage::Format_RGB32);
    from.fill(Qt::black);
    for (auto _ : state) {
        std::memcpy(to.bits(), from.constBits(), static_cast<std::size_t>(from.sizeInBytes()));
        benchmark::DoNotOptimize(to.constBits());
    }
}
BENCHMARK(BM_WindowFloor)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_RecordDrawing(benchmark::State& state) {
    Loaded& g = game(512);
    MapView view;
    view.zoom = static_cast<Zoom>(state.range(0));
    view.names = NameDensity::All;
    QtCanvas measure;
    DrawingList list(measure);
    for (auto _ : state) {
        touch_data(g.session);
        g.redraw.refresh_map(list, view, Overlays{});
        benchmark::DoNotOptimize(list.size());
    }
    state.counters["primitives"] = static_cast<double>(list.size());
}
BENCHMARK(BM_RecordDrawing)->Arg(0)->Arg(7)->Unit(benchmark::kMillisecond);

// Who can reach the middle of the largest game within the years, every owner.
ReachMarks reach_marks(Loaded& g, int years) {
    ReachMarks marks;
    marks.place = {2006, 1995, "middle"};
    marks.fleets = who_can_reach(g.session, marks.place, years,
                                 [&](int owner) { return route_filter_passes(g.session, "_All", owner); });
    return marks;
}

// The largest game's map at 200% with every name in a 1920 x 1080 window's
// tiles at the scale, drawn once with `overlays`, every label prepared.
struct ShownMap {
    Loaded& g = game(512);
    MapView view;
    MapTiles tiles;
    DrawingList list{tiles.canvas()};
    double scale;
    QRect part;
    ShownMap(double scalePercent, const Overlays& overlays) : scale(scalePercent / 100) {
        view.zoom = Zoom::Zoom200;
        view.names = NameDensity::All;
        redraw(overlays);
        tiles.canvas().setPreparedPerPicture(1 << 30);
        part = visible_part(list, scale);
        tiles.pixels(part);
    }
    // The redraw recorded, and the visible tiles it changed drawn.
    QImage redraw(const Overlays& overlays) {
        g.redraw.refresh_map(list, view, overlays);
        tiles.show(list, scale);
        return tiles.pixels(part);
    }
};

void BM_ReachFollows(benchmark::State& state) {
    Overlays overlays;
    ReachMarks marks = reach_marks(game(512), 1);
    overlays.reach = &marks;
    ShownMap shown(static_cast<double>(state.range(1)), overlays);
    bool far = false;
    for (auto _ : state) {
        far = !far;
        marks = reach_marks(shown.g, far ? static_cast<int>(state.range(0)) : 1);
        benchmark::DoNotOptimize(shown.redraw(overlays).constBits());
    }
    state.counters["fleets"] = static_cast<double>(reach_marks(shown.g, static_cast<int>(state.range(0))).fleets.size());
}
BENCHMARK(BM_ReachFollows)->ArgsProduct({{3, 9}, {100, 200}})->Unit(benchmark::kMillisecond);

void BM_ReachList(benchmark::State& state) {
    Loaded& g = game(512);
    for (auto _ : state) benchmark::DoNotOptimize(reach_marks(g, static_cast<int>(state.range(0))).fleets.data());
}
BENCHMARK(BM_ReachList)->Arg(1)->Arg(9)->Unit(benchmark::kMillisecond);

void BM_RoutesOn(benchmark::State& state) {
    Overlays overlays;
    ShownMap shown(static_cast<double>(state.range(0)), overlays);
    for (auto _ : state) {
        overlays.routes = !overlays.routes;
        benchmark::DoNotOptimize(shown.redraw(overlays).constBits());
    }
}
BENCHMARK(BM_RoutesOn)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_VisibleWindowReach(benchmark::State& state) {
    const ReachMarks marks = reach_marks(game(512), static_cast<int>(state.range(0)));
    Overlays overlays;
    if (state.range(0) > 0) overlays.reach = &marks;
    ShownMap shown(static_cast<double>(state.range(1)), overlays);
    for (auto _ : state) {
        shown.tiles.forget();
        benchmark::DoNotOptimize(shown.tiles.pixels(shown.part).constBits());
    }
    state.counters["rings"] = static_cast<double>(marks.fleets.size());
}
BENCHMARK(BM_VisibleWindowReach)->ArgsProduct({{0, 3, 9}, {100, 200}})->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return trevanor::bench::run_offscreen_benchmarks(argc, argv); }
