#pragma once
// Finding a planet or a fleet by name for the map: where it is and in which
// colour it is drawn.

#include <string>

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

// The fleet table row of a fleet by its unique name, searched in the block
// of `owner`, then in the trailing block; 0 when not found.
int find_fleet_row(const Session& session, int owner, const std::string& uniqueName);

// The bearing of (dx, dy) in degrees: 0 along +Y, 90 along +X.
double bearing(std::int64_t dx, std::int64_t dy);

}  // namespace trevanor
