#include "map/map_view.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>

#include "map/scene.h"
#include "model/numbers.h"

namespace trevanor {

namespace {
constexpr ColorValue kYellow = 0x00FFFF;

// Where a planet is; nothing for a row of a blank or damaged MAP line.
std::optional<std::pair<std::int32_t, std::int32_t>> planet_at(const TextTable& planets, int r) {
    const auto x = parse_int32(planets.cell(planet_col::X, r)), y = parse_int32(planets.cell(planet_col::Y, r));
    if (!x || !y) return std::nullopt;
    return std::make_pair(*x, *y);
}

}  // namespace

int surface_size(Zoom zoom) { return zoom == Zoom::MaxOut ? 1000 : zoom == Zoom::Zoom150 ? 1500 : 2000; }
int label_font_size(Zoom zoom) { return zoom == Zoom::MaxOut ? 8 : zoom == Zoom::Zoom150 ? 9 : 10; }

double round_even(double value) { return std::nearbyint(value); }

std::uint16_t to_u16(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 1e15) return 0;
    return static_cast<std::uint16_t>(static_cast<std::int64_t>(round_even(value)) & 0xFFFF);
}

std::uint16_t MapView::pixel_x(std::int64_t x) const { return to_u16(static_cast<double>(x - 1000) / Map_scale); }

std::uint16_t MapView::pixel_y(std::int64_t y) const {
    return static_cast<std::uint16_t>(Image_height - to_u16(static_cast<double>(y - 1000) / Map_scale));
}

MapPoint pixel_to_map(const MapView& view, int pixelX, int pixelY) {
    return {to_u16(pixelX * view.Map_scale + 1000), to_u16(view.Map_extent + 1000 - round_even(pixelY * view.Map_scale_y))};
}

int MapView::pixels(double lightYears) const {
    const double p = lightYears / Map_scale;
    return std::isfinite(p) && std::fabs(p) < 1e9 ? static_cast<int>(round_even(p)) : 0;
}

void compute_extent(MapView& view, const TextTable& planets) {
    if (view.Map_extent != 0) return;
    int largest = -1;
    for (int r = 1; r <= planets.lastRow(); ++r)
        if (const auto at = planet_at(planets, r)) largest = std::max(largest, static_cast<int>(static_cast<std::uint16_t>(at->second)));
    // Without planets (or with none north of 985) the extent waits for a MAP.
    if (largest - 985 > 0) view.Map_extent = largest - 985;
}

void set_zoom(MapView& view, Zoom to) {
    rescale_marker(view, to);
    const int s = surface_size(to);
    const double extent = view.Map_extent > 0 ? view.Map_extent : 1000.0;
    view.Map_scale = extent / s;
    view.Map_scale_y = extent / s;
    view.Image_height = static_cast<std::uint16_t>(s);
}

void size_surface(Canvas& canvas, const MapView& view) {
    const int s = surface_size(view.zoom);
    canvas.setSize(s, s);
    canvas.state.fontName = "Tahoma";
    canvas.state.fontSize = label_font_size(view.zoom);
}

void draw_stars(Canvas& canvas, MapView& view, const Session& session) {
    draw_stars(canvas, view, MapScene(session));
}

void draw_fleets(Canvas& canvas, const MapView& view, const Session& session) {
    draw_fleets(canvas, view, MapScene(session));
}

void draw_selection_marker(Canvas& canvas, const MapView& view) {
    const int x = view.Selected_object.Pixel_x;
    const int y = view.Selected_object.Pixel_y;
    if (x == 0) return;
    canvas.state.penColor = view.Selected_object.color;
    canvas.state.penStyle = PenStyle::Solid;
    canvas.state.penMode = PenMode::Copy;
    canvas.state.brushColor = kYellow;
    canvas.state.brushClear = false;
    canvas.polygon({{x - 3, y + 13}, {x, y + 10}, {x + 3, y + 13}, {x, y + 3}});
}

void rescale_marker(MapView& view, Zoom to) {
    // Rows: from Max Out, 150%, 200%; columns: to the same. The thirds are
    // the decimal values the program has always used.
    static constexpr double kFactor[3][3] = {{1, 1.5, 2}, {0.666667, 1, 1.333333333}, {0.5, 0.75, 1}};
    const double f = kFactor[static_cast<int>(view.zoom)][static_cast<int>(to)];
    if (view.zoom != to) {
        view.Selected_object.Pixel_x = to_u16(view.Selected_object.Pixel_x * f);
        view.Selected_object.Pixel_y = to_u16(view.Selected_object.Pixel_y * f);
    }
    view.zoom = to;
}

}  // namespace trevanor
