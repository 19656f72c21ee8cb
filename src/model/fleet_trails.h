#pragma once
// Where each fleet of the open game was in each of the last turns kept of
// its game: a fleet is followed back one turn at a time, paired as the
// movement pairs it (owner word and ID, else its name, by name no further
// than 100 ly for each turn between the two). A fleet with an ID that a
// turn did not show is looked for again in the turns before it by its owner
// word and ID (of several such fleets, the one closest to where it was last
// seen). A fleet paired by name is lost at the first turn that does not
// show it: a name is no proof, and a trail never jumps to another fleet.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "game_history.h"
#include "prompter.h"
#include "session.h"

namespace trevanor {

struct TrailPoint {
    bool seen = false;
    std::int32_t x = 0, y = 0;
    bool operator==(const TrailPoint&) const = default;
};

class FleetTrails {
public:
    // The open game and the kept turns before it, newest first (see
    // turns_before). A kept turn that cannot be read is left out, with a
    // warning through `prompter`: it has no label and no place in the
    // trails, and the turns before it are followed on (for the limit of a
    // pair by name, it counts among the turns between).
    static FleetTrails build(const Session& open, const std::string& openLabel, const std::vector<KeptTurn>& earlier,
                             Prompter& prompter);

    // The turns' labels, oldest first; the open game's is the last.
    const std::vector<std::string>& labels() const { return labels_; }
    // A fleet's positions per turn, oldest first; null for a fleet of the
    // open game that is not on the map.
    const std::vector<TrailPoint>* of(const std::string& uniqueName) const;
    // Every trail, by the fleet's position-sorted row in the open game.
    const std::vector<std::vector<TrailPoint>>& all() const { return trails_; }
    std::size_t turns() const { return labels_.size(); }

private:
    std::vector<std::string> labels_;
    std::vector<std::vector<TrailPoint>> trails_;   // oldest turn first within each
    std::unordered_map<std::string, std::size_t> byName_;
};

// "2026-12-01 09:12: 1204, 1187; 2026-12-08 10:40: not seen; …": the
// positions a particulars line lists, oldest first.
std::string trail_text(const FleetTrails& trails, const std::vector<TrailPoint>& trail);

}  // namespace trevanor
