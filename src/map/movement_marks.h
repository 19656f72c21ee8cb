#pragma once
// Movement since an earlier year on the map, drawn over the fleets and
// under the routes: a thin line in the owner's colour (dimmer than its
// routes) from each moved fleet's earlier place to its place now, a small
// ring around each new fleet, a faint cross where each gone fleet was last
// seen. Hidden own fleets hide their movement too.

#include <vector>

#include "map/canvas.h"
#include "map/map_view.h"
#include "model/movement.h"

namespace trevanor {

void draw_movement(Canvas& canvas, const MapView& view, const Session& session, const std::vector<FleetMove>& moves);

// The gone fleets whose cross lies at the pixel, or that were last seen at a
// place drawn there.
std::vector<const FleetMove*> gone_near(const MapView& view, const std::vector<FleetMove>& moves, int pixelX,
                                        int pixelY);

// An owner's colour at half its strength.
ColorValue dimmed(ColorValue colour);

}  // namespace trevanor
