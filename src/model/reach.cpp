#include "model/reach.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/calculator.h"
#include "model/columns.h"
#include "model/locate.h"
#include "model/numbers.h"
#include "model/players.h"
#include "model/report_format.h"
#include "model/text.h"

namespace trevanor {

namespace {

constexpr double kHereWithin = 1.0;  // light years between a destination and the place
constexpr double kPi = 3.14159265358979323846;

// Column 14 as a whole number; 0 for a warp that moves the fleet nowhere.
int moving_warp(const std::string& cell) {
    const auto warp = parse_int32(cell);
    return warp && *warp >= 1 && *warp <= 10 ? *warp : 0;
}

// The angle in whole degrees between a heading and the way to the place.
int degrees_between(std::int64_t hx, std::int64_t hy, std::int64_t dx, std::int64_t dy) {
    const double cross = static_cast<double>(hx) * static_cast<double>(dy) - static_cast<double>(hy) * static_cast<double>(dx);
    const double dot = static_cast<double>(hx) * static_cast<double>(dx) + static_cast<double>(hy) * static_cast<double>(dy);
    return static_cast<int>(std::nearbyint(std::atan2(std::fabs(cross), dot) * 180.0 / kPi));
}

Course course_of(const Session& s, int row, const ReachPlace& place) {
    const TextTable& t = s.fleets;
    if (parse_int32(t.cell(col::Warp, row)) == 0) return {Course::Kind::Still};
    const bool own = !t.cell(col::Task, row).empty();
    const Destination d = parse_destination(t.cell(col::Destination, row), own);
    const std::int64_t fx = to_int_def(t.cell(col::X, row), 0), fy = to_int_def(t.cell(col::Y, row), 0);
    const std::int64_t dx = std::int64_t{place.x} - fx, dy = std::int64_t{place.y} - fy;
    if (own) {
        std::optional<std::pair<std::int64_t, std::int64_t>> target;
        if (d.kind == Destination::Kind::NoMove) return {Course::Kind::Still};
        if (d.kind == Destination::Kind::Special) return {Course::Kind::Elsewhere};
        if (d.kind == Destination::Kind::Point) target = {d.x, d.y};
        if (d.kind == Destination::Kind::Place) {
            const Located at = locate_destination(s, t.cell(col::Destination, row), owner_word(t.cell(col::Name, row)));
            if (at.found()) target = {at.x, at.y};
        }
        if (!target) return {Course::Kind::Unknown};
        const bool here = distance_of(target->first - place.x, target->second - place.y) <= kHereWithin;
        return {here ? Course::Kind::Here : Course::Kind::Elsewhere};
    }
    if (d.kind == Destination::Kind::NoMove) return {Course::Kind::Still};
    if (d.kind != Destination::Kind::Heading) return {Course::Kind::Unknown};
    if (d.x == 0 && d.y == 0) return {Course::Kind::Still};
    if (dx == 0 && dy == 0) return {Course::Kind::Here};  // already there
    return {Course::Kind::Angle, degrees_between(d.x, d.y, dx, dy)};
}

}  // namespace

std::string space_name(std::int32_t x, std::int32_t y) {
    return "Space (" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

std::string Course::text() const {
    switch (kind) {
    case Kind::Here: return "here";
    case Kind::Elsewhere: return "elsewhere";
    case Kind::Angle: return std::to_string(degrees) + "\xB0";
    case Kind::Still: return "still";
    case Kind::Unknown: break;
    }
    return {};
}

std::optional<int> years_to_cover(std::int64_t dx, std::int64_t dy, int warp) {
    if (dx == 0 && dy == 0) return 0;
    if (warp < 1 || warp > 10) return std::nullopt;
    // Whole numbers throughout: a distance of exactly n·w² needs n years.
    const std::int64_t squared = dx * dx + dy * dy, yearly = std::int64_t{warp} * warp;
    auto n = static_cast<std::int64_t>(std::ceil(std::sqrt(static_cast<double>(squared)) / static_cast<double>(yearly)));
    n = std::max<std::int64_t>(n, 1);
    while (n > 1 && (n - 1) * yearly * (n - 1) * yearly >= squared) --n;
    while (n * yearly * n * yearly < squared) ++n;
    return static_cast<int>(std::min<std::int64_t>(n, 1 << 30));
}

std::vector<ReachingFleet> who_can_reach(const Session& session, const ReachPlace& place, int years,
                                         const std::function<bool(int owner)>& chosen) {
    const TextTable& t = session.fleets;
    std::vector<ReachingFleet> out;
    for (int r = 1; r <= t.lastRow(); ++r) {
        const auto x = parse_int32(t.cell(col::X, r)), y = parse_int32(t.cell(col::Y, r));
        if (!x || !y) continue;
        const int owner = to_int_def(t.cell(col::Owner, r), 0);
        if (chosen && !chosen(owner)) continue;
        const int warp = moving_warp(t.cell(col::Warp, r));
        const std::int64_t dx = std::int64_t{place.x} - *x, dy = std::int64_t{place.y} - *y;
        const auto needed = years_to_cover(dx, dy, warp);
        if (!needed || *needed > years) continue;
        ReachingFleet f;
        f.row = r;
        f.uniqueName = t.cell(col::UniqueName, r);
        f.owner = owner_word(t.cell(col::Name, r));
        f.ownerNumber = owner;
        f.x = *x;
        f.y = *y;
        f.distance = distance_of(dx, dy);
        f.warp = warp;
        f.years = *needed;
        f.course = course_of(session, r, place);
        f.ships = t.cell(col::Ships, r);
        f.warships = t.cell(col::Warship, r);
        f.mass = t.cell(col::Mass, r);
        out.push_back(std::move(f));
    }
    std::stable_sort(out.begin(), out.end(), [](const ReachingFleet& a, const ReachingFleet& b) {
        if (a.years != b.years) return a.years < b.years;
        if (a.distance != b.distance) return a.distance < b.distance;
        return compare_ci(a.uniqueName, b.uniqueName) < 0;
    });
    return out;
}

std::string reach_line(const ReachingFleet& f) {
    char distance[32];
    std::snprintf(distance, sizeof distance, "%.2f", f.distance);
    return f.uniqueName + '\t' + std::to_string(f.ownerNumber) + '\t' + distance + '\t' + std::to_string(f.warp) + '\t' +
           std::to_string(f.years) + '\t' + f.course.text();
}

}  // namespace trevanor
