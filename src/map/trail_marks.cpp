#include "map/trail_marks.h"

#include <array>

#include "map/routes.h"
#include "model/columns.h"
#include "model/numbers.h"
#include "model/players.h"

namespace trevanor {

namespace {

constexpr int kDot = 1;  // pixels each way round a place: a dot of 3 x 3

// The trail's row in the position-sorted table.
std::size_t row_of(const FleetTrails& trails, const std::vector<TrailPoint>* trail) {
    return static_cast<std::size_t>(trail - trails.all().data());
}

bool hidden(const Session& s, const MapView& view, std::size_t row) {
    return view.hideOwn && owner_word(s.fleetsByPos.cell(col::Name, static_cast<int>(row))) == s.Own_race_name;
}

ColorValue colour_of(const Session& s, std::size_t row) {
    return owner_color(s, to_int_def(s.fleetsByPos.cell(col::Owner, static_cast<int>(row)), 0));
}

}  // namespace

ColorValue trail_colour(ColorValue colour, std::size_t step, std::size_t turns) {
    const std::size_t stretches = turns > 1 ? turns - 1 : 1;
    const std::size_t age = stretches - 1 - std::min(step, stretches - 1);  // 0: the newest
    const std::uint32_t permille =
        1000 - static_cast<std::uint32_t>(667 * age / std::max<std::size_t>(stretches - 1, 1));
    ColorValue out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t channel = (colour >> shift) & 0xFF;
        out |= ((channel * permille + 500) / 1000) << shift;
    }
    return out;
}

const std::vector<TrailPoint>* shown_trail(const Session& session, const TrailChoice& choice,
                                           const std::string& uniqueName) {
    if (!choice.any() || choice.trails->turns() < 2) return nullptr;
    const std::vector<TrailPoint>* trail = choice.trails->of(uniqueName);
    if (!trail) return nullptr;
    if (choice.selected && uniqueName == choice.selectedFleet) return trail;
    const std::size_t row = row_of(*choice.trails, trail);
    if (!choice.filtered || row > static_cast<std::size_t>(session.fleetsByPos.lastRow())) return nullptr;
    const int owner = to_int_def(session.fleetsByPos.cell(col::Owner, static_cast<int>(row)), 0);
    return owner >= 1 && route_filter_passes(session, choice.routeFilter, owner) ? trail : nullptr;
}

void draw_trail(Canvas& canvas, const MapView& view, const std::vector<TrailPoint>& trail, ColorValue colour) {
    Canvas& c = canvas;
    const std::size_t turns = trail.size();
    // The newest place is the fleet's own, where its diamond is drawn; a
    // place drawn where the next turn's is leaves the next one to show it.
    for (std::size_t k = 0; k + 1 < turns; ++k) {
        const TrailPoint& from = trail[k];
        if (!from.seen) continue;
        const int x = view.pixel_x(from.x), y = view.pixel_y(from.y);
        const TrailPoint& to = trail[k + 1];
        const int toX = to.seen ? view.pixel_x(to.x) : -1, toY = to.seen ? view.pixel_y(to.y) : -1;
        if (toX == x && toY == y) continue;
        const ColorValue faded = trail_colour(colour, k, turns);
        if (to.seen) {
            c.state.penColor = faded;
            c.moveTo(x, y);
            c.lineTo(toX, toY);
        }
        c.state.brushColor = faded;
        c.fillRect(x - kDot, y - kDot, x + kDot + 1, y + kDot + 1);
    }
}

void draw_trails(Canvas& canvas, const MapView& view, const Session& session, const TrailChoice& choice) {
    if (!choice.any() || choice.trails->turns() < 2) return;
    const FleetTrails& trails = *choice.trails;
    canvas.state.penStyle = PenStyle::Solid;
    canvas.state.penMode = PenMode::Copy;
    canvas.state.brushClear = false;
    const std::size_t rows =
        std::min(trails.all().size(), static_cast<std::size_t>(std::max(0, session.fleetsByPos.lastRow())) + 1);
    const std::vector<TrailPoint>* chosen = choice.selected ? trails.of(choice.selectedFleet) : nullptr;
    if (chosen && row_of(trails, chosen) >= rows) chosen = nullptr;  // not of this table
    if (choice.filtered) {
        std::array<bool, kPlayers + 1> passes{};
        for (int p = 1; p <= kPlayers; ++p)  // as the routes: a fleet of no player passes no filter
            passes[static_cast<std::size_t>(p)] = route_filter_passes(session, choice.routeFilter, p);
        for (std::size_t r = 1; r < rows; ++r) {
            const std::vector<TrailPoint>& trail = trails.all()[r];
            if (trail.size() < 2 || &trail == chosen || hidden(session, view, r)) continue;
            const int owner = to_int_def(session.fleetsByPos.cell(col::Owner, static_cast<int>(r)), 0);
            if (owner >= 1 && owner <= kPlayers && passes[static_cast<std::size_t>(owner)])
                draw_trail(canvas, view, trail, colour_of(session, r));
        }
    }
    // The chosen fleet's last, over the others.
    if (chosen && !hidden(session, view, row_of(trails, chosen)))
        draw_trail(canvas, view, *chosen, colour_of(session, row_of(trails, chosen)));
}

}  // namespace trevanor
