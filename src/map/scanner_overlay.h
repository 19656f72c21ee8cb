#pragma once
// Range circles over the map: stored scanner ranges (a circle with a dashed
// diagonal cross, and for a penetrating range a smaller circle with a dashed
// upright cross), a fleet's jump potential (a circle with dotted crosses), and
// the black strokes that paint a range over. Scanner ranges are drawn in the
// merge pen mode, so overlapping circles mix their colours.

#include <string>

#include "map/canvas.h"
#include "map/map_view.h"
#include "model/session.h"

namespace trevanor {

// The scan efficiency the map's efficiency box holds: the text with its first
// "%" and the (at most three) characters after it taken out, as a number
// (100 when it is none); above 100 it is 100 and the box shows "100%" again.
struct ScanEfficiency {
    int percent = 100;
    bool resetTo100 = false;
};
ScanEfficiency scan_efficiency(const std::string& text);

struct RangeCircles {
    int x = 0, y = 0;  // centre, light years
    ColorValue color = 0;
    int nonPenetrating = 0, penetrating = 0;  // radii, light years
};

enum class RangeMode {
    Scanner,        // a stored scanner range, at the scan efficiency
    JumpPotential,  // what a fleet covers in one year
    Erase,          // paints a range over in black, then the fleets again
};

void draw_scanner_range(Canvas& canvas, const MapView& view, const Session& session, const RangeCircles& range,
                        RangeMode mode, int efficiencyPercent);

}  // namespace trevanor
