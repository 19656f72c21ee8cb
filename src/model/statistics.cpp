#include "statistics.h"

#include <limits>

#include "errors.h"
#include "text_util.h"

namespace trevanor {

namespace {

// Fleet table columns summed into the statistics.
namespace scol {
constexpr int Ships = 6, Ironium = 7, Boranium = 8, Germanium = 9, Colonists = 10, Mass = 15, Unarmed = 24,
              Scout = 25, Warship = 26, Utility = 27, Bomber = 28;
}

// Counts and cargo are 32-bit, so their sums over a table's 65,535 rows stay
// far inside 64 bits; masses are 64-bit and their sum stops at the nearest
// limit instead of wrapping.
void add_to(std::int64_t& sum, std::int64_t value) {
    if (__builtin_add_overflow(sum, value, &sum))
        sum = value > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
}

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
        add(&RaceStats::Ships, scol::Ships);
        add(&RaceStats::Unarmed, scol::Unarmed);
        add(&RaceStats::Scout, scol::Scout);
        add(&RaceStats::Warship, scol::Warship);
        add(&RaceStats::Bomber, scol::Bomber);
        add(&RaceStats::Utility, scol::Utility);
        add_to(r.Mass, to_int64(fleets.cell(scol::Mass, row)));
        add(&RaceStats::Ironium, scol::Ironium);
        add(&RaceStats::Boranium, scol::Boranium);
        add(&RaceStats::Germanium, scol::Germanium);
        add(&RaceStats::Colonists, scol::Colonists);
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

int player_lookup(const Session& session, const std::string& name) {
    for (int p = 1; p <= kPlayers; ++p)
        if (session.Players[static_cast<std::size_t>(p)].Name == name) return p;
    return 0;
}

StatisticsActivation statistics_activation(Session& session, Settings& settings, Prompter& prompter) {
    StatisticsActivation a;
    for (int p = 1; p <= kPlayers; ++p) {
        const std::string& name = session.Players[static_cast<std::size_t>(p)].Name;
        if (!name.empty()) a.races.push_back(name);
    }
    a.stats = compute_race_stats(session.fleets);

    if (session.Own_race_name.empty()) settings.load_own_race();
    const std::string& own = session.Own_race_name;
    if (own.empty() || own == "_none_") {
        a.ownCaption = "Own race (not selected)";
    } else if (const int p = player_lookup(session, own); p == 0) {
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

}  // namespace trevanor
