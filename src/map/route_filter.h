#pragma once
// The map's route filter: which owners' routes are drawn.

#include <string>
#include <vector>

#include "model/session.h"

namespace trevanor {

// The items of the filter, "_All" first: "_Only own" with an own race chosen,
// "_Own and Allies" and "_Only allies" once allies are known, then every
// player's race name.
std::vector<std::string> route_race_items(const Session& session);

}  // namespace trevanor
