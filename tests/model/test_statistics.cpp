#include <gtest/gtest.h>

#include <limits>

#include "model/errors.h"
#include "model/players.h"
#include "model/statistics.h"
#include "test_support.h"

using namespace trevanor;

namespace {

// Fleet table columns of the figures, as the reports hold them.
enum : int { Ships = 6, Iron = 7, Boran = 8, Germ = 9, Pop = 10, Owner = 12, Mass = 15, Unarmed = 24, Scout = 25,
             War = 26, Utility = 27, Bomber = 28 };

// A fleet row: every figure 0 unless given.
std::vector<std::string> row(std::initializer_list<std::pair<int, std::string>> cells) {
    std::vector<std::string> r(kFleetColumns);
    for (int c : {Ships, Iron, Boran, Germ, Pop, Mass, Unarmed, Scout, War, Utility, Bomber}) r[c] = "0";
    for (const auto& [c, text] : cells) r[static_cast<std::size_t>(c)] = text;
    return r;
}

TextTable table(std::vector<std::vector<std::string>> rows) {
    TextTable t(kFleetColumns);
    rows.insert(rows.begin(), std::vector<std::string>(kFleetColumns, "H"));
    t.assignRows(std::move(rows));
    return t;
}

void name_players(Session& s) {
    for (const auto& [p, name] : {std::pair{1, "Vorlani"}, {3, "Kesh"}, {12, "Umbral"}}) {
        s.Players[p].Name = name;
        s.Players[p].Number = static_cast<std::uint8_t>(p);
    }
}

}  // namespace

TEST(RaceStatistics, SumsEveryRowByOwner) {
    const TextTable fleets = table({
        row({{Owner, "1"}, {Ships, "5"}, {Unarmed, "1"}, {Scout, "2"}, {War, "3"}, {Mass, "100"}, {Iron, "10"}}),
        row({{Owner, "3"}, {Ships, "4"}, {War, "4"}, {Mass, "70"}, {Pop, "12"}}),
        row({{Owner, ""}, {Ships, "junk"}}),               // no owner: not counted, not converted
        row({{Owner, "17"}, {Ships, "9"}, {War, "9"}}),    // no player of the game
        row({{Owner, "0"}, {War, "9"}}),
        // Appended by an ally merge after the owner blocks; the class counts
        // add up to more than the ship count.
        row({{Owner, "1"}, {Ships, "2"}, {Bomber, "2"}, {Utility, "4"}, {Mass, "-30"}, {Boran, "7"}, {Germ, "3"},
             {Pop, "25"}}),
    });
    const RaceStatsTable s = compute_race_stats(fleets);
    const struct {
        int p;
        RaceStats want;
    } cases[] = {{1, {2, 7, 1, 2, 3, 2, 4, 70, 12, 10, 7, 3, 25}}, {3, {1, 4, 0, 0, 4, 0, 0, 70, 4, 0, 0, 0, 12}},
                 {2, {}}, {16, {}}};
    for (const auto& c : cases) {
        const auto fields = [](const RaceStats& r) {
            return std::vector<std::int64_t>{r.Fleet_count, r.Ships, r.Unarmed, r.Scout, r.Warship, r.Bomber, r.Utility,
                                             r.Mass, r.Class_total, r.Ironium, r.Boranium, r.Germanium, r.Colonists};
        };
        EXPECT_EQ(fields(s[static_cast<std::size_t>(c.p)]), fields(c.want)) << "player " << c.p;
    }
}

TEST(RaceStatistics, SumsDoNotWrap) {
    const TextTable fleets = table({
        row({{Owner, "2"}, {Unarmed, "40000"}, {Iron, "65535"}, {Mass, "3000000000"}}),
        row({{Owner, "2"}, {Unarmed, "40000"}, {Iron, "65535"}, {Mass, "3000000000"}}),
        row({{Owner, "5"}, {Mass, "9223372036854775807"}}),
        row({{Owner, "5"}, {Mass, "9223372036854775807"}}),  // the mass sum stops at the 64-bit limit
    });
    const RaceStatsTable s = compute_race_stats(fleets);
    EXPECT_EQ(s[2].Unarmed, 80000);
    EXPECT_EQ(s[2].Class_total, 80000);
    EXPECT_EQ(s[2].Ironium, 131070);
    EXPECT_EQ(s[2].Mass, 6000000000);
    EXPECT_EQ(s[5].Mass, std::numeric_limits<std::int64_t>::max());
}

TEST(RaceStatistics, CellThatIsNoNumberStopsWithItsText) {
    const struct {
        int column;
        std::string text;
        const char* shown;  // control bytes made visible
    } cases[] = {{Owner, "x1", "x1"},
                 {Ships, "", ""},
                 {Bomber, "3\t4", "3\\x094"},
                 {Mass, "12a", "12a"},
                 {Pop, "99999999999", "99999999999"},
                 {Mass, std::string("1\0" "2", 3), "1\\x002"}};
    for (const auto& c : cases) {
        const TextTable fleets = table({row({{Owner, "1"}, {c.column, c.text}})});
        try {
            compute_race_stats(fleets);
            ADD_FAILURE() << "no error for column " << c.column;
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.what(), "'" + std::string(c.shown) + "' is not a valid integer value");
        }
    }
}

TEST(RaceStatistics, TopThree) {
    const struct {
        const char* name;
        std::vector<std::pair<int, std::int64_t>> values;  // player, value
        std::array<int, 3> players;
        std::array<std::int64_t, 3> want;
    } cases[] = {
        {"rising values push the others down", {{1, 1}, {2, 2}, {3, 3}, {4, 4}}, {4, 3, 2}, {4, 3, 2}},
        {"ties go to the lower number", {{2, 5}, {4, 9}, {7, 5}, {9, 5}}, {4, 2, 7}, {9, 5, 5}},
        {"a new second place", {{1, 9}, {2, 3}, {3, 5}}, {1, 3, 2}, {9, 5, 3}},
        {"fewer than three", {{5, 3}, {6, 0}, {8, -4}}, {5, 0, 0}, {3, 0, 0}},
        {"beyond 32 bits", {{1, 5000000000}, {16, 4294967297}}, {1, 16, 0}, {5000000000, 4294967297, 0}},
    };
    for (const auto& c : cases) {
        RaceStatsTable s{};
        for (const auto& [p, v] : c.values) s[static_cast<std::size_t>(p)].Warship = v;
        const Ranking r = top3(s, &RaceStats::Warship);
        EXPECT_EQ(r.player, c.players) << c.name;
        EXPECT_EQ(r.value, c.want) << c.name;
    }
}

TEST(RaceStatistics, NamesByNumber) {
    Session s;
    name_players(s);
    s.Players[5].Name = "Unnumbered";  // a ranked name is found by the player's number, not its place
    EXPECT_EQ((std::vector<std::string>{ranked_name(s, 12), ranked_name(s, 5), ranked_name(s, 0)}),
              (std::vector<std::string>{"Umbral", "", ""}));
    EXPECT_EQ(player_index_of(s, "Kesh"), 3);
    EXPECT_EQ(player_index_of(s, "kesh"), 0);
}

TEST(StatisticsActivation, OwnRaceAndAllies) {
    const struct {
        const char* name;
        const char* own;
        const char* stored;  // own race in the settings of the MAP
        std::vector<std::string> allies;
        std::string caption;
        int ownPlayer;
        std::vector<std::string> allied;
        std::vector<test::RecordingPrompter::Shown> messages;
    } cases[] = {
        {"none chosen", "", nullptr, {}, "Own race (not selected)", 0, {}, {}},
        {"_none_", "_none_", nullptr, {"Kesh"}, "Own race (not selected)", 0, {}, {}},
        {"loaded from the settings", "", "Kesh", {}, "Own race (Kesh)", 3, {}, {}},
        {"with allies", "Kesh", nullptr, {"Umbral", "Vorlani"}, "Own/Allied race (Kesh)", 3,
         {"Kesh", "Umbral", "Vorlani"}, {}},
        {"no player's", "Ghost", nullptr, {"Kesh"}, "", 0, {}, {{"message", "Error. Cannot find own race"}}},
    };
    for (const auto& c : cases) {
        test::Rig rig;
        name_players(rig.session);
        rig.session.Map_name = "GAME.MAP";
        if (c.stored) rig.settings.save_own_race(c.stored);
        rig.session.Own_race_name = c.own;
        rig.session.acceptedReportOwners = c.allies;
        rig.session.fleets = table({row({{Owner, "3"}, {War, "2"}, {Mass, "50"}}),
                                    row({{Owner, "12"}, {Scout, "6"}, {Mass, "10"}})});

        const StatisticsActivation a = statistics_activation(rig.session, rig.settings, rig.prompter);
        EXPECT_EQ(a.races, (std::vector<std::string>{"Vorlani", "Kesh", "Umbral"})) << c.name;
        EXPECT_EQ(a.ownCaption, c.caption) << c.name;
        EXPECT_EQ(a.ownPlayer, c.ownPlayer) << c.name;
        EXPECT_EQ(a.allied, c.allied) << c.name;
        EXPECT_EQ(rig.prompter.shown, c.messages) << c.name;
        EXPECT_EQ(a.top[0].player, (std::array<int, 3>{12, 3, 0})) << c.name;
        EXPECT_EQ(a.top[1].player, (std::array<int, 3>{3, 0, 0})) << c.name;
        EXPECT_EQ(a.top[2].value, (std::array<std::int64_t, 3>{50, 10, 0})) << c.name;
    }
}
