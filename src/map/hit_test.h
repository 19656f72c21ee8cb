#pragma once
// What a click on the map hits: the first fleet of the lowest-sorted spot
// within a light year of the click (a single fleet, or a group when the next
// row of the position-sorted table stands at the same X and Y), else the first
// planet there, else deep space.

#include <cstdint>
#include <string>
#include <vector>

#include "map/map_view.h"
#include "model/prompter.h"
#include "model/session.h"

namespace trevanor {

// The selection colour of a group of fleets: the system's button face.
constexpr ColorValue kButtonFaceColor = 0x8000000F;

struct MapHit {
    enum class What { DeepSpace, Fleet, Group, Planet } what = What::DeepSpace;
    int row = 0;                  // the position-sorted row hit (fleets) or the planet row
    MapPoint click;               // the click in map coordinates
    // The "Selected Object" box: first and second line, "X:" and "Y:" texts, colour.
    std::string line1, line2, xText, yText;
    ColorValue color = 0;
    SelectedObject marker;        // where the selection marker goes; Pixel_x 0 for none
    std::string jumpFleet;        // the fleet a left click chooses for the jump potential
};

MapHit hit_test(const Session& session, const MapView& view, int pixelX, int pixelY);

// The fleet table row of a position-sorted row, found by unique name in the
// owner's block, then in the trailing block; 0 after the message "Convert of
// "…" (no: n) impossible" when it is in neither.
int convert_pos2id(const Session& session, int sortedRow, Prompter& prompter);

}  // namespace trevanor
