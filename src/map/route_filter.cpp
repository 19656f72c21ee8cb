#include "map/route_filter.h"

#include "model/own_race.h"
#include "model/players.h"

namespace trevanor {

std::vector<std::string> route_race_items(const Session& session) {
    std::vector<std::string> items{"_All"};
    if (own_race_chosen(session)) items.push_back("_Only own");
    if (!session.acceptedReportOwners.empty()) {
        items.push_back("_Own and Allies");
        items.push_back("_Only allies");
    }
    for (const auto& name : race_names(session)) items.push_back(name);
    return items;
}

}  // namespace trevanor
