#pragma once
// The "reach" section of the dump (--reach X Y or --reach-planet NAME, with
// --years N and --routes FILTER): the fleets that can be at the place within
// the years, a line each, in the order the "Who can reach" window lists them.

#include <string>

#include "model/reach.h"
#include "model/session.h"

namespace trevanor {

struct ReachRequest {
    std::string x, y;    // --reach X Y
    std::string planet;  // --reach-planet NAME
    int years = 1;
    bool asked() const { return !x.empty() || !planet.empty(); }
};

// The place the request names in the open game; an error text naming the
// word when it is outside the universe (the map's square) or no planet's name.
std::string reach_place(const Session& session, const ReachRequest& request, ReachPlace& place);

// The section's lines (see reach_line), the owners chosen by the route filter
// ("_All" when empty).
std::string dump_reach(const Session& session, const ReachPlace& place, int years, const std::string& filter);

}  // namespace trevanor
