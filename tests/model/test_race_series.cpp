// The chart of the statistics over the years: each race's value per kept
// turn is what the statistics of that turn give.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "game_generator.h"
#include "model/files.h"
#include "model/memory_settings.h"
#include "model/own_race.h"
#include "model/players.h"
#include "model/race_series.h"
#include "model/settings_keys.h"
#include "test_support.h"

using namespace trevanor;

namespace {

class Quiet : public Prompter {
public:
    void message(const std::string&) override {}
    void error(const std::string& text) override { ADD_FAILURE() << text; }
    void warning(const std::string& text) override { ADD_FAILURE() << text; }
    Answer confirm(const std::string&, bool) override { return Answer::No; }
};

// One turn read as the program reads it: the MAP, the first report with the
// own race Vorlani, then each ally's report merged with its options.
struct ReadTurn {
    ReadTurn(const std::string& map, const std::string& first) {
        model.settings.onFatal = [] { throw RegistryFatal(); };
        model.commands.FormCreate();
        store.writeText(file_name_part(map), setting::Own_race.name, "Vorlani");
        model.commands.read_MAP_file(map);
        model.commands.reports().read(first);
        load_own_race(model.session, model.settings);
    }
    void merge(const std::string& path, const MergeOptions& options) {
        EXPECT_TRUE(model.merge.may_load(options) && model.merge.load_report(path, options)) << path;
    }
    MemorySettings store;
    Quiet prompter;
    WindowHooks hooks;
    Model model{store, prompter, hooks};
};

MergeOptions ally_of(const std::string& owner) {
    MergeOptions o;
    o.reportOwner = owner;
    return o;
}

// Six years of the demo game, each kept as the program keeps a turn, the
// first report's time a day after the year before.
std::vector<KeptTurn> keep_six_years(const test::ScratchDir& dir) {
    const gen::GameFiles game = gen::make_demo_game(1, 6);
    const std::string map = dir.write("DEMO.MAP", game.map);
    const auto now = std::filesystem::file_time_type::clock::now();
    for (int back = 5; back >= 0; --back) {
        const gen::Reports& year = back == 0 ? game.reports : game.earlier[static_cast<std::size_t>(back - 1)];
        const std::string stem = back == 0 ? "DEMO" : "DEMO-" + std::to_string(back);
        std::vector<std::string> paths;
        for (const auto& [player, text] : year) paths.push_back(dir.write(stem + ".F" + std::to_string(player), text));
        std::filesystem::last_write_time(paths[0], now - std::chrono::hours(24 * back));
        ReadTurn turn(map, paths[0]);
        for (std::size_t i = 1; i < year.size(); ++i)
            turn.merge(paths[i], ally_of(turn.model.session.Players[static_cast<std::size_t>(year[i].first)].Name));
        GameHistory(dir.path("history")).keep(turn.model.session.reads, turn.model.session);
    }
    return GameHistory(dir.path("history")).turns().turns;
}

}  // namespace

TEST(RaceSeries, EachValueIsThatTurnsStatistics) {
    const test::ScratchDir dir;
    const std::vector<KeptTurn> turns = keep_six_years(dir);
    ASSERT_EQ(turns.size(), 6u);
    const struct {
        Measure measure;
        std::int64_t RaceStats::*field;
    } measures[] = {{Measure::Fleets, &RaceStats::Fleet_count}, {Measure::Ships, &RaceStats::Class_total},
                    {Measure::Warships, &RaceStats::Warship},   {Measure::Unarmed, &RaceStats::Unarmed},
                    {Measure::Bombers, &RaceStats::Bomber},     {Measure::Mass, &RaceStats::Mass}};
    for (std::size_t k = 0; k < turns.size(); ++k) {
        const KeptTurn& t = turns[k];
        const UnpackedTurn files(t);
        ReadTurn again(files.path(t.map), files.path(t.firstReport));
        for (const KeptAlly& a : t.allies) again.merge(files.path(a.file), a.options);
        const Session& s = again.model.session;
        const RaceStatsTable stats = compute_race_stats(s.fleets);
        for (const auto& m : measures) {
            const RaceSeries series = RaceSeries::build(turns, m.measure);
            ASSERT_EQ(series.labels.size(), turns.size());
            EXPECT_EQ(series.labels[k], t.label);
            std::size_t seen = 0;
            for (const RaceSeries::Line& line : series.lines) {
                const Player& p = s.Players[static_cast<std::size_t>(line.player)];
                if (p.Name.empty()) {
                    EXPECT_FALSE(line.values[k].has_value()) << line.name << " in turn " << k;
                    continue;
                }
                ++seen;
                EXPECT_EQ(line.values[k], stats[static_cast<std::size_t>(line.player)].*m.field)
                    << p.Name << " in turn " << k;
            }
            EXPECT_EQ(seen, race_names(s).size()) << "turn " << k;
        }
    }
}

// Each measure draws the figure the statistics window shows under its name,
// also where a report's ship count and its class counts disagree.
TEST(RaceSeries, EachMeasureIsTheWindowsFigure) {
    KeptRace race{1, "Vorlani", 0xFF0000, {}};
    std::int64_t figure = 100;
    for (const auto field : kRaceStatsFields) race.stats.*field = ++figure;  // no two alike
    std::vector<KeptTurn> turns(1);
    turns[0].races = {race};
    const std::pair<Measure, std::int64_t RaceStats::*> measures[] = {
        {Measure::Fleets, &RaceStats::Fleet_count}, {Measure::Ships, &RaceStats::Class_total},
        {Measure::Warships, &RaceStats::Warship},   {Measure::Unarmed, &RaceStats::Unarmed},
        {Measure::Bombers, &RaceStats::Bomber},     {Measure::Mass, &RaceStats::Mass}};
    for (const auto& [measure, field] : measures)
        EXPECT_EQ(RaceSeries::build(turns, measure).lines.at(0).values.at(0), race.stats.*field);
}

// A race is drawn under its newest name and colour; a turn that did not see
// it has no value, not a zero.
TEST(RaceSeries, RacesNotSeenInATurnHaveNoValue) {
    const auto race = [](int player, const char* name, ColorValue color, std::int64_t warships) {
        KeptRace r{player, name, color, {}};
        r.stats.Warship = warships;
        return r;
    };
    std::vector<KeptTurn> turns(3);
    turns[0].races = {race(3, "Kesh", 0x0000FF, 4), race(1, "Vorlani", 0xFF0000, 0)};
    turns[1].races = {race(1, "Vorlani", 0xFF0000, 2)};
    turns[2].races = {race(3, "Kesh Reborn", 0x00FF00, 7)};
    const RaceSeries series = RaceSeries::build(turns, Measure::Warships);
    ASSERT_EQ(series.lines.size(), 2u);
    EXPECT_EQ(series.lines[0].name, "Vorlani");
    EXPECT_EQ(series.lines[0].values, (std::vector<std::optional<std::int64_t>>{0, 2, std::nullopt}));
    EXPECT_EQ(series.lines[1].name, "Kesh Reborn");
    EXPECT_EQ(series.lines[1].color, 0x00FF00u);
    EXPECT_EQ(series.lines[1].values, (std::vector<std::optional<std::int64_t>>{4, std::nullopt, 7}));
}
