#include "reach_dump.h"

#include "map/map_view.h"
#include "map/routes.h"
#include "model/locate.h"
#include "model/numbers.h"

namespace trevanor {

std::string reach_place(const Session& session, const ReachRequest& r, ReachPlace& place) {
    if (!r.planet.empty()) {
        const Located at = locate_object(session, ObjectKind::Planet, r.planet, nullptr);
        if (!at.found()) return "--reach-planet \"" + r.planet + "\" is no planet of the MAP";
        place = {at.x, at.y, r.planet};
        return {};
    }
    // The universe is the map's square, as its first redraw measures it.
    MapView view;
    compute_extent(view, session.planets);
    const double extent = view.Map_extent > 0 ? view.Map_extent : 1000.0;
    for (const std::string* word : {&r.x, &r.y}) {
        const auto v = parse_int32(*word);
        if (!v || *v < 1000 || *v > 1000 + extent)
            return "--reach \"" + *word + "\" is outside the universe: it takes 1000 to " +
                   std::to_string(1000 + static_cast<int>(extent));
    }
    place.x = *parse_int32(r.x);
    place.y = *parse_int32(r.y);
    place.name = space_name(place.x, place.y);
    return {};
}

std::string dump_reach(const Session& session, const ReachPlace& place, int years, const std::string& filter) {
    const std::string chosen = filter.empty() ? "_All" : filter;
    std::string out;
    for (const ReachingFleet& f :
         who_can_reach(session, place, years, [&](int owner) { return route_filter_passes(session, chosen, owner); }))
        out += reach_line(f) + '\n';
    return out;
}

}  // namespace trevanor
