#pragma once
// Fleet statistics: per player the fleets, ships by class, mass and cargo
// summed over every row of the fleet table, the top three players by ships,
// warships and mass, and what the statistics window shows when it becomes
// active. Sums are 64-bit, so large games do not wrap.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "prompter.h"
#include "session.h"
#include "settings.h"
#include "text_table.h"

namespace trevanor {

struct RaceStats {
    std::int64_t Fleet_count = 0, Ships = 0, Unarmed = 0, Scout = 0, Warship = 0, Bomber = 0, Utility = 0, Mass = 0,
                 Class_total = 0, Ironium = 0, Boranium = 0, Germanium = 0, Colonists = 0;
};
using RaceStatsTable = std::array<RaceStats, kPlayers + 1>;  // by player number 1..16; [0] unused

// The figures in the order the statistics lines list them.
inline constexpr std::array<std::int64_t RaceStats::*, 13> kRaceStatsFields{
    &RaceStats::Fleet_count, &RaceStats::Ships,   &RaceStats::Unarmed,     &RaceStats::Scout,    &RaceStats::Warship,
    &RaceStats::Bomber,      &RaceStats::Utility, &RaceStats::Mass,        &RaceStats::Class_total, &RaceStats::Ironium,
    &RaceStats::Boranium,    &RaceStats::Germanium, &RaceStats::Colonists};
// A player's statistics line: the player number, then each figure, TAB-joined.
std::string statistics_line(int player, const RaceStats& stats);

// Sums every data row of the fleet table by its owner (column 12), then the
// class totals. A row with an empty owner cell (the empty row of a table that
// holds no report) or an owner outside 1..16 is skipped. Throws
// ConversionError for an owner or summed cell that is not an integer.
RaceStatsTable compute_race_stats(const TextTable& fleets);

// The three players with the highest values of `field`, highest first; on
// equal values the lower player number ranks higher; a value of 0 or less
// never ranks. Unfilled places hold player 0 and value 0.
struct Ranking {
    std::array<int, 3> player{};
    std::array<std::int64_t, 3> value{};
};
Ranking top3(const RaceStatsTable& stats, std::int64_t RaceStats::*field);

// The name shown for a ranked player: the name of the player record whose
// number equals `player`; "" for none (and for an unfilled place).
std::string ranked_name(const Session& session, int player);

// What the statistics window shows after it became active.
struct StatisticsActivation {
    RaceStatsTable stats;
    std::vector<std::string> races;          // Race_CB items
    std::string ownCaption;                  // Groupbox2 caption; empty: keep the previous caption
    int ownPlayer = 0;                       // player whose figures the own panel shows; 0: keep previous figures
    std::vector<std::string> allied;         // allied_race_CB items; empty: Panel3 keeps its state
    std::array<Ranking, 3> top;              // numerous ships (Class_total), warships, massive fleet (Mass)
};

// Recomputes the statistics. Loads the own race from the settings when it is
// empty; shows "Error. Cannot find own race" when it is no player's. Throws
// ConversionError for a bad cell, before the own race is looked at.
StatisticsActivation statistics_activation(Session& session, Settings& settings, Prompter& prompter);

}  // namespace trevanor
