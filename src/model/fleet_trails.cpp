#include "fleet_trails.h"

#include <memory>
#include <string_view>

#include "earlier_year.h"
#include "movement.h"

namespace trevanor {

namespace {

// A fleet of the open game as it is followed back, one kept turn at a time.
struct Followed {
    std::vector<TrailPoint> newestFirst;  // empty: not on the map
    int row = 0;                          // its row in the turn reached so far; 0: not seen there
    TrailPoint last;                      // where it was last seen
    std::string idKey;                    // its ID key; empty for a fleet paired by name
};

// A kept turn as read; null, with a warning, when its copies are damaged.
std::unique_ptr<EarlierYear> read_turn(const KeptTurn& turn, Prompter& prompter) {
    try {
        return EarlierYear::read_kept(turn, prompter);
    } catch (const std::exception& e) {
        prompter.warning("The kept turn of " + turn.label + " is damaged and was left out.\r" + e.what());
        return nullptr;
    }
}

// The fleets of a turn that have an ID, by their ID key.
using ById = std::unordered_multimap<std::string_view, const YearFleet*>;

// The fleet of `key` the movement would pair with a fleet last seen at
// `last`: the closest (ties: the earlier in position order); null for none.
const YearFleet* closest_with_key(const ById& byId, const std::string& key, const TrailPoint& last) {
    const YearFleet* best = nullptr;
    double bestSquared = 0;
    for (auto [at, end] = byId.equal_range(key); at != end; ++at) {
        const YearFleet& f = *at->second;
        const double dx = static_cast<double>(std::int64_t{f.x} - last.x), dy = static_cast<double>(std::int64_t{f.y} - last.y);
        const double squared = dx * dx + dy * dy;
        if (best && (squared > bestSquared || (squared == bestSquared && f.row > best->row))) continue;
        best = &f;
        bestSquared = squared;
    }
    return best;
}

// Takes each fleet one turn further back, from `later` to `older`,
// `turnsBetween` turns before it: through the fleet it is paired with, or,
// for a fleet with an ID not seen in the turns between, through its ID.
void follow_back(std::vector<Followed>& fleets, const Session& later, const Session& older, int turnsBetween) {
    std::vector<const FleetMove*> back(static_cast<std::size_t>(std::max(0, later.fleetsByPos.lastRow())) + 1, nullptr);
    const std::vector<FleetMove> moves = compare_years(later, older, turnsBetween);
    for (const FleetMove& m : moves)
        if (m.hasCurrent() && m.hasEarlier()) back[static_cast<std::size_t>(m.currentRow)] = &m;
    std::vector<YearFleet> olderFleets;
    ById byId;
    for (Followed& f : fleets) {
        if (f.newestFirst.empty()) continue;
        TrailPoint point;
        if (f.row != 0) {
            const FleetMove* m = back[static_cast<std::size_t>(f.row)];
            f.row = m ? m->earlierRow : 0;
            if (m) point = {true, m->earlierX, m->earlierY};
        } else if (!f.idKey.empty()) {
            if (olderFleets.empty()) {
                olderFleets = year_fleets(older);
                for (const YearFleet& y : olderFleets)
                    if (!y.byName) byId.emplace(y.key, &y);
            }
            const YearFleet* found = closest_with_key(byId, f.idKey, f.last);
            f.row = found ? found->row : 0;
            if (found) point = {true, found->x, found->y};
        }
        if (point.seen) f.last = point;
        f.newestFirst.push_back(point);
    }
}

}  // namespace

FleetTrails FleetTrails::build(const Session& open, const std::string& openLabel, const std::vector<KeptTurn>& earlier,
                               Prompter& prompter) {
    FleetTrails t;
    std::vector<Followed> fleets(static_cast<std::size_t>(std::max(0, open.fleetsByPos.lastRow())) + 1);
    for (const YearFleet& y : year_fleets(open)) {
        Followed& f = fleets[static_cast<std::size_t>(y.row)];
        f.row = y.row;
        f.last = {true, y.x, y.y};
        f.newestFirst.push_back(f.last);
        if (!y.byName) f.idKey = y.key;
        t.byName_.emplace(open.fleetsByPos.cell(col::UniqueName, y.row), static_cast<std::size_t>(y.row));
    }
    std::vector<std::string> labels{openLabel};
    std::unique_ptr<EarlierYear> previous;  // the turn reached so far, when it is not the open game
    int turnsBetween = 1;                   // from it to the next kept turn, those left out counted
    for (const KeptTurn& turn : earlier) {
        std::unique_ptr<EarlierYear> year = read_turn(turn, prompter);
        if (!year) {
            ++turnsBetween;
            continue;
        }
        follow_back(fleets, previous ? previous->session() : open, year->session(), turnsBetween);
        labels.push_back(turn.label);
        previous = std::move(year);
        turnsBetween = 1;
    }
    t.labels_.assign(labels.rbegin(), labels.rend());
    t.trails_.resize(fleets.size());
    for (std::size_t r = 0; r < fleets.size(); ++r)
        t.trails_[r].assign(fleets[r].newestFirst.rbegin(), fleets[r].newestFirst.rend());
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
