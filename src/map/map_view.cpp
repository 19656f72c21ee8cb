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

int surface_size(Zoom zoom) {
    switch (zoom) {
    case Zoom::Zoom150: return 1500;
    case Zoom::Zoom200: return 2000;
    case Zoom::Zoom300: return 3000;
    case Zoom::Zoom400: return 4000;
    case Zoom::Zoom600: return 6000;
    case Zoom::Zoom800: return 8000;
    case Zoom::MaxOut:
    case Zoom::Fit: break;
    }
    return kSmallestSurface;
}

int label_font_size(Zoom zoom) {
    switch (zoom) {
    case Zoom::Zoom150: return 9;
    case Zoom::Zoom200: return 10;
    case Zoom::Zoom300: return 11;
    case Zoom::Zoom400:
    case Zoom::Zoom600:
    case Zoom::Zoom800: return 12;
    case Zoom::MaxOut:
    case Zoom::Fit: break;
    }
    return 8;
}

namespace {
// The fixed level whose surface is nearest in size (the smaller on a tie).
Zoom nearest_level(int size) {
    Zoom best = Zoom::MaxOut;
    for (const Zoom z : kZoomLevels)
        if (std::abs(surface_size(z) - size) < std::abs(surface_size(best) - size)) best = z;
    return best;
}
}  // namespace

int MapView::surface() const { return zoom == Zoom::Fit ? fitSize : surface_size(zoom); }

int MapView::labelFontSize() const { return label_font_size(zoom == Zoom::Fit ? nearest_level(fitSize) : zoom); }

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

void set_zoom(MapView& view, Zoom to, int fitSize) {
    rescale_marker(view, to, fitSize);
    const int s = view.surface();
    const double extent = view.Map_extent > 0 ? view.Map_extent : 1000.0;
    view.Map_scale = extent / s;
    view.Map_scale_y = extent / s;
    view.Image_height = static_cast<std::uint16_t>(s);
}

Zoom zoom_step(const MapView& view, int step) {
    const int now = view.surface();
    if (step > 0) {
        for (const Zoom z : kZoomLevels)
            if (surface_size(z) > now) return z;
    } else {
        for (auto it = std::rbegin(kZoomLevels); it != std::rend(kZoomLevels); ++it)
            if (surface_size(*it) < now) return *it;
    }
    return view.zoom;
}

ScrollPoint scroll_keeping(ScrollPoint scroll, ScrollPoint anchor, int oldSize, int newSize) {
    if (oldSize <= 0) return scroll;
    const double f = static_cast<double>(newSize) / oldSize;
    return {static_cast<int>(std::lround((scroll.x + anchor.x) * f)) - anchor.x,
            static_cast<int>(std::lround((scroll.y + anchor.y) * f)) - anchor.y};
}

void size_surface(Canvas& canvas, const MapView& view) {
    const int s = view.surface();
    canvas.setSize(s, s);
    canvas.state.fontName = "Tahoma";
    canvas.state.fontSize = view.labelFontSize();
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

void rescale_marker(MapView& view, Zoom to, int fitSize) {
    // Rows: from Max Out, 150%, 200%; columns: to the same. The thirds are
    // the decimal values the program has always used.
    static constexpr double kFactor[3][3] = {{1, 1.5, 2}, {0.666667, 1, 1.333333333}, {0.5, 0.75, 1}};
    const int from = view.surface();
    const int fit = std::clamp(fitSize > 0 ? fitSize : view.fitSize, kSmallestSurface, kLargestSurface);
    const int onto = to == Zoom::Fit ? fit : surface_size(to);
    const auto original = [](Zoom z) { return z == Zoom::MaxOut || z == Zoom::Zoom150 || z == Zoom::Zoom200; };
    if (from != onto) {
        const double f = original(view.zoom) && original(to)
                             ? kFactor[static_cast<int>(view.zoom)][static_cast<int>(to)]
                             : static_cast<double>(onto) / from;
        view.Selected_object.Pixel_x = to_u16(view.Selected_object.Pixel_x * f);
        view.Selected_object.Pixel_y = to_u16(view.Selected_object.Pixel_y * f);
    }
    view.zoom = to;
    if (to == Zoom::Fit) view.fitSize = fit;
}

}  // namespace trevanor
