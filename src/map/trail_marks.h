#pragma once
// Trails of fleets on the map, drawn over the routes: a line through the
// places a fleet was seen at in the kept turns before this one, turn after
// turn (a gap where it was not seen), its oldest stretch faintest and its
// newest in the owner's colour, and a small dot at each earlier place. The
// trails shown are those of the fleet chosen on the map, or of every fleet
// whose owner the route filter lets through, or both. Hidden own fleets
// hide their trails too. Nothing is drawn while no turn before the open one
// is kept. A trail is not hit by a click.

#include <string>
#include <vector>

#include "map/canvas.h"
#include "map/map_view.h"
#include "model/fleet_trails.h"

namespace trevanor {

// Which trails the map shows.
struct TrailChoice {
    const FleetTrails* trails = nullptr;  // null: none
    bool selected = false;                // the chosen fleet's
    std::string selectedFleet;            // its unique name
    bool filtered = false;                // the route filter's fleets'
    std::string routeFilter = "_All";

    bool any() const { return trails && (selected || filtered); }
};

// The trail of the fleet when the map shows it (with at least one turn
// before the open one), else null.
const std::vector<TrailPoint>* shown_trail(const Session& session, const TrailChoice& choice,
                                           const std::string& uniqueName);

void draw_trails(Canvas& canvas, const MapView& view, const Session& session, const TrailChoice& choice);

// One trail (oldest turn first) in `colour`: every stretch and dot drawn in
// the colour faded as far as its age asks.
void draw_trail(Canvas& canvas, const MapView& view, const std::vector<TrailPoint>& trail, ColorValue colour);

// The colour of the stretch from turn `step` to the next of a trail of
// `turns` turns: a third of the colour for the oldest of a long trail, the
// whole of it for the newest.
ColorValue trail_colour(ColorValue colour, std::size_t step, std::size_t turns);

}  // namespace trevanor
