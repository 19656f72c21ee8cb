#include "race_series.h"

#include <algorithm>

#include "errors.h"

namespace trevanor {

std::int64_t RaceStats::*measure_field(Measure measure) {
    switch (measure) {
    case Measure::Fleets: return &RaceStats::Fleet_count;
    case Measure::Ships: return &RaceStats::Class_total;
    case Measure::Warships: return &RaceStats::Warship;
    case Measure::Unarmed: return &RaceStats::Unarmed;
    case Measure::Bombers: return &RaceStats::Bomber;
    case Measure::Mass: return &RaceStats::Mass;
    }
    return &RaceStats::Class_total;
}

RaceSeries RaceSeries::build(const std::vector<KeptTurn>& turns, Measure measure) {
    const auto field = measure_field(measure);
    RaceSeries series;
    series.labels.reserve(turns.size());
    if (measure == Measure::Mass) series.unit = "kT";
    // Lines by player number while filling; players never seen are dropped.
    std::array<Line, kPlayers + 1> byPlayer{};
    for (std::size_t k = 0; k < turns.size(); ++k) {
        series.labels.push_back(turns[k].label);
        for (const KeptRace& race : turns[k].races) {
            if (race.player < 1 || race.player > kPlayers) continue;
            Line& line = byPlayer[static_cast<std::size_t>(race.player)];
            if (line.values.empty()) line.values.resize(turns.size());
            line.player = race.player;
            line.name = race.name;
            line.color = race.color;
            line.values[k] = race.stats.*field;
        }
    }
    for (Line& line : byPlayer)
        if (line.player != 0) series.lines.push_back(std::move(line));
    return series;
}

void take_open_turn(std::vector<KeptTurn>& turns, const std::string& openLabel, const Session& session) {
    const auto open = std::find_if(turns.begin(), turns.end(), [&](const KeptTurn& t) { return t.label == openLabel; });
    if (!openLabel.empty() && open != turns.end()) take_figures(*open, session);
}

}  // namespace trevanor
