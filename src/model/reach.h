#pragma once
// Who can reach a place: every fleet that can be there within a number of
// years, how soon, and whether its course points there. A fleet at warp w
// (column 14 read as a whole number, 1..10) covers w² light years a year;
// any other warp ("SG", a blank, 0, 11 and up) moves it nowhere, so it can
// only be where it already is.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "session.h"

namespace trevanor {

// The place asked about, in light years, and what it is called.
struct ReachPlace {
    std::int32_t x = 0, y = 0;
    std::string name;  // a planet's or fleet's name, or "Space (X, Y)"
    bool operator==(const ReachPlace&) const = default;
};
// "Space (X, Y)", the way a report names a point in space.
std::string space_name(std::int32_t x, std::int32_t y);

// Where a fleet's course points as seen from the place.
struct Course {
    enum class Kind {
        Here,       // its destination lies within 1 ly of the place
        Elsewhere,  // its destination lies elsewhere
        Angle,      // a heading, `degrees` off the direction to the place
        Still,      // heading 127.127, warp 0, or no destination given
        Unknown,    // a destination the tables cannot find, or a cell that is no heading
    };
    Kind kind = Kind::Unknown;
    int degrees = 0;  // Angle: 0..180
    // "here", "elsewhere", "3°" (cp1252), "still" or "".
    std::string text() const;
    // A heading within 15° of the place: the fleet is coming.
    bool coming() const { return kind == Kind::Angle && degrees <= 15; }
};

struct ReachingFleet {
    int row = 0;  // fleet table row
    std::string uniqueName, owner;
    int ownerNumber = 0;
    std::int32_t x = 0, y = 0;
    double distance = 0;  // light years
    int warp = 0;         // 1..10, or 0 for a fleet that cannot move
    int years = 0;
    Course course;
    std::string ships, warships, mass;  // the cells as the report has them
};

// The years a fleet at `warp` needs for (dx, dy): 0 when it is there, else
// the least n with n·w² ≥ the distance; nothing when it cannot move.
std::optional<int> years_to_cover(std::int64_t dx, std::int64_t dy, int warp);

// The fleets of the fleet table on the map whose owner `chosen` lets
// through (all when it is empty) that need at most `years` years to the
// place: by years, then distance, then unique name (ignoring case).
std::vector<ReachingFleet> who_can_reach(const Session& session, const ReachPlace& place, int years,
                                         const std::function<bool(int owner)>& chosen = {});

// A fleet's line of the dump: unique name, owner number, distance (two
// decimals), warp, years and course, TAB-joined.
std::string reach_line(const ReachingFleet& fleet);

}  // namespace trevanor
