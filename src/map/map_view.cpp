#include "map/map_view.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>
#include <vector>

#include "model/numbers.h"
#include "model/players.h"

namespace trevanor {

namespace {
constexpr ColorValue kWhite = 0xFFFFFF;
constexpr ColorValue kYellow = 0x00FFFF;

// A cell as a 32-bit number; nullopt for a blank or damaged cell.
std::optional<std::int32_t> number(const std::string& text) {
    const auto v = parse_int(text);
    if (!v || *v < INT32_MIN || *v > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

// Where a planet is; nothing for a row of a blank or damaged MAP line.
std::optional<std::pair<std::int32_t, std::int32_t>> planet_at(const TextTable& planets, int r) {
    const auto x = number(planets.cell(planet_col::X, r)), y = number(planets.cell(planet_col::Y, r));
    if (!x || !y) return std::nullopt;
    return std::make_pair(*x, *y);
}

// Rows of the position-sorted table that can be drawn: a row without a
// position or owner (an empty or short report line) has no place on the map.
std::vector<int> drawable_fleet_rows(const TextTable& t) {
    std::vector<int> rows;
    for (int r = 1; r <= t.lastRow(); ++r)
        if (number(t.cell(col::X, r)) && number(t.cell(col::Y, r)) && number(t.cell(col::Owner, r))) rows.push_back(r);
    return rows;
}
}  // namespace

int surface_size(Zoom zoom) { return zoom == Zoom::MaxOut ? 1000 : zoom == Zoom::Zoom150 ? 1500 : 2000; }
int label_font_size(Zoom zoom) { return zoom == Zoom::MaxOut ? 8 : zoom == Zoom::Zoom150 ? 9 : 10; }

double round_even(double value) { return std::nearbyint(value); }

namespace {
// Pixel coordinates are unsigned 16-bit: values outside wrap around, as
// they always have; a quotient that is no number at all gives 0.
std::uint16_t to_u16(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 1e15) return 0;
    return static_cast<std::uint16_t>(static_cast<std::int64_t>(round_even(value)) & 0xFFFF);
}
}  // namespace

std::uint16_t MapView::pixel_x(std::int64_t x) const { return to_u16(static_cast<double>(x - 1000) / Map_scale); }

std::uint16_t MapView::pixel_y(std::int64_t y) const {
    return static_cast<std::uint16_t>(Image_height - to_u16(static_cast<double>(y - 1000) / Map_scale));
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

void draw_stars(Canvas& canvas, MapView& view, const Session& session) {
    const int s = surface_size(view.zoom);
    canvas.setSize(s, s);
    canvas.state.fontName = "Tahoma";
    canvas.state.fontSize = label_font_size(view.zoom);
    const double extent = view.Map_extent > 0 ? view.Map_extent : 1000.0;
    view.Map_scale = extent / s;
    view.Map_scale_y = extent / s;
    view.Image_height = static_cast<std::uint16_t>(s);

    const TextTable& planets = session.planets;
    if (view.names != NameDensity::None) {
        canvas.state.fontColor = kWhite;
        canvas.state.brushClear = true;
        const int step = view.names == NameDensity::Half ? 2 : view.names == NameDensity::Quarter ? 4 : 1;
        const int first = step > 1 && view.Name_phase ? 2 : 1;
        for (int r = first; r <= planets.lastRow(); r += step) {
            const auto at = planet_at(planets, r);
            if (!at) continue;
            const std::string& name = planets.cell(planet_col::Name, r);
            const int x = view.pixel_x(at->first);
            const int y = view.pixel_y(at->second);
            canvas.textOut(x - canvas.textWidth(name) / 2, y + 3, name);
        }
    }

    canvas.state.penColor = kWhite;
    canvas.state.penStyle = PenStyle::Solid;
    canvas.state.brushColor = kWhite;
    canvas.state.brushClear = false;
    for (int r = 1; r <= planets.lastRow(); ++r) {
        const auto at = planet_at(planets, r);
        if (!at) continue;
        const int x = view.pixel_x(at->first);
        const int y = view.pixel_y(at->second);
        canvas.ellipse(x - 2, y - 2, x + 2, y + 2);
    }
}

void draw_fleets(Canvas& canvas, const MapView& view, const Session& session) {
    const TextTable& t = session.fleetsByPos;
    canvas.state.brushClear = true;
    canvas.state.penStyle = PenStyle::Solid;
    const std::vector<int> rows = drawable_fleet_rows(t);

    const auto centred_above = [&](int x, int y, const std::string& label) {
        canvas.textOut(x - canvas.textWidth(label) / 2, y - canvas.textHeight(label) - 1, label);
    };
    // A damaged ship count counts as none; 32-bit counts cannot overflow their 64-bit sum.
    const auto ships = [&](int r) -> std::int64_t { return number(t.cell(col::Ships, r)).value_or(0); };

    std::size_t i = 0;
    while (i < rows.size()) {
        const int a = rows[i];
        const std::string& X = t.cell(col::X, a);
        const std::string& Y = t.cell(col::Y, a);
        const int x = view.pixel_x(*number(X));
        const int y = view.pixel_y(*number(Y));
        const std::string& ownerText = t.cell(col::Owner, a);
        const ColorValue c = owner_color(session, *number(ownerText));
        // The spot: the following drawable rows at the same X and Y.
        std::size_t n = 1;
        while (i + n < rows.size() && t.cell(col::X, rows[i + n]) == X && t.cell(col::Y, rows[i + n]) == Y) ++n;
        bool mixed = false;
        for (std::size_t k = 1; k < n; ++k) mixed = mixed || t.cell(col::Owner, rows[i + k]) != ownerText;

        canvas.state.penColor = mixed ? kWhite : c;
        const std::string& name = t.cell(col::Name, a);
        const bool hidden = view.hideOwn && !mixed && owner_word(name) == session.Own_race_name;
        if (!hidden) {
            canvas.polygon({{x - 3, y}, {x, y + 3}, {x + 3, y}, {x, y - 3}});
            canvas.polygon({{x - 4, y}, {x, y + 4}, {x + 4, y}, {x, y - 4}});
        }
        canvas.state.fontColor = c;
        if (!hidden && view.labels == FleetLabels::ShipCount) {
            std::int64_t count = ships(a);
            if (n > 1) {
                count = 0;
                if (!mixed)
                    for (std::size_t k = 0; k < n; ++k) count += ships(rows[i + k]);
            }
            if (count != 0) {
                centred_above(x, y, std::to_string(count));
            } else {
                canvas.state.fontColor = kWhite;
                centred_above(x, y, "m");
            }
        } else if (!hidden && view.labels == FleetLabels::Numbers) {
            canvas.state.fontColor = mixed ? kWhite : c;
            if (n >= 2) {
                canvas.textOut(x - 2, y - 15, "m");
            } else {
                const std::string& id = t.cell(col::Id, a);
                std::string label = id.empty() ? std::string() : "#" + id;
                if (!name.empty() && name.back() == '*') label += "*";
                if (!label.empty()) centred_above(x, y, label);
            }
        }
        i += n;
    }
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
