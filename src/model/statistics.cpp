#include "statistics.h"

#include <limits>

#include "errors.h"
#include "numbers.h"
#include "own_race.h"
#include "players.h"

namespace trevanor {

namespace {

}  // namespace

RaceStatsTable compute_race_stats(const TextTable& fleets) {
    RaceStatsTable stats{};
    for (int row = 1; row < fleets.rowCount(); ++row) {
        const std::string& ownerText = fleets.cell(col::Owner, row);
        if (ownerText.empty()) continue;
        const std::int32_t owner = to_int(ownerText);
        if (owner < 1 || owner > kPlayers) continue;
        RaceStats& r = stats[static_cast<std::size_t>(owner)];
        const auto add = [&](std::int64_t RaceStats::*field, int column) {
            r.*field += to_int(fleets.cell(column, row));
        };
        r.Fleet_count += 1;
        add(&RaceStats::Ships, col::Ships);
        add(&RaceStats::Unarmed, col::Unarmed);
        add(&RaceStats::Scout, col::Scout);
        add(&RaceStats::Warship, col::Warship);
        add(&RaceStats::Bomber, col::Bomber);
        add(&RaceStats::Utility, col::Utility);
        saturating_add(r.Mass, to_int64(fleets.cell(col::Mass, row)));
        add(&RaceStats::Ironium, col::Ironium);
        add(&RaceStats::Boranium, col::Boranium);
        add(&RaceStats::Germanium, col::Germanium);
        add(&RaceStats::Colonists, col::Colonists);
    }
    for (RaceStats& r : stats) r.Class_total = r.Unarmed + r.Scout + r.Bomber + r.Warship + r.Utility;
    return stats;
}

Ranking top3(const RaceStatsTable& stats, std::int64_t RaceStats::*field) {
    Ranking top;
    for (int p = 1; p <= kPlayers; ++p) {
        const std::int64_t v = stats[static_cast<std::size_t>(p)].*field;
        // The place v takes; players after it move down one place.
        int place = 0;
        while (place < 3 && !(v > top.value[static_cast<std::size_t>(place)])) ++place;
        if (place == 3) continue;
        for (int k = 2; k > place; --k) {
            top.player[static_cast<std::size_t>(k)] = top.player[static_cast<std::size_t>(k - 1)];
            top.value[static_cast<std::size_t>(k)] = top.value[static_cast<std::size_t>(k - 1)];
        }
        top.player[static_cast<std::size_t>(place)] = p;
        top.value[static_cast<std::size_t>(place)] = v;
    }
    return top;
}

std::string ranked_name(const Session& session, int player) {
    if (player == 0) return {};
    for (int p = 1; p <= kPlayers; ++p) {
        const Player& record = session.Players[static_cast<std::size_t>(p)];
        if (record.Number == player) return record.Name;
    }
    return {};
}

StatisticsActivation statistics_activation(Session& session, Settings& settings, Prompter& prompter) {
    StatisticsActivation a;
    a.races = race_names(session);
    a.stats = compute_race_stats(session.fleets);

    if (session.Own_race_name.empty()) load_own_race(session, settings);
    const std::string& own = session.Own_race_name;
    if (!own_race_chosen(session)) {
        a.ownCaption = "Own race (not selected)";
    } else if (const int p = player_index_of(session, own); p == 0) {
        prompter.message("Error. Cannot find own race");
    } else {
        a.ownPlayer = p;
        a.ownCaption = "Own race (" + own + ")";
        if (!session.acceptedReportOwners.empty()) {
            a.allied.push_back(own);
            a.allied.insert(a.allied.end(), session.acceptedReportOwners.begin(), session.acceptedReportOwners.end());
            a.ownCaption = "Own/Allied race (" + own + ")";
        }
    }

    a.top = {top3(a.stats, &RaceStats::Class_total), top3(a.stats, &RaceStats::Warship),
             top3(a.stats, &RaceStats::Mass)};
    return a;
}

std::string statistics_line(int player, const RaceStats& stats) {
    std::string line = std::to_string(player);
    for (const auto field : kRaceStatsFields) line += '\t' + std::to_string(stats.*field);
    return line;
}

}  // namespace trevanor
