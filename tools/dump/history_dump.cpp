#include "history_dump.h"

#include <sstream>

#include "model/fleet_trails.h"
#include "model/game_history.h"

namespace trevanor {

void keep_history(const Model& model, const std::string& folder) {
    GameHistory(folder).keep(model.session.reads, model.session);
}

std::string dump_history(const std::string& folder, Prompter& prompter) {
    const GameHistory::Listing listing = GameHistory(folder).turns();
    for (const std::string& message : listing.skipped) prompter.warning(message);
    std::ostringstream out;
    for (const KeptTurn& turn : listing.turns)
        for (const KeptRace& race : turn.races) out << turn.label << '\t' << statistics_line(race.player, race.stats) << '\n';
    return out.str();
}

std::string dump_trail(const Model& model, Prompter& prompter, const HistoryRequest& request) {
    const GameHistory::Listing listing = GameHistory(request.trailFolder()).turns();
    const TurnsBefore before =
        turns_before(listing.turns, model.session.reads, static_cast<std::size_t>(request.turns - 1));
    const FleetTrails trails = FleetTrails::build(model.session, before.openLabel, before.turns, prompter);
    const std::vector<TrailPoint>* trail = trails.of(request.trailName);
    if (!trail) {
        prompter.message("No fleet on the map is named \"" + request.trailName + "\".");
        return {};
    }
    std::ostringstream out;
    for (std::size_t k = 0; k < trail->size(); ++k) {
        const TrailPoint& p = (*trail)[k];
        out << trails.labels()[k] << '\t' << (p.seen ? std::to_string(p.x) : "") << '\t'
            << (p.seen ? std::to_string(p.y) : "") << '\n';
    }
    return out.str();
}

}  // namespace trevanor
