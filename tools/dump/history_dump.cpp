#include "history_dump.h"

#include <sstream>

#include "model/errors.h"
#include "model/files.h"
#include "model/fleet_trails.h"
#include "model/game_history.h"

namespace trevanor {

namespace {

GameHistory history_of(const std::string& mapPath, const std::string& folder) {
    return GameHistory(folder, GameHistory::kDefaultCap, file_name_part(mapPath));
}

// The turns of a folder; what was left out is said when `tell` is set. A
// folder of which nothing can be read is no answer: it throws.
std::vector<KeptTurn> turns_of(const std::string& mapPath, const std::string& folder, Prompter& prompter, bool tell) {
    GameHistory::Listing listing = history_of(mapPath, folder).turns();
    if (tell)
        for (const std::string& message : listing.skipped) prompter.warning(message);
    if (!listing.problem.empty()) throw FileError(listing.problem);
    if (listing.turns.empty())
        throw FileError("No kept turn of " + file_name_part(mapPath) + " could be read from \"" + shown_path(folder) + "\".");
    return std::move(listing.turns);
}

}  // namespace

void keep_history(const Model& model, const std::string& folder) {
    history_of(model.session.reads.map, folder).keep(model.session.reads, model.session);
}

std::string dump_history(const std::string& mapPath, const std::string& folder, Prompter& prompter) {
    std::ostringstream out;
    for (const KeptTurn& turn : turns_of(mapPath, folder, prompter, true))
        for (const KeptRace& race : turn.races) out << turn.label << '\t' << statistics_line(race.player, race.stats) << '\n';
    return out.str();
}

std::string dump_trail(const Model& model, Prompter& prompter, const HistoryRequest& request) {
    // The turns of --history were listed with their messages already.
    const std::vector<KeptTurn> kept = turns_of(model.session.reads.map, request.trailFolder(), prompter, request.folder.empty());
    const TurnsBefore before = turns_before(kept, model.session.reads, static_cast<std::size_t>(request.turns - 1));
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
