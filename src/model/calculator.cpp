#include "calculator.h"

#include <cmath>
#include <numbers>

namespace trevanor {

double distance_of(std::int64_t dx, std::int64_t dy) {
    const double x = static_cast<double>(dx), y = static_cast<double>(dy);
    return std::sqrt(x * x + y * y);
}

double angle(std::int64_t dx, std::int64_t dy) {
    const double r = distance_of(dx, dy);
    const double theta = std::acos(static_cast<double>(dy) / r) * 180.0 / std::numbers::pi;
    return dx < 0 ? 360.0 - theta : theta;
}

Calculation calculate(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    if (x1 < 1000 || x2 < 1000 || y1 < 1000 || y2 < 1000) return {Calculation::Kind::BadCoordinates};
    if (x1 == x2 && y1 == y2) return {Calculation::Kind::SamePoint};
    const std::int64_t dx = std::int64_t{x2} - x1;
    const std::int64_t dy = std::int64_t{y2} - y1;
    Calculation c{Calculation::Kind::Distance};
    c.distance = distance_of(dx, dy);
    c.angle1 = angle(dx, dy);
    c.angle2 = c.angle1 + 180.0;
    if (c.angle2 > 360.0) c.angle2 -= 360.0;
    return c;
}

std::optional<std::pair<std::string, std::string>> place_position(const Session& s, const std::string& item) {
    if (item.empty() || item[0] != '!') {
        for (int r = 1; r <= s.planets.lastRow(); ++r)
            if (s.planets.cell(planet_col::Name, r) == item)
                return std::make_pair(s.planets.cell(planet_col::X, r), s.planets.cell(planet_col::Y, r));
        return std::nullopt;
    }
    const std::string unique = item.substr(1);
    for (int r = 1; r <= s.fleets.lastRow(); ++r)
        if (s.fleets.cell(col::UniqueName, r) == unique)
            return std::make_pair(s.fleets.cell(col::X, r), s.fleets.cell(col::Y, r));
    return std::nullopt;
}

int find_place(const SortedList& list, const std::string& text) {
    const int index = list.indexOfCi(text);
    return index >= 0 ? index : list.indexOfCi("!" + text);
}

}  // namespace trevanor
