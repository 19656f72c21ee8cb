#pragma once
// Who can reach a place, on the map: a thin white circle round the place
// and a ring round the diamond of each fleet listed, in its owner's colour
// (one ring a spot, the colour of the first fleet listed there). Hidden own
// fleets get no ring.

#include <vector>

#include "map/canvas.h"
#include "map/map_view.h"
#include "model/reach.h"

namespace trevanor {

struct ReachMarks {
    ReachPlace place;
    std::vector<ReachingFleet> fleets;  // as the list shows them
};

void draw_reach_marks(Canvas& canvas, const MapView& view, const Session& session, const ReachMarks& marks);

}  // namespace trevanor
