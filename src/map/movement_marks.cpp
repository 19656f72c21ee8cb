#include "map/movement_marks.h"

#include <cstdlib>

#include "model/players.h"

namespace trevanor {

namespace {
constexpr int kRing = 7;   // pixels: round the diamond (4) with room to spare
constexpr int kCross = 3;  // pixels each way
}  // namespace

ColorValue dimmed(ColorValue colour) { return (colour >> 1) & 0x7F7F7Fu; }

std::vector<const FleetMove*> gone_near(const MapView& view, const std::vector<FleetMove>& moves, int pixelX,
                                        int pixelY) {
    std::vector<const FleetMove*> out;
    for (const FleetMove& m : moves)
        if (m.status == MoveStatus::Gone && std::abs(view.pixel_x(m.earlierX) - pixelX) <= kCross + 1 &&
            std::abs(view.pixel_y(m.earlierY) - pixelY) <= kCross + 1)
            out.push_back(&m);
    return out;
}

void draw_movement(Canvas& canvas, const MapView& view, const Session& session, const std::vector<FleetMove>& moves) {
    Canvas& c = canvas;
    c.state.penStyle = PenStyle::Solid;
    c.state.penMode = PenMode::Copy;
    c.state.brushClear = true;
    for (const FleetMove& m : moves) {
        if (view.hideOwn && m.owner == session.Own_race_name) continue;
        const ColorValue colour = owner_color(session, m.ownerNumber);
        const int ex = view.pixel_x(m.earlierX), ey = view.pixel_y(m.earlierY);
        const int x = view.pixel_x(m.currentX), y = view.pixel_y(m.currentY);
        switch (m.status) {
        case MoveStatus::Moved:
            c.state.penColor = dimmed(colour);
            c.moveTo(ex, ey);
            c.lineTo(x, y);
            break;
        case MoveStatus::New:
            c.state.penColor = colour;
            c.ellipse(x - kRing, y - kRing, x + kRing, y + kRing);
            break;
        case MoveStatus::Gone:
            c.state.penColor = dimmed(colour);
            c.moveTo(ex - kCross, ey - kCross);
            c.lineTo(ex + kCross + 1, ey + kCross + 1);
            c.moveTo(ex - kCross, ey + kCross);
            c.lineTo(ex + kCross + 1, ey - kCross - 1);
            break;
        case MoveStatus::Still: break;
        }
    }
}

}  // namespace trevanor
