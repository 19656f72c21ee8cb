#pragma once
// One figure of every race over the kept turns of a game, oldest turn first:
// what the "Over the years" chart of the statistics window draws. A race is
// known by its player number; its name and colour are those of the newest
// turn it was seen in. A turn that did not see a race has no value for it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game_history.h"
#include "statistics.h"

namespace trevanor {

// The figures the chart offers, in the order of its list.
enum class Measure { Fleets, Ships, Warships, Unarmed, Bombers, Mass };
inline constexpr std::array<Measure, 6> kMeasures{Measure::Fleets,  Measure::Ships,   Measure::Warships,
                                                  Measure::Unarmed, Measure::Bombers, Measure::Mass};

// The statistics figure of a measure; ships are the class total, as the
// statistics window's "Total number of ships" and its ranking count them.
std::int64_t RaceStats::*measure_field(Measure measure);

struct RaceSeries {
    struct Line {
        int player = 0;
        std::string name;
        ColorValue color = 0;                            // 0x00BBGGRR
        std::vector<std::optional<std::int64_t>> values;  // one per turn
    };

    std::vector<std::string> labels;  // the turns' labels, oldest first
    std::vector<Line> lines;          // by player number
    std::string unit;                 // of the measure: "kT" for mass, else empty

    // The measure of every race seen in `turns` (oldest first).
    static RaceSeries build(const std::vector<KeptTurn>& turns, Measure measure);
};

// The open turn, the kept one labelled `openLabel`, with every race's figures
// as the merged fleet table gives them now: kept allies' reports the table
// does not hold (not merged since the game was opened) no longer count, and a
// merge counts at once. Unchanged when no turn has that label, or when the
// table holds a cell the statistics refuse.
void take_open_turn(std::vector<KeptTurn>& turns, const std::string& openLabel, const Session& session);

}  // namespace trevanor
