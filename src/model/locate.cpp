#include "locate.h"

#include <algorithm>
#include <cstdlib>

#include "calculator.h"
#include "numbers.h"
#include "players.h"
#include "text.h"

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

std::optional<Located> locate_named(const Session& session, const std::string& name) {
    Located at = locate_object(session, ObjectKind::Planet, name, nullptr);
    if (!at.found()) at = locate_object(session, ObjectKind::Fleet, name, nullptr);
    if (at.found()) return at;
    const int r = sorted_row_named(session, name);
    if (r == 0) return std::nullopt;
    at.x = to_int_def(session.fleetsByPos.cell(col::X, r), 0);
    at.y = to_int_def(session.fleetsByPos.cell(col::Y, r), 0);
    return at;
}

int sorted_row_named(const Session& session, const std::string& uniqueName) {
    const TextTable& t = session.fleetsByPos;
    for (int r = 1; r <= t.lastRow(); ++r)
        if (t.cell(col::UniqueName, r) == uniqueName) return r;
    return 0;
}

bool on_map(const TextTable& table, int row, int xColumn, int yColumn) {
    return parse_int32(table.cell(xColumn, row)) && parse_int32(table.cell(yColumn, row));
}

namespace {
// Two rows at one spot: the same X and Y texts.
bool same_spot(const TextTable& t, int a, int b) {
    return t.cell(col::X, a) == t.cell(col::X, b) && t.cell(col::Y, a) == t.cell(col::Y, b);
}
}  // namespace

SpotRows spot_of(const Session& session, int row) {
    const TextTable& t = session.fleetsByPos;
    if (row < 1 || row > t.lastRow()) return {};
    int first = row;
    while (first > 1 && same_spot(t, first - 1, row)) --first;
    return spot_from(session, first);
}

SpotRows spot_from(const Session& session, int first) {
    const TextTable& t = session.fleetsByPos;
    if (first < 1 || first > t.lastRow()) return {};
    int last = first;
    while (last < t.lastRow() && same_spot(t, last + 1, first)) ++last;
    return {first, last - first + 1};
}

std::vector<std::string> spot_names(const Session& session, const SpotRows& spot) {
    std::vector<std::string> names;
    for (int r = spot.first; r < spot.first + spot.count; ++r) names.push_back(session.fleetsByPos.cell(col::UniqueName, r));
    return names;
}

namespace {
// A position as the proximity test reads it: the first four characters of
// its X and Y cells, within one light year of the point in each direction.
bool near(const std::string& xCell, const std::string& yCell, int x, int y) {
    const auto px = parse_int(left(xCell, 4)), py = parse_int(left(yCell, 4));
    return px && py && std::llabs(*px - x) <= 1 && std::llabs(*py - y) <= 1;
}

int first_near(const TextTable& t, int xColumn, int yColumn, int x, int y) {
    for (int r = 1; r <= t.lastRow(); ++r)
        if (near(t.cell(xColumn, r), t.cell(yColumn, r), x, y) && on_map(t, r, xColumn, yColumn)) return r;
    return 0;
}
}  // namespace

int fleet_near(const Session& session, int x, int y) { return first_near(session.fleetsByPos, col::X, col::Y, x, y); }

int planet_near(const Session& session, int x, int y) {
    return first_near(session.planets, planet_col::X, planet_col::Y, x, y);
}

double bearing(std::int64_t dx, std::int64_t dy) { return angle(dx, dy); }

}  // namespace trevanor
