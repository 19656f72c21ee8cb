// Deterministic generator for sample Kelvra games: a MAP file plus fleet reports
// (.F<n> files), written as Windows-1252 bytes with CR LF line ends.
//
// The output depends only on the seed: the generator uses its own PRNG and integer
// or correctly rounded arithmetic, so a seed gives the same bytes on every platform.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace trevanor::gen {

// One year's fleet reports: (reporting player number, .F file contents).
using Reports = std::vector<std::pair<int, std::string>>;

struct GameFiles {
    std::string map;               // MAP file contents, the same in every year
    Reports reports;               // the last year
    std::vector<Reports> earlier;  // earlier[0]: one year before `reports`, earlier[1]: two years before, ...
};

// A game covers 1..kMaxYears consecutive years. The last year does not depend on the
// number of years, nor does any earlier year: year k back is the same whether 2 or 20
// years are asked for. Earlier years run the fleets back along their courses, leave
// out fleets built since and add fleets destroyed since.
constexpr int kMaxYears = 20;

// Demo game: 300 planets in 1000..1800 on both axes, 7 players. Three reports:
// player 1's own report and those of its allies, players 2 and 4, whose home worlds
// sit next to player 1's so the three reports partly show the same foreign fleets.
// Every report of the last year carries the awkward cases real games produce (renamed
// fleets without an ID, shared names, stacked and mixed fleets, all destination forms,
// stargates). Throws std::invalid_argument unless 1 <= years <= kMaxYears.
GameFiles make_demo_game(std::uint64_t seed, int years = 1);

struct MaxGameOptions {
    int players = 16;            // 1..16
    int fleetsPerPlayer = 512;   // 0..10000; fleets past the 512th have no "#id"
    int planets = 2000;          // 1..10000
    double renamedShare = 0.05;  // 0..1, share of fleets whose name lost its "#id"
    int allyReports = 0;         // reports of players 2, 3, ... of the same world as well
    int years = 1;               // 1..kMaxYears
};

// One report (reporting player 1) that shows every fleet of every player:
// players * fleetsPerPlayer fleet lines, player 1's own block first. The reports of
// earlier years come from the same players and show every fleet of their year too.
// Throws std::invalid_argument when an option is out of range.
GameFiles make_max_game(std::uint64_t seed, const MaxGameOptions& options = {});

}  // namespace trevanor::gen
