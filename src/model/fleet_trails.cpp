#include "fleet_trails.h"

#include <memory>

#include "earlier_year.h"
#include "movement.h"

namespace trevanor {

FleetTrails FleetTrails::build(const Session& open, const std::string& openLabel, const std::vector<KeptTurn>& earlier,
                               Prompter& prompter) {
    FleetTrails t;
    const TextTable& byPos = open.fleetsByPos;
    const std::size_t rows = static_cast<std::size_t>(std::max(0, byPos.lastRow())) + 1;
    // Newest first while it is built; turned round at the end.
    std::vector<std::vector<TrailPoint>> newestFirst(rows);
    std::vector<int> followed(rows, 0);  // each open fleet's row in the turn reached so far; 0: lost
    std::vector<std::string> labels{openLabel};
    for (const FleetMove& m : compare_years(open, open)) {
        if (!m.hasCurrent()) continue;
        const auto r = static_cast<std::size_t>(m.currentRow);
        newestFirst[r].push_back({true, m.currentX, m.currentY});
        followed[r] = m.currentRow;
        t.byName_.emplace(m.uniqueName, r);
    }

    std::unique_ptr<EarlierYear> previous;  // the turn reached so far, when it is not the open game
    for (const KeptTurn& turn : earlier) {
        std::unique_ptr<EarlierYear> year;
        try {
            year = EarlierYear::read_kept(turn, prompter);
        } catch (const std::exception& e) {
            prompter.error("The kept turn of " + turn.label + " cannot be read; the trails end after it.\r" + e.what());
            break;
        }
        // Each row of the turn reached so far, to its row and place in this one.
        const Session& later = previous ? previous->session() : open;
        std::vector<const FleetMove*> back(static_cast<std::size_t>(std::max(0, later.fleetsByPos.lastRow())) + 1, nullptr);
        const std::vector<FleetMove> moves = compare_years(later, year->session());
        for (const FleetMove& m : moves)
            if (m.hasCurrent() && m.hasEarlier()) back[static_cast<std::size_t>(m.currentRow)] = &m;
        for (std::size_t r = 0; r < rows; ++r) {
            if (newestFirst[r].empty()) continue;  // not on the map
            const FleetMove* m = followed[r] ? back[static_cast<std::size_t>(followed[r])] : nullptr;
            followed[r] = m ? m->earlierRow : 0;
            newestFirst[r].push_back(m ? TrailPoint{true, m->earlierX, m->earlierY} : TrailPoint{});
        }
        labels.push_back(turn.label);
        previous = std::move(year);
    }

    t.labels_.assign(labels.rbegin(), labels.rend());
    t.trails_.resize(rows);
    for (std::size_t r = 0; r < rows; ++r) t.trails_[r].assign(newestFirst[r].rbegin(), newestFirst[r].rend());
    return t;
}

const std::vector<TrailPoint>* FleetTrails::of(const std::string& uniqueName) const {
    const auto it = byName_.find(uniqueName);
    return it == byName_.end() ? nullptr : &trails_[it->second];
}

std::string trail_text(const FleetTrails& trails, const std::vector<TrailPoint>& trail) {
    std::string text;
    for (std::size_t k = 0; k < trail.size() && k < trails.labels().size(); ++k) {
        if (!text.empty()) text += "; ";
        text += trails.labels()[k] + ": ";
        text += trail[k].seen ? std::to_string(trail[k].x) + ", " + std::to_string(trail[k].y) : std::string("not seen");
    }
    return text;
}

}  // namespace trevanor
