#pragma once
// Fleet routes on the map: a dotted line to a known destination with year
// marks, a dash-dot line for a stargate jump, or, for a heading or a
// destination further than the years shown, the distance the fleet covers in
// those years. A fleet at warp w covers w² light years a year; warp 11 stands
// for a stargate jump.

#include <string>
#include <vector>

#include "map/canvas.h"
#include "map/map_view.h"
#include "model/fleet_report_reader.h"
#include "model/prompter.h"
#include "model/report_format.h"
#include "model/session.h"

namespace trevanor {

// What drawing routes needs: the data, the view, the surface, the user (for
// messages), the repair of empty destinations and the years to show.
struct RouteContext {
    Session& session;
    const MapView& view;
    Canvas& canvas;
    Prompter& prompter;
    FleetReportReader& reports;
    int jumps = 1;  // years shown, 1..9
};

// The route of the fleet in fleet table row `row` at `warp`, in `colour`.
void draw_route(RouteContext& ctx, int row, int warp, ColorValue colour);

// The owners whose routes the filter text lets through ("_All", "_Only own",
// "_Own and Allies", "_Only allies" or a race name); the allies are the
// accepted report owners.
bool route_filter_passes(const Session& session, const std::string& filter, int owner);

// The route last drawn for a single fleet on request (in white, to stand
// out), so that it can be drawn again in its owner's colour.
struct RouteHighlight {
    int Last_route_row = 0;  // fleet table row; 0 for none
    ColorValue Last_route_color = 0;
    std::uint8_t Last_route_warp = 0;
};

// One fleet's route when the filter lets its owner through, recorded as the
// last route drawn; otherwise nothing is drawn and the record cleared.
void check_then_draw_route(RouteContext& ctx, RouteHighlight& record, const std::string& filter, int owner, int row,
                           ColorValue colour, int warp);
// The recorded route drawn again in its owner's colour, and forgotten.
void undo_highlight(RouteContext& ctx, RouteHighlight& record);

// The routes of every fleet the filter lets through, in the owners' colours.
void draw_OtFR(RouteContext& ctx, const std::string& filter);

// The two strokes of an arrowhead for a route of bearing `b` (whole degrees).
struct Barbs {
    Point first, second;
};
Barbs arrowhead_barbs(int b);

}  // namespace trevanor
