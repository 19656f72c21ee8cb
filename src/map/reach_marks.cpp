#include "map/reach_marks.h"

#include <unordered_set>

#include "model/players.h"

namespace trevanor {

namespace {
constexpr int kPlaceCircle = 12;  // pixels: clear of a diamond and its ring
constexpr int kFleetRing = 6;     // round the diamond (4), inside a new fleet's ring (7)
constexpr ColorValue kWhite = 0xFFFFFF;

void circle(Canvas& c, int x, int y, int r) { c.ellipse(x - r, y - r, x + r + 1, y + r + 1); }
}  // namespace

void draw_reach_marks(Canvas& canvas, const MapView& view, const Session& session, const ReachMarks& marks) {
    Canvas& c = canvas;
    c.state.penStyle = PenStyle::Solid;
    c.state.penMode = PenMode::Copy;
    c.state.brushClear = true;
    std::unordered_set<std::uint32_t> ringed;
    for (const ReachingFleet& f : marks.fleets) {
        if (view.hideOwn && f.owner == session.Own_race_name) continue;
        const std::uint32_t spot = static_cast<std::uint32_t>(f.x & 0xFFFF) << 16 | static_cast<std::uint32_t>(f.y & 0xFFFF);
        if (!ringed.insert(spot).second) continue;
        c.state.penColor = owner_color(session, f.ownerNumber);
        circle(c, view.pixel_x(f.x), view.pixel_y(f.y), kFleetRing);
    }
    c.state.penColor = kWhite;
    circle(c, view.pixel_x(marks.place.x), view.pixel_y(marks.place.y), kPlaceCircle);
}

}  // namespace trevanor
