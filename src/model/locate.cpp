#include "locate.h"

#include <algorithm>

#include "calculator.h"
#include "numbers.h"
#include "players.h"

namespace trevanor {

namespace {
// The rows of an index entry, clipped to the table: an entry left from an
// earlier build may name rows that are gone.
int find_in_entry(const Session& s, int entry, const std::string& uniqueName) {
    const FleetIndexEntry& e = s.Fleet_index[static_cast<std::size_t>(entry)];
    if (e.First_row == 0) return 0;
    const int last = std::min<int>(e.Last_row, s.fleets.lastRow());
    for (int r = e.First_row; r <= last; ++r)
        if (s.fleets.cell(col::UniqueName, r) == uniqueName) return r;
    return 0;
}
}  // namespace

int find_fleet_row(const Session& session, int owner, const std::string& uniqueName) {
    const int inBlock = owner >= 1 && owner <= kPlayers ? find_in_entry(session, owner, uniqueName) : 0;
    return inBlock != 0 ? inBlock : find_in_entry(session, kTrailingEntry, uniqueName);
}

Located locate_object(const Session& session, ObjectKind kind, const std::string& name, Prompter* prompter) {
    Located at;
    if (kind == ObjectKind::Planet) {
        const TextTable& planets = session.planets;
        for (int r = 1; r <= planets.lastRow(); ++r) {
            if (planets.cell(planet_col::Name, r) != name) continue;
            at.x = to_int_def(planets.cell(planet_col::X, r), 0);
            at.y = to_int_def(planets.cell(planet_col::Y, r), 0);
            return at;
        }
        if (prompter) prompter->message("Planet \"" + name + "\" not found!");
        return at;
    }
    // The race word of a unique name: the text before its first blank.
    const auto blank = name.find(' ');
    const int p = blank == std::string::npos ? 0 : player_index_of(session, name.substr(0, blank));
    if (const int row = find_fleet_row(session, p, name)) {
        at.x = to_int_def(session.fleets.cell(col::X, row), 0);
        at.y = to_int_def(session.fleets.cell(col::Y, row), 0);
        at.color = owner_color(session, to_int_def(session.fleets.cell(col::Owner, row), 0));
        return at;
    }
    if (prompter) prompter->message("Fleet \"" + name + "\" not found!");
    return at;
}

Located locate_destination(const Session& session, const std::string& destination, const std::string& race) {
    Located at = locate_object(session, ObjectKind::Planet, destination, nullptr);
    for (const char* mark : {"", "*"}) {
        if (!at.found()) at = locate_object(session, ObjectKind::Fleet, destination + mark, nullptr);
        if (!at.found()) at = locate_object(session, ObjectKind::Fleet, race + " " + destination + mark, nullptr);
    }
    return at;
}

double bearing(std::int64_t dx, std::int64_t dy) { return angle(dx, dy); }

}  // namespace trevanor
