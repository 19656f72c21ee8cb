// A fleet's trail on the map: seen places joined turn after turn, a gap
// where it was not seen, the oldest stretch faintest.

#include <gtest/gtest.h>

#include "map/trail_marks.h"
#include "support/recording_canvas.h"

using namespace trevanor;

namespace {

// A light year to a pixel.
MapView view_at_scale_one() {
    MapView v;
    v.Map_extent = 1000;
    v.Map_scale = v.Map_scale_y = 1;
    v.Image_height = 1000;
    return v;
}

}  // namespace

TEST(TrailMarks, SeenPlacesAreJoinedAndAGapStaysOpen) {
    const MapView view = view_at_scale_one();
    const ColorValue colour = 0x30C0F0;
    // Oldest first; the last is where the fleet is now.
    const std::vector<TrailPoint> trail = {
        {true, 1100, 1100}, {true, 1110, 1100}, {false, 0, 0}, {true, 1130, 1100}, {true, 1140, 1100}};
    RecordingCanvas c;
    draw_trail(c, view, trail, colour);

    const auto lines = c.of(RecordingCanvas::Op::LineTo);
    ASSERT_EQ(lines.size(), 2u);  // none into or out of the turn not seen
    const Point firstEnd{view.pixel_x(1110), view.pixel_y(1100)}, lastEnd{view.pixel_x(1140), view.pixel_y(1100)};
    EXPECT_EQ(lines[0].points[0], firstEnd);
    EXPECT_EQ(lines[1].points[0], lastEnd);
    EXPECT_EQ(lines[1].state.penColor, colour);  // the newest stretch in the owner's colour
    // The older stretch fainter in every part of the colour.
    for (int shift : {0, 8, 16})
        EXPECT_LT((lines[0].state.penColor >> shift) & 0xFF, (colour >> shift) & 0xFF) << shift;
    // A dot at each earlier place seen; none on the fleet's own place.
    EXPECT_EQ(c.of(RecordingCanvas::Op::FillRect).size(), 3u);
}

// A fleet that stayed put leaves no mark over its own diamond.
TEST(TrailMarks, NothingWhereTheFleetStayed) {
    const std::vector<TrailPoint> trail = {{true, 1200, 1200}, {true, 1200, 1200}, {true, 1200, 1200}};
    RecordingCanvas c;
    draw_trail(c, view_at_scale_one(), trail, 0xFFFFFF);
    EXPECT_TRUE(c.calls.empty());
}
