#include "movement_dump.h"

#include <cstdio>
#include <sstream>

#include "model/movement.h"

namespace trevanor {

std::string dump_movement(Model& model, Prompter& prompter, const std::string& map, const EarlierRequest& request) {
    const auto year = EarlierYear::read({map, request.firstReport, request.allies, model.session.Own_race_name, {}}, prompter);
    std::ostringstream out;
    for (const FleetMove& m : compare_years(model.session, year->session())) {
        const auto pair = [](bool has, std::int32_t x, std::int32_t y) {
            return has ? std::to_string(x) + '\t' + std::to_string(y) : std::string(1, '\t');
        };
        char distance[32] = "";
        if (m.hasEarlier() && m.hasCurrent()) std::snprintf(distance, sizeof distance, "%.2f", m.distance);
        out << m.uniqueName << '\t' << status_word(m.status) << '\t' << pair(m.hasEarlier(), m.earlierX, m.earlierY)
            << '\t' << pair(m.hasCurrent(), m.currentX, m.currentY) << '\t' << distance << '\t'
            << (m.hasEarlier() && m.hasCurrent() ? (m.byName ? "name" : "id") : "") << '\n';
    }
    return out.str();
}

}  // namespace trevanor
