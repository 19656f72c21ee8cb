#pragma once
// The map's view state and the transform from universe coordinates (light
// years, 1000 and up, Y northwards) to pixels of the square drawing surface
// (Y downwards), and the drawing of planets, fleets and the selection marker.

#include <cstdint>

#include "map/canvas.h"
#include "model/session.h"

namespace trevanor {

// The zoom levels: seven fixed ones and one that fits the window (the two
// deepest came last, after it).
enum class Zoom { MaxOut, Zoom150, Zoom200, Zoom300, Zoom400, Fit, Zoom600, Zoom800 };
enum class NameDensity { None, Quarter, Half, All };
enum class FleetLabels { Numbers, ShipCount, None };

// The fixed levels, smallest first: what stepping the zoom goes through.
inline constexpr Zoom kZoomLevels[] = {Zoom::MaxOut,  Zoom::Zoom150, Zoom::Zoom200, Zoom::Zoom300,
                                       Zoom::Zoom400, Zoom::Zoom600, Zoom::Zoom800};
// The sizes a surface fitting the window may have: the smallest and the
// largest of the original fixed levels.
inline constexpr int kSmallestSurface = 1000, kLargestSurface = 4000;

int surface_size(Zoom zoom);     // 1000, 1500, 2000, 3000, 4000, 6000, 8000 pixels square (Fit: 1000)
int label_font_size(Zoom zoom);  // 8, 9, 10, 11, 12 points; 12 from 400% on

struct SelectedObject {
    std::uint16_t Pixel_x = 0, Pixel_y = 0;  // Pixel_x 0: no marker
    ColorValue color = 0;
};

struct MapView {
    double Map_extent = 0;  // light years; computed once, at the first redraw
    double Map_scale = 0;   // light years per pixel
    double Map_scale_y = 0;
    std::uint16_t Image_height = 0;

    Zoom zoom = Zoom::MaxOut;
    int fitSize = kSmallestSurface;  // the surface while the zoom fits the window
    NameDensity names = NameDensity::None;
    bool Name_phase = true;
    FleetLabels labels = FleetLabels::Numbers;
    bool hideOwn = false;
    SelectedObject Selected_object;

    // The surface's size at this zoom, and the label font's size: that of
    // the fixed level nearest in size while the zoom fits the window.
    int surface() const;
    int labelFontSize() const;

    std::uint16_t pixel_x(std::int64_t x) const;
    std::uint16_t pixel_y(std::int64_t y) const;
    int pixels(double lightYears) const;
};

// Round half to even, as the transform rounds.
double round_even(double value);
// A pixel coordinate: unsigned 16-bit, values outside wrap around as they
// always have; a value that is no number at all gives 0.
std::uint16_t to_u16(double value);

// A point of the universe, light years.
struct MapPoint {
    std::uint16_t x = 0, y = 0;
};
// The map coordinates of an image pixel (the inverse of pixel_x, pixel_y).
MapPoint pixel_to_map(const MapView& view, int pixelX, int pixelY);

// The extent from the planets' largest Y (when not yet set and some planet exists).
void compute_extent(MapView& view, const TextTable& planets);

// The view at zoom `to` (with a surface of `fitSize` pixels when it fits the
// window): the selection marker carried over from the zoom it had, the
// scales and the surface height for the extent (1,000 light years until a
// MAP gives one). Draws nothing.
void set_zoom(MapView& view, Zoom to, int fitSize = 0);
// The next fixed level above (step 1) or below (step -1) the surface shown;
// the zoom itself when there is none.
Zoom zoom_step(const MapView& view, int step);
// The scroll position after a zoom that keeps the picture's point under
// `anchor` (a point of the visible area) in its place: the surface grows
// from `oldSize` to `newSize` pixels about its corner.
struct ScrollPoint {
    int x = 0, y = 0;
};
ScrollPoint scroll_keeping(ScrollPoint scroll, ScrollPoint anchor, int oldSize, int newSize);
// Sizes the surface for the view's zoom and sets the label font.
void size_surface(Canvas& canvas, const MapView& view);

// Applies the zoom (set_zoom, size_surface), draws names and dots.
void draw_stars(Canvas& canvas, MapView& view, const Session& session);
// One marker and at most one label per spot of the position-sorted table.
// Both read the tables afresh (see map/scene.h for drawing from a kept scene).
void draw_fleets(Canvas& canvas, const MapView& view, const Session& session);
// The arrowhead under the selected point.
void draw_selection_marker(Canvas& canvas, const MapView& view);

// The marker's position carried from one zoom to another (the view takes
// that zoom): between Max Out, 150% and 200% by the program's own factors,
// otherwise by the ratio of the two surfaces.
void rescale_marker(MapView& view, Zoom to, int fitSize = 0);

}  // namespace trevanor
