#pragma once
// Finding things in the tables: a planet or a fleet by name (where it is and
// in which colour it is drawn), the fleets at one spot, and what stands
// within a light year of a point.

#include <optional>
#include <string>
#include <vector>

#include "prompter.h"
#include "session.h"

namespace trevanor {

enum class ObjectKind { Planet, Fleet };

struct Located {
    int x = 0, y = 0;  // light years; 0, 0 when not found
    ColorValue color = 0xFFFFFF;
    bool found() const { return x != 0; }
};

// A planet by its name (white), or a fleet by its unique name (its owner's
// colour), searched in its owner's block of the fleet table, then in the
// trailing block. Not found: 0, 0 and white, after the message "Planet "…"
// not found!" or "Fleet "…" not found!" unless `prompter` is null (silent).
Located locate_object(const Session& session, ObjectKind kind, const std::string& name, Prompter* prompter);

// The target of an own fleet's destination: a planet, a fleet by its unique
// name, or by its unique name without its race word (`race`, the moving
// fleet's, goes in front). A fleet that a merge added is found under the name
// its own report gives it too, without the merge's "*". Not found: 0, 0.
Located locate_destination(const Session& session, const std::string& destination, const std::string& race);

// Where a planet or fleet chosen by its name (a planet's name or a fleet's
// unique name, as the Find field lists them) stands: the planet, else the
// fleet in the fleet table, else in the position-sorted one. Nothing when no
// object has that name.
std::optional<Located> locate_named(const Session& session, const std::string& name);

// The fleet table row of a fleet by its unique name, searched in the block
// of `owner`, then in the trailing block; 0 when not found.
int find_fleet_row(const Session& session, int owner, const std::string& uniqueName);

// The row of the position-sorted table that holds the fleet of this unique
// name; 0 when none does.
int sorted_row_named(const Session& session, const std::string& uniqueName);

// A row stands on the map when its X and Y are numbers: such rows are
// drawn, and hit by clicks; others (an empty or damaged line) are not.
bool on_map(const TextTable& table, int row, int xColumn, int yColumn);

// The fleets at one spot: the run of adjacent position-sorted rows whose X
// and Y read the same (only X and Y count, not the planet). One row is a
// single fleet, more a group.
struct SpotRows {
    int first = 0, count = 0;  // count 0: no spot
    bool group() const { return count > 1; }
};
// The spot that row `row` of the position-sorted table belongs to.
SpotRows spot_of(const Session& session, int row);
// The same for a row known to be the first of its spot (a walk in
// position order that goes on after the spot before).
SpotRows spot_from(const Session& session, int first);
// The unique names of the fleets at that spot, in position order.
std::vector<std::string> spot_names(const Session& session, const SpotRows& spot);

// What stands within one light year of the point (x, y) in each direction,
// each position read from the first four characters of its X and Y cells:
// the first position-sorted row on the map there (the first fleet of the
// lowest-sorted spot near the point), or the first planet there; 0 for none.
int fleet_near(const Session& session, int x, int y);
int planet_near(const Session& session, int x, int y);

// The bearing of (dx, dy) in degrees: 0 along +Y, 90 along +X.
double bearing(std::int64_t dx, std::int64_t dy);

}  // namespace trevanor
