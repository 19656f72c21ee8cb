#pragma once
// What a click on the map hits: the first fleet of the lowest-sorted spot
// within a light year of the click (a single fleet, or a group when the next
// row of the position-sorted table stands at the same X and Y), else the first
// planet there, else deep space.

#include <cstdint>
#include <string>
#include <vector>

#include "map/map_view.h"
#include "map/scene.h"
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

// What a click at the pixel hits. The program's own test goes first: a
// fleet, then a planet, within one light year of the click. When that finds
// nothing and the picture's scene is given, a click on what is drawn hits it
// too: inside a drawn fleet diamond (within 4 pixels of its centre) or on a
// planet's dot, the nearest, ties to the first fleet in position order.
MapHit hit_test(const Session& session, const MapView& view, int pixelX, int pixelY, const MapScene* scene = nullptr);

// What the map's tool tip tells of the place under the pointer, found by
// the click's own test: the planet's name, then the fleets of the spot in
// position order, at most kHoverFleets of them, and how many more there are.
struct HoverInfo {
    std::string planet;
    struct Fleet {
        std::string name;  // unique name
        ColorValue color = 0;
    };
    std::vector<Fleet> fleets;
    int more = 0;
    bool empty() const { return planet.empty() && fleets.empty(); }
};
constexpr int kHoverFleets = 12;
HoverInfo hover_info(const Session& session, const MapView& view, const MapScene& scene, int pixelX, int pixelY);

// The fleet table row of a position-sorted row, found by unique name in the
// owner's block, then in the trailing block; 0 after the message "Convert of
// "…" (no: n) impossible" when it is in neither.
int convert_pos2id(const Session& session, int sortedRow, Prompter& prompter);

}  // namespace trevanor
