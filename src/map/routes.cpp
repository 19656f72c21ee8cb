#include "map/routes.h"

#include <cmath>
#include <optional>

#include "model/calculator.h"
#include "model/locate.h"
#include "model/numbers.h"
#include "model/own_race.h"
#include "model/players.h"

namespace trevanor {

namespace {

void line(Canvas& c, int x1, int y1, int x2, int y2) {
    c.moveTo(x1, y1);
    c.lineTo(x2, y2);
}

void circle(Canvas& c, int x, int y, int r) { c.ellipse(x - r, y - r, x + r, y + r); }

int round_int(double v) { return std::isfinite(v) && std::fabs(v) < 1e9 ? static_cast<int>(round_even(v)) : 0; }

// Light years a fleet covers in a year: warp squared, nothing outside warp 1..10.
int yearly_distance(int warp) { return warp >= 1 && warp <= 10 ? warp * warp : 0; }

// k arrowheads spaced `spacing` light years from the fleet towards the target.
void draw_arrowheads(const RouteContext& ctx, Point from, Point to, std::int64_t dx, std::int64_t dy, int spacing,
                     int k) {
    if (k <= 0 || (dx == 0 && dy == 0)) return;  // no bearing without a distance
    const double theta = dy == 0 ? std::acos(0.0) : std::atan(std::fabs(static_cast<double>(dx) / static_cast<double>(dy)));
    int ax = ctx.view.pixels(std::sin(theta) * spacing), ay = ctx.view.pixels(std::cos(theta) * spacing);
    if (to.x <= from.x) ax = -ax;
    if (to.y < from.y) ay = -ay;
    const Barbs barbs = arrowhead_barbs(static_cast<int>(round_even(bearing(dx, dy))));
    for (int i = 1; i <= k; ++i) {
        const int x = from.x + i * ax, y = from.y + i * ay;
        line(ctx.canvas, x, y, x + barbs.first.x, y + barbs.first.y);
        line(ctx.canvas, x, y, x + barbs.second.x, y + barbs.second.y);
    }
}

// The distance of `jumps` years: a dotted line with year ticks along (vx, vy);
// for a heading also the past years, circled, and the way behind.
void draw_reach(RouteContext& ctx, Point p, double vx, double vy, int warp, ColorValue colour, bool heading) {
    Canvas& c = ctx.canvas;
    c.state.penColor = colour;
    c.state.penMode = PenMode::Copy;
    const double s = yearly_distance(warp) / ctx.view.Map_scale;
    int sx = 0, sy = 0;
    if (vy == 0) {
        sx = round_int(s);
    } else {
        const double theta = std::atan(std::fabs(vx / vy));
        sy = round_int(std::cos(theta) * s);
        sx = round_int(std::sin(theta) * s);
    }
    if (vy > 0) sy = -sy;  // screen Y grows downwards
    if (vx < 0) sx = -sx;
    const int J = ctx.jumps;
    if (heading)
        for (int i = 1; i <= J; ++i) circle(c, p.x - i * sx, p.y - i * sy, 4);
    c.state.penStyle = PenStyle::Dot;
    line(c, p.x, p.y, p.x + J * sx, p.y + J * sy);
    c.state.penStyle = PenStyle::Solid;
    for (int i = 1; i <= J; ++i) {
        const int x = p.x + i * sx, y = p.y + i * sy;
        if (std::abs(sy) > std::abs(sx)) line(c, x - 3, y, x + 3, y);
        else line(c, x, y - 3, x, y + 3);
    }
    if (heading) line(c, p.x, p.y, p.x - J * sx, p.y - J * sy);
}

// The target of an own fleet's destination: a point in space, a planet, or a
// fleet by its unique name with or without the race word. Nothing for the
// destinations no route is drawn to; a message when nothing matches.
std::optional<Point> find_target(RouteContext& ctx, const Destination& d, const std::string& cell,
                                 const std::string& race) {
    if (d.kind == Destination::Kind::Point) return Point{static_cast<int>(d.x), static_cast<int>(d.y)};
    if (d.kind != Destination::Kind::Place) return std::nullopt;
    const Located at = locate_destination(ctx.session, cell, race);
    if (at.found()) return Point{at.x, at.y};
    ctx.prompter.message("Fleet report(s) does not match MAP file or the file(s) is corrupted.");
    return std::nullopt;
}

// The route of a fleet whose destination is known.
void draw_to_target(RouteContext& ctx, int row, Point fleet, Point p, Point target, int warp, ColorValue colour) {
    Canvas& c = ctx.canvas;
    const std::int64_t dx = std::int64_t{target.x} - fleet.x, dy = std::int64_t{target.y} - fleet.y;
    const int dist = round_int(distance_of(dx, dy));
    const Point t{ctx.view.pixel_x(target.x), ctx.view.pixel_y(target.y)};
    if (warp == kStargateWarp) {
        c.state.penStyle = PenStyle::DashDot;
        line(c, p.x, p.y, t.x, t.y);
        c.state.penStyle = PenStyle::Solid;
        const bool far = dist >= 150;
        draw_arrowheads(ctx, p, t, dx, dy, far ? 100 : dist / 2, far ? dist / 100 : 1);
        return;
    }
    const std::string& etaText = ctx.session.fleets.cell(col::Eta, row);
    const int eta = etaText.empty() ? 0 : parse_int32(etaText.substr(0, etaText.size() - 1)).value_or(0);
    if (ctx.jumps >= eta) {
        circle(c, t.x, t.y, 4);
        c.state.penStyle = PenStyle::Dot;
        line(c, t.x, t.y, p.x, p.y);
        c.state.penStyle = PenStyle::Solid;
        if (eta > 1) draw_arrowheads(ctx, p, t, dx, dy, yearly_distance(warp), eta - 1);
        return;
    }
    draw_reach(ctx, p, round_even(dx / ctx.view.Map_scale), round_even(dy / ctx.view.Map_scale), warp, colour, false);
}

}  // namespace

Barbs arrowhead_barbs(int b) {
    if (b >= 23 && b <= 67) return {{-9, 0}, {0, 9}};
    if (b >= 68 && b <= 112) return {{-7, -7}, {-7, 7}};
    if (b >= 113 && b <= 158) return {{0, -9}, {-9, 0}};
    if (b >= 159 && b <= 202) return {{-7, -7}, {7, -7}};
    if (b >= 203 && b <= 248) return {{0, -9}, {9, 0}};
    if (b >= 249 && b <= 298) return {{7, -7}, {7, 7}};
    if (b >= 299 && b <= 338) return {{0, 9}, {9, 0}};
    return {{-7, 7}, {7, 7}};  // 0..22 and 339..360
}

void draw_route(RouteContext& ctx, int row, int warp, ColorValue colour) {
    TextTable& fleets = ctx.session.fleets;
    if (fleets.cell(col::Destination, row).empty()) {
        ctx.reports.fix_empty_destination(fleets.cell(col::Name, row));
        fleets.setCell(col::Destination, row, "0.0");
    }
    const std::string dest = fleets.cell(col::Destination, row);
    // A row without a position has no route to draw.
    const auto fx = parse_int32(fleets.cell(col::X, row)), fy = parse_int32(fleets.cell(col::Y, row));
    if (!fx || !fy) return;
    Canvas& c = ctx.canvas;
    c.state.penStyle = PenStyle::Solid;
    c.state.brushClear = true;
    const Point fleet{*fx, *fy};
    const Point p{ctx.view.pixel_x(fleet.x), ctx.view.pixel_y(fleet.y)};

    const bool own = !fleets.cell(col::Task, row).empty();
    const Destination d = parse_destination(dest, own);
    if (d.kind == Destination::Kind::Heading) {
        draw_reach(ctx, p, round_even(static_cast<double>(d.x) / ctx.view.Map_scale),
                   round_even(static_cast<double>(d.y) / ctx.view.Map_scale), warp, colour, true);
        return;
    }
    c.state.penColor = colour;
    const auto target = find_target(ctx, d, dest, owner_word(fleets.cell(col::Name, row)));
    if (target) draw_to_target(ctx, row, fleet, p, *target, warp, colour);
}

bool route_filter_passes(const Session& session, const std::string& filter, int owner) {
    const auto isAlly = [&] {
        for (const auto& ally : session.acceptedReportOwners)
            if (owner == player_index_of(session, ally)) return true;
        return false;
    };
    const int own = player_index_of(session, session.Own_race_name);
    if (filter == "_All") return true;
    if (filter == "_Only own") return owner == own;
    if (filter == "_Own and Allies") return owner == own || isAlly();
    if (filter == "_Only allies") return isAlly();
    return owner == player_index_of(session, filter);
}

void check_then_draw_route(RouteContext& ctx, RouteHighlight& record, const std::string& filter, int owner, int row,
                           ColorValue colour, int warp) {
    if (!route_filter_passes(ctx.session, filter, owner)) {
        record.Last_route_row = 0;
        return;
    }
    draw_route(ctx, row, warp, colour);
    record.Last_route_row = row;
    record.Last_route_color = owner_color(ctx.session, to_int_def(ctx.session.fleets.cell(col::Owner, row), 0));
    record.Last_route_warp = static_cast<std::uint8_t>(warp);
}

void undo_highlight(RouteContext& ctx, RouteHighlight& record) {
    if (record.Last_route_row != 0) draw_route(ctx, record.Last_route_row, record.Last_route_warp, record.Last_route_color);
    record.Last_route_row = 0;
}

namespace {
void draw_row_route(RouteContext& ctx, int row) {
    const TextTable& fleets = ctx.session.fleets;
    const int warp = to_int_def(fleets.cell(col::Warp, row), 0);
    if (warp == 0) return;
    draw_route(ctx, row, warp, owner_color(ctx.session, to_int_def(fleets.cell(col::Owner, row), 0)));
}

// A player's fleets: its block, then its fleets in the trailing block.
void draw_player_routes(RouteContext& ctx, int p) {
    if (p < 1 || p > kPlayers) return;
    const Session& s = ctx.session;
    const int last = s.fleets.lastRow();
    const FleetIndexEntry own = s.Fleet_index[static_cast<std::size_t>(p)];
    if (own.First_row != 0)
        for (int r = own.First_row; r <= std::min<int>(own.Last_row, last); ++r) draw_row_route(ctx, r);
    const FleetIndexEntry trailing = s.Fleet_index[kTrailingEntry];
    if (trailing.First_row == 0) return;
    for (int r = trailing.First_row; r <= std::min<int>(trailing.Last_row, last); ++r)
        if (to_int_def(s.fleets.cell(col::Owner, r), 0) == p) draw_row_route(ctx, r);
}
}  // namespace

void draw_OtFR(RouteContext& ctx, const std::string& filter) {
    const Session& s = ctx.session;
    const bool own = filter == "_Only own" || filter == "_Own and Allies";
    const bool allies = filter == "_Own and Allies" || filter == "_Only allies";
    if (filter == "_All") {
        for (int r = 1; r <= s.fleets.lastRow(); ++r) draw_row_route(ctx, r);
        return;
    }
    if (own) draw_player_routes(ctx, player_index_of(s, s.Own_race_name));
    if (allies)
        for (const auto& ally : s.acceptedReportOwners) draw_player_routes(ctx, player_index_of(s, ally));
    if (!own && !allies) draw_player_routes(ctx, player_index_of(s, filter));
}

}  // namespace trevanor
