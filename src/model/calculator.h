#pragma once
// The distance and angle calculator: distances in light years between two
// points of the universe and the bearing from one to the other.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "session.h"

namespace trevanor {

// Bearing of (dx, dy) in degrees: 0 along increasing Y, 90 along increasing X.
double angle(std::int64_t dx, std::int64_t dy);
// The length of (dx, dy); the squares are summed exactly for any coordinates
// a report can hold.
double distance_of(std::int64_t dx, std::int64_t dy);

struct Calculation {
    enum class Kind { BadCoordinates, SamePoint, Distance } kind;
    double distance = 0, angle1 = 0, angle2 = 0;
};

Calculation calculate(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);


// X and Y of a place list item: a planet name, or "!" and a fleet's unique name.
std::optional<std::pair<std::string, std::string>> place_position(const Session& session, const std::string& item);

// The item of a place list that a pasted text names (ignoring case), trying
// "!" + text for fleets; -1 when none.
int find_place(const SortedList& list, const std::string& text);

}  // namespace trevanor
