// Tests of the sample-game generator: byte format, determinism, the consistency of
// the reports with the map and with each other, and the awkward cases the demo game
// must contain for the analyser to be exercised properly.
#include "game_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

using trevanor::gen::GameFiles;
using trevanor::gen::make_demo_game;
using trevanor::gen::make_max_game;
using trevanor::gen::MaxGameOptions;
using trevanor::gen::Reports;

namespace {

enum Field {
    kName,
    kX,
    kY,
    kPlanet,
    kDest,
    kClass,
    kShips,
    kIron,
    kBor,
    kGerm,
    kColonists,
    kFuel,
    kOwner,
    kEta,
    kWarp,
    kMass,
    kCloak,
    kNpScan,
    kPenScan,
    kTask,
    kMining,
    kSweep,
    kMinelay,
    kTerraform,
    kUnarmed,
    kScout,
    kWarship,
    kUtility,
    kBomber,
    kFieldCount
};

std::vector<std::string> split(const std::string& s, char sep)
{
    std::vector<std::string> out(1);
    for (char c : s) {
        if (c == sep)
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

// Splits CR LF terminated text into lines; a bare CR or LF is an error.
std::vector<std::string> crlf_lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 >= text.size() || text[i + 1] != '\n')
                throw std::runtime_error("bare CR at byte " + std::to_string(i));
            lines.push_back(line);
            line.clear();
            ++i;
        } else if (text[i] == '\n') {
            throw std::runtime_error("bare LF at byte " + std::to_string(i));
        } else {
            line += text[i];
        }
    }
    if (!line.empty()) throw std::runtime_error("last line lacks CR LF");
    return lines;
}

bool is_uint(const std::string& s)
{
    return !s.empty() && s.size() < 10 &&
           std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}
bool is_coord(const std::string& s) { return s.size() == 4 && is_uint(s) && s[0] != '0'; }
std::string lower(std::string s)
{
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}
std::string space_text(const std::string& x, const std::string& y) { return "Space (" + x + ", " + y + ")"; }

// "Space (XXXX, YYYY)" with X in characters 8..11 and Y in 14..17.
bool is_space_dest(const std::string& d)
{
    return d.size() == 18 && d.compare(0, 7, "Space (") == 0 && is_coord(d.substr(7, 4)) &&
           d.compare(11, 2, ", ") == 0 && is_coord(d.substr(13, 4)) && d[17] == ')';
}

bool is_heading(const std::string& d)
{
    const auto parts = split(d, '.');
    return parts.size() == 2 && is_uint(parts[0]) && is_uint(parts[1]) && std::stoi(parts[0]) <= 254 &&
           std::stoi(parts[1]) <= 254;
}

using Row = std::vector<std::string>;

int id_of(const Row& r)
{
    const auto hash = r[kName].rfind(" #");
    return hash != std::string::npos && is_uint(r[kName].substr(hash + 2)) ? std::stoi(r[kName].substr(hash + 2)) : 0;
}
std::string race_of(const Row& r) { return r[kName].substr(0, r[kName].find(' ')); }
int owner_of(const Row& r) { return std::stoi(r[kOwner]); }
std::pair<std::string, std::string> spot_of(const Row& r) { return {r[kX], r[kY]}; }

struct Report {
    int reporter = 0;
    std::vector<std::string> heading;
    std::vector<Row> rows;
    std::vector<Row> own() const
    {
        std::vector<Row> out;
        for (const Row& r : rows)
            if (owner_of(r) == reporter) out.push_back(r);
        return out;
    }
};

Report parse_report(int reporter, const std::string& text)
{
    Report rep;
    rep.reporter = reporter;
    const auto lines = crlf_lines(text);
    if (lines.empty()) throw std::runtime_error("empty report");
    rep.heading = split(lines[0], '\t');
    for (std::size_t i = 1; i < lines.size(); ++i) rep.rows.push_back(split(lines[i], '\t'));
    return rep;
}

struct MapData {
    std::map<std::string, std::pair<std::string, std::string>> planets; // name -> X, Y
    std::set<std::pair<std::string, std::string>> spots;
    int count = 0;
};

MapData parse_map(const std::string& text)
{
    MapData m;
    const auto lines = crlf_lines(text);
    if (lines.empty() || lines[0] != "#\tX\tY\tName") throw std::runtime_error("bad MAP heading");
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto f = split(lines[i], '\t');
        if (f.size() != 4) throw std::runtime_error("MAP line " + std::to_string(i + 1) + " lacks 4 fields");
        if (f[0] != std::to_string(i)) throw std::runtime_error("MAP planet numbers not 1..N in order");
        if (!is_coord(f[1]) || !is_coord(f[2])) throw std::runtime_error("MAP coordinate not 4 digits: " + lines[i]);
        if (f[3].empty() || f[3].front() == ' ' || f[3].back() == ' ') throw std::runtime_error("bad planet name");
        if (!m.planets.emplace(f[3], std::make_pair(f[1], f[2])).second)
            throw std::runtime_error("duplicate name " + f[3]);
        if (!m.spots.emplace(f[1], f[2]).second) throw std::runtime_error("two planets at " + f[1] + "," + f[2]);
        ++m.count;
    }
    return m;
}

// Bytes a Windows-1252 text file may hold: printable characters, TAB, CR, LF, and
// no code point that Windows-1252 leaves undefined.
void expect_cp1252_text(const std::string& text)
{
    for (unsigned char c : text) {
        ASSERT_TRUE(c >= 0x20 || c == '\t' || c == '\r' || c == '\n') << "control byte " << int(c);
        ASSERT_TRUE(c != 0x7F && c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D) << "byte " << int(c);
    }
}

const std::set<std::string> kNamedDests = {"Wormhole", "Salvage ", "-- ", "Mystery Trader"};
const std::vector<std::string> kHeadingLine = {
    "Fleet Name", "X",         "Y",         "Planet",  "Destination", "Class", "Ships",   "Ironium",
    "Boranium",   "Germanium", "Colonists", "Fuel",    "Owner",       "ETA",   "Warp",    "Mass",
    "Cloak",      "NP Scan",   "Pen Scan",  "Task",    "Mining",      "Sweep", "Minelay", "Terraform",
    "Unarmed",    "Scout",     "Warship",   "Utility", "Bomber"};

// Everything a single report must satisfy, whatever game it comes from.
void check_report(const MapData& map, const Report& rep, std::map<int, std::string>& races)
{
    ASSERT_EQ(rep.heading, kHeadingLine);
    std::set<std::string> names;
    for (const Row& r : rep.rows) names.insert(r[kName]);

    bool inOwnBlock = true;
    int lastOwner = 0, lastId = 0;
    for (std::size_t i = 0; i < rep.rows.size(); ++i) {
        const Row& r = rep.rows[i];
        SCOPED_TRACE("line " + std::to_string(i + 2) + ": " + r[kName]);
        ASSERT_EQ(r.size(), std::size_t(kFieldCount));
        for (int f : {kShips,   kIron,   kBor,   kGerm,    kColonists, kFuel,    kOwner, kMass,    kCloak,   kNpScan,
                      kPenScan, kMining, kSweep, kMinelay, kTerraform, kUnarmed, kScout, kWarship, kUtility, kBomber})
            ASSERT_TRUE(is_uint(r[f])) << "field " << f << " = '" << r[f] << "'";
        const int owner = owner_of(r);
        ASSERT_TRUE(owner >= 1 && owner <= 16);
        const bool own = owner == rep.reporter;

        // Name: the owner's one-word race name, the same one in every report.
        ASSERT_NE(r[kName].find(' '), std::string::npos);
        const auto it = races.emplace(owner, race_of(r)).first;
        EXPECT_EQ(it->second, race_of(r)) << "owner " << owner << " under two race names";
        const int id = id_of(r);
        EXPECT_LE(id, 512);

        // Order: the reporter's own block first, then owners ascending, IDs ascending.
        if (!own) {
            if (inOwnBlock) lastOwner = 0;
            inOwnBlock = false;
        }
        ASSERT_EQ(own, inOwnBlock) << "own fleet outside the leading own block";
        if (owner != lastOwner) {
            ASSERT_GT(owner, lastOwner) << "owners out of order";
            lastOwner = owner;
            lastId = 0;
        }
        if (id > 0) {
            EXPECT_GT(id, lastId) << "IDs out of order";
            lastId = id;
        }

        // Position: 4-digit coordinates; at a planet exactly its X,Y; in deep space never on a planet.
        ASSERT_TRUE(is_coord(r[kX]) && is_coord(r[kY]));
        if (!r[kPlanet].empty()) {
            ASSERT_EQ(map.planets.count(r[kPlanet]), 1u) << "unknown planet " << r[kPlanet];
            EXPECT_EQ(map.planets.at(r[kPlanet]), spot_of(r));
        } else {
            EXPECT_EQ(map.spots.count(spot_of(r)), 0u) << "deep-space fleet on a planet's X,Y";
        }

        const int ships = std::stoi(r[kShips]);
        EXPECT_GE(ships, 1);
        EXPECT_EQ(std::stoi(r[kUnarmed]) + std::stoi(r[kScout]) + std::stoi(r[kWarship]) + std::stoi(r[kUtility]) +
                      std::stoi(r[kBomber]),
                  ships);

        const std::string& warp = r[kWarp];
        const bool sg = warp == "SG";
        ASSERT_TRUE(sg || (is_uint(warp) && std::stoi(warp) <= 10 && std::to_string(std::stoi(warp)) == warp)) << warp;
        const bool moving = warp != "0";
        const std::string& d = r[kDest];
        if (own) {
            EXPECT_FALSE(r[kTask].empty());
            if (moving) {
                ASSERT_GE(r[kEta].size(), 2u);
                EXPECT_TRUE(is_uint(r[kEta].substr(0, r[kEta].size() - 1)) && r[kEta].back() == 'y') << r[kEta];
                const bool fleetTarget = names.count(d) || names.count(race_of(r) + " " + d);
                EXPECT_TRUE(map.planets.count(d) || is_space_dest(d) || fleetTarget || kNamedDests.count(d))
                    << "destination '" << d << "'";
                EXPECT_NE(d, r[kPlanet]) << "moving to the planet it is at";
            } else {
                EXPECT_EQ(r[kEta], "");
                const std::string here = r[kPlanet].empty() ? space_text(r[kX], r[kY]) : r[kPlanet];
                EXPECT_TRUE(d == here || d.empty()) << "resting fleet heads for '" << d << "'";
            }
        } else {
            EXPECT_EQ(r[kTask], "");
            EXPECT_EQ(r[kEta], "");
            // Scanner ranges show within a penetrating range, like cargo; the rest never does.
            for (int f : {kFuel, kMining, kSweep, kMinelay, kTerraform}) EXPECT_EQ(r[f], "0");
            EXPECT_TRUE(is_heading(d)) << "foreign destination '" << d << "'";
            EXPECT_EQ(d == "127.127", !moving) << d << " at warp " << warp;
        }
    }
}

struct Game {
    std::string label;
    GameFiles files;
};

std::vector<Game> sample_games()
{
    std::vector<Game> games;
    // In seed 13's earlier years a fleet loses sight of the foreign fleet it follows.
    for (std::uint64_t seed : {1ull, 2ull, 3ull, 13ull, 0xFFFFFFFFFFFFFFFFull})
        games.push_back({"demo seed " + std::to_string(seed), make_demo_game(seed, 3)});
    games.push_back({"max default", make_max_game(4)});
    games.push_back({"max over 512", make_max_game(5, {3, 600, 50, 0.3, 1, 3})});
    games.push_back({"max crowded", make_max_game(6, {2, 40, 10000, 0.05})});
    games.push_back({"max single planet", make_max_game(7, {2, 30, 1, 0.0, 0, 2})});
    return games;
}

// The reports of every year of a game: [0] the last year, [k] k years before it.
std::vector<Reports> years_of(const GameFiles& files)
{
    std::vector<Reports> out = {files.reports};
    out.insert(out.end(), files.earlier.begin(), files.earlier.end());
    return out;
}

// ---------------------------------------------------------------------------------
// Bytes and determinism

TEST(GeneratorOutput, SameSeedGivesSameBytesOtherSeedsDiffer)
{
    const std::vector<std::function<GameFiles(std::uint64_t)>> makers = {
        [](std::uint64_t s) { return make_demo_game(s, 3); },
        [](std::uint64_t s) {
            return make_max_game(s, {4, 100, 200, 0.1, 0, 3});
        },
    };
    for (std::size_t m = 0; m < makers.size(); ++m) {
        for (std::uint64_t seed : {0ull, 1ull, 42ull}) {
            SCOPED_TRACE("maker " + std::to_string(m) + " seed " + std::to_string(seed));
            const GameFiles a = makers[m](seed), b = makers[m](seed), c = makers[m](seed + 1000);
            EXPECT_EQ(a.map, b.map);
            EXPECT_EQ(a.reports, b.reports);
            EXPECT_EQ(a.earlier, b.earlier);
            EXPECT_NE(a.map, c.map);
            EXPECT_NE(a.reports, c.reports);
            EXPECT_NE(a.earlier, c.earlier);
        }
    }
}

// The committed samples are the seed-1 demo over two years. A mismatch means either
// the samples are stale or the generator's output differs on this platform.
TEST(GeneratorOutput, CommittedSamplesAreSeedOneDemo)
{
    const GameFiles demo = make_demo_game(1, 2);
    std::vector<std::pair<std::string, std::string>> expected = {{"DEMO.MAP", demo.map}};
    for (const auto& [player, text] : demo.reports) expected.emplace_back("DEMO.F" + std::to_string(player), text);
    for (const auto& [player, text] : demo.earlier.at(0))
        expected.emplace_back("DEMO-1.F" + std::to_string(player), text);
    for (const auto& [file, text] : expected) {
        std::ifstream in(std::string(TREVANOR_SAMPLES_DIR) + "/" + file, std::ios::binary);
        ASSERT_TRUE(in) << file << " missing in " << TREVANOR_SAMPLES_DIR;
        std::ostringstream bytes;
        bytes << in.rdbuf();
        EXPECT_TRUE(bytes.str() == text) << file << " differs from make_demo_game(1)";
    }
}

TEST(GeneratorOutput, FilesAreCp1252WithCrLfLines)
{
    for (const Game& g : sample_games()) {
        SCOPED_TRACE(g.label);
        expect_cp1252_text(g.files.map);
        EXPECT_NO_THROW(crlf_lines(g.files.map));
        for (const Reports& year : years_of(g.files)) {
            for (const auto& [player, text] : year) {
                expect_cp1252_text(text);
                EXPECT_NO_THROW(crlf_lines(text));
            }
        }
    }
    // Accented planet names are single Windows-1252 bytes, not UTF-8 sequences.
    const std::string map = make_demo_game(1).map;
    EXPECT_NE(map.find('\xE9'), std::string::npos);
    EXPECT_EQ(map.find('\xC3'), std::string::npos);
}

// ---------------------------------------------------------------------------------
// Structure of every generated game

TEST(GeneratedGames, MapAndReportsAreConsistent)
{
    for (const Game& g : sample_games()) {
        SCOPED_TRACE(g.label);
        MapData map;
        ASSERT_NO_THROW(map = parse_map(g.files.map));
        std::map<int, std::string> races;
        const std::vector<Reports> years = years_of(g.files);
        for (std::size_t k = 0; k < years.size(); ++k) {
            for (const auto& [player, text] : years[k]) {
                SCOPED_TRACE("report F" + std::to_string(player) + ", " + std::to_string(k) + " years back");
                check_report(map, parse_report(player, text), races);
            }
        }
        std::set<std::string> distinct;
        for (const auto& [owner, race] : races)
            EXPECT_TRUE(distinct.insert(race).second) << "race " << race << " twice";
    }
}

TEST(DemoGame, HasThreeReportsOfAlliesOverOneUniverse)
{
    const GameFiles demo = make_demo_game(1);
    const MapData map = parse_map(demo.map);
    EXPECT_EQ(map.count, 300);
    for (const auto& [name, xy] : map.planets) {
        EXPECT_LE(xy.first, "1800");
        EXPECT_LE(xy.second, "1800");
    }
    ASSERT_EQ(demo.reports.size(), 3u);
    EXPECT_EQ(demo.reports[0].first, 1);
    EXPECT_EQ(demo.reports[1].first, 2);
    EXPECT_EQ(demo.reports[2].first, 4);
    std::set<int> owners;
    for (const auto& [player, text] : demo.reports)
        for (const Row& r : parse_report(player, text).rows) owners.insert(owner_of(r));
    EXPECT_GE(owners.size(), 6u);
    EXPECT_LE(owners.size(), 8u);
}

// ---------------------------------------------------------------------------------
// The awkward cases every demo report must contain

struct Case {
    const char* what;
    std::function<bool(const Report&)> present;
};

bool any_own(const Report& rep, const std::function<bool(const Row&)>& pred)
{
    const auto own = rep.own();
    return std::any_of(own.begin(), own.end(), pred);
}

// Names of own fleets without ID that occur at least twice at one X,Y.
std::set<std::string> twin_names(const Report& rep)
{
    std::map<std::tuple<std::string, std::string, std::string>, int> count;
    for (const Row& r : rep.own())
        if (id_of(r) == 0) ++count[{r[kName], r[kX], r[kY]}];
    std::set<std::string> out;
    for (const auto& [key, n] : count)
        if (n >= 2) out.insert(std::get<0>(key));
    return out;
}

const std::vector<Case>& variety_cases()
{
    static const std::vector<Case> cases = {
        {"own block opens with a renamed fleet without ID",
         [](const Report& rep) { return owner_of(rep.rows.at(0)) == rep.reporter && id_of(rep.rows[0]) == 0; }},
        {"two renamed fleets between numbered ones (n, none, none, m)",
         [](const Report& rep) {
             const auto own = rep.own();
             for (std::size_t i = 0; i + 3 < own.size(); ++i)
                 if (id_of(own[i]) && !id_of(own[i + 1]) && !id_of(own[i + 2]) && id_of(own[i + 3])) return true;
             return false;
         }},
        {"unnumbered fleets sharing one name at one X,Y", [](const Report& rep) { return !twin_names(rep).empty(); }},
        {"the shared name again at another X,Y",
         [](const Report& rep) {
             for (const std::string& name : twin_names(rep)) {
                 std::set<std::pair<std::string, std::string>> spots;
                 for (const Row& r : rep.own())
                     if (r[kName] == name) spots.insert(spot_of(r));
                 if (spots.size() >= 2) return true;
             }
             return false;
         }},
        {"the shared name with IDs",
         [](const Report& rep) {
             int numbered = 0;
             for (const std::string& name : twin_names(rep))
                 for (const Row& r : rep.own()) numbered += id_of(r) && r[kName].rfind(name + " #", 0) == 0;
             return numbered >= 2;
         }},
        {"own names differing only in case",
         [](const Report& rep) {
             std::map<std::string, std::set<std::string>> spellings;
             for (const Row& r : rep.own()) spellings[lower(r[kName])].insert(r[kName]);
             return std::any_of(spellings.begin(), spellings.end(), [](const auto& s) { return s.second.size() > 1; });
         }},
        {"three own fleets at one planet",
         [](const Report& rep) {
             std::map<std::string, int> n;
             for (const Row& r : rep.own())
                 if (!r[kPlanet].empty() && ++n[r[kPlanet]] >= 3) return true;
             return false;
         }},
        {"fleets of different owners at one planet",
         [](const Report& rep) {
             std::map<std::string, std::set<int>> owners;
             for (const Row& r : rep.rows)
                 if (!r[kPlanet].empty()) owners[r[kPlanet]].insert(owner_of(r));
             return std::any_of(owners.begin(), owners.end(), [](const auto& o) { return o.second.size() > 1; });
         }},
        {"fleets of different owners at one deep-space X,Y",
         [](const Report& rep) {
             std::map<std::pair<std::string, std::string>, std::set<int>> owners;
             for (const Row& r : rep.rows)
                 if (r[kPlanet].empty()) owners[spot_of(r)].insert(owner_of(r));
             return std::any_of(owners.begin(), owners.end(), [](const auto& o) { return o.second.size() > 1; });
         }},
        {"foreign fleet with a heading",
         [](const Report& rep) {
             return std::any_of(rep.rows.begin(), rep.rows.end(),
                                [&](const Row& r) { return owner_of(r) != rep.reporter && r[kDest] != "127.127"; });
         }},
        {"foreign fleet at rest (127.127)",
         [](const Report& rep) {
             return std::any_of(rep.rows.begin(), rep.rows.end(),
                                [&](const Row& r) { return owner_of(r) != rep.reporter && r[kDest] == "127.127"; });
         }},
        {"own fleet moving to a point in space",
         [](const Report& rep) {
             return any_own(rep, [](const Row& r) { return r[kWarp] != "0" && is_space_dest(r[kDest]); });
         }},
        {"own fleet resting in deep space",
         [](const Report& rep) {
             return any_own(rep, [](const Row& r) { return r[kWarp] == "0" && is_space_dest(r[kDest]); });
         }},
        {"own fleet following an own fleet by full name",
         [](const Report& rep) {
             std::set<std::string> own;
             for (const Row& r : rep.own()) own.insert(r[kName]);
             return any_own(rep, [&](const Row& r) { return r[kWarp] != "0" && own.count(r[kDest]); });
         }},
        {"own fleet following an own fleet named without the race word",
         [](const Report& rep) {
             std::set<std::string> own;
             for (const Row& r : rep.own()) own.insert(r[kName]);
             return any_own(rep, [&](const Row& r) {
                 return r[kWarp] != "0" && !own.count(r[kDest]) && own.count(race_of(r) + " " + r[kDest]);
             });
         }},
        {"own fleet following a foreign fleet",
         [](const Report& rep) {
             std::set<std::string> foreign;
             for (const Row& r : rep.rows)
                 if (owner_of(r) != rep.reporter) foreign.insert(r[kName]);
             return any_own(rep, [&](const Row& r) { return foreign.count(r[kDest]) > 0; });
         }},
        {"stargate jump",
         [](const Report& rep) {
             return any_own(rep, [](const Row& r) { return r[kWarp] == "SG" && r[kEta] == "1y"; });
         }},
        {"ETA of more than one year",
         [](const Report& rep) {
             return any_own(rep, [](const Row& r) { return r[kEta].size() > 1 && r[kEta] != "1y"; });
         }},
        {"exactly one own fleet with an empty destination",
         [](const Report& rep) {
             const auto own = rep.own();
             return std::count_if(own.begin(), own.end(), [](const Row& r) { return r[kDest].empty(); }) == 1;
         }},
        {"Wormhole",
         [](const Report& rep) { return any_own(rep, [](const Row& r) { return r[kDest] == "Wormhole"; }); }},
        {"Salvage",
         [](const Report& rep) { return any_own(rep, [](const Row& r) { return r[kDest] == "Salvage "; }); }},
        {"-- ", [](const Report& rep) { return any_own(rep, [](const Row& r) { return r[kDest] == "-- "; }); }},
        {"Mystery Trader",
         [](const Report& rep) { return any_own(rep, [](const Row& r) { return r[kDest] == "Mystery Trader"; }); }},
        {"fleet at a planet with an accented name",
         [](const Report& rep) {
             return std::any_of(rep.rows.begin(), rep.rows.end(), [](const Row& r) {
                 return std::any_of(r[kPlanet].begin(), r[kPlanet].end(),
                                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
             });
         }},
    };
    return cases;
}

TEST(DemoGame, EveryReportHasTheAwkwardCases)
{
    for (std::uint64_t seed : {1ull, 2ull, 3ull, 77ull, 12345ull}) {
        const GameFiles demo = make_demo_game(seed);
        for (const auto& [player, text] : demo.reports) {
            const Report rep = parse_report(player, text);
            for (const Case& c : variety_cases()) {
                // Accented planet names are frequent, but whether a fleet sits on one is chance.
                if (seed != 1 && std::string(c.what).find("accented") != std::string::npos) continue;
                EXPECT_TRUE(c.present(rep)) << c.what << " missing in F" << player << " of seed " << seed;
            }
        }
    }
}

// Allies report each other's fleets and strangers; the merge in the analyser relies on
// those rows agreeing with the owner's own rows and with each other, in every year.
TEST(DemoGame, AllyReportsOverlapAndAgree)
{
    using Key = std::tuple<std::string, std::string, std::string, std::string, std::string, std::string, std::string>;
    auto key = [](const Row& r) { return Key{r[kName], r[kX], r[kY], r[kPlanet], r[kShips], r[kWarp], r[kMass]}; };
    for (std::uint64_t seed : {1ull, 2ull, 3ull, 4ull}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const std::vector<Reports> years = years_of(make_demo_game(seed, 3));
        std::map<int, Report> reps;
        for (std::size_t k = years.size(); k-- > 0;) {
            for (const auto& [player, text] : years[k]) reps[player] = parse_report(player, text);
            for (const auto& [a, repA] : reps) {
                for (const auto& [b, repB] : reps) {
                    if (a == b) continue;
                    // B's view of A's fleets must match A's own rows, duplicates included.
                    std::multiset<Key> ownA;
                    for (const Row& r : repA.own()) ownA.insert(key(r));
                    for (const Row& r : repB.rows) {
                        if (owner_of(r) != a) continue;
                        const auto it = ownA.find(key(r));
                        EXPECT_TRUE(it != ownA.end())
                            << "F" << b << " shows " << r[kName] << " unlike F" << a << ", " << k << " years back";
                        if (it != ownA.end()) ownA.erase(it);
                    }
                }
            }
        }
        // From here on `reps` holds the last year.
        for (int ally : {2, 4}) {
            std::set<Key> strangers;
            for (const Row& r : reps[1].rows)
                if (owner_of(r) != 1 && owner_of(r) != ally) strangers.insert(key(r));
            int shared = 0;
            for (const Row& r : reps[ally].rows)
                shared += owner_of(r) != 1 && owner_of(r) != ally && strangers.count(key(r));
            std::size_t allyStrangers = 0;
            for (const Row& r : reps[ally].rows) allyStrangers += owner_of(r) != 1 && owner_of(r) != ally;
            EXPECT_GE(shared, 1) << "F1 and F" << ally << " share no stranger";
            EXPECT_TRUE(std::size_t(shared) < strangers.size() || std::size_t(shared) < allyStrangers)
                << "F" << ally << " sees exactly the strangers F1 sees";
        }
    }
}

// ---------------------------------------------------------------------------------
// Earlier years

// Own fleets with an ID, by name, to follow a fleet from year to year.
std::map<std::string, Row> numbered_own(const Report& rep)
{
    std::map<std::string, Row> out;
    for (const Row& r : rep.own())
        if (id_of(r)) out.emplace(r[kName], r);
    return out;
}

// More years add years before the others and change none of them: the last year stays
// the one-year game, and year k back is the same in every game that has it.
TEST(EarlierYears, MoreYearsChangeNoYear)
{
    const std::vector<std::function<GameFiles(int)>> makers = {
        [](int years) { return make_demo_game(1, years); },
        [](int years) { return make_demo_game(9, years); },
        [](int years) { return make_max_game(3, {3, 40, 100, 0.1, 1, years}); },
    };
    for (std::size_t m = 0; m < makers.size(); ++m) {
        const GameFiles longest = makers[m](20);
        ASSERT_EQ(longest.earlier.size(), 19u);
        for (int years : {1, 2, 7}) {
            SCOPED_TRACE("maker " + std::to_string(m) + ", " + std::to_string(years) + " years");
            const GameFiles g = makers[m](years);
            EXPECT_EQ(g.map, longest.map);
            EXPECT_EQ(g.reports, longest.reports);
            ASSERT_EQ(g.earlier.size(), std::size_t(years - 1));
            EXPECT_TRUE(std::equal(g.earlier.begin(), g.earlier.end(), longest.earlier.begin()));
        }
    }
}

TEST(EarlierYears, YearsOutsideOneToTwentyAreRejected)
{
    for (int years : {0, -1, 21, std::numeric_limits<int>::max()}) {
        EXPECT_THROW(make_demo_game(1, years), std::invalid_argument) << years;
        MaxGameOptions options;
        options.years = years;
        EXPECT_THROW(make_max_game(1, options), std::invalid_argument) << years;
    }
}

// k years before the last year, a fleet under way was k * warp² ly further back on the
// line from its destination through its position (up to rounding, unless the edge of
// the universe stopped it) and k years longer on its way. A fleet at rest or jumping
// through a stargate was where it is now.
TEST(EarlierYears, FleetsComeBackAlongTheirCourses)
{
    const int lo = 1000, hi = 1800;  // the demo universe
    int underWay = 0, atRest = 0;
    for (std::uint64_t seed : {1ull, 2ull, 3ull}) {
        const GameFiles demo = make_demo_game(seed, 4);
        const MapData map = parse_map(demo.map);
        const std::vector<Reports> years = years_of(demo);
        for (std::size_t k = 1; k < years.size(); ++k) {
            for (std::size_t i = 0; i < years[k].size(); ++i) {
                const int player = years[k][i].first;
                SCOPED_TRACE("seed " + std::to_string(seed) + " F" + std::to_string(player) + ", " +
                             std::to_string(k) + " years back");
                const Report then = parse_report(player, years[k][i].second);
                for (const Row& r : then.rows) {
                    const int x = std::stoi(r[kX]), y = std::stoi(r[kY]);
                    EXPECT_TRUE(x >= lo && x <= hi && y >= lo && y <= hi) << r[kName] << " outside the universe";
                }
                const auto now = numbered_own(parse_report(player, years[0][i].second));
                for (const auto& [name, r] : numbered_own(then)) {
                    const auto it = now.find(name);
                    if (it == now.end()) continue;  // destroyed since
                    const Row& n = it->second;
                    SCOPED_TRACE(name);
                    if (n[kWarp] == "0" || n[kWarp] == "SG") {
                        EXPECT_EQ(std::tie(r[kX], r[kY], r[kPlanet]), std::tie(n[kX], n[kY], n[kPlanet]));
                        ++atRest;
                        continue;
                    }
                    std::pair<std::string, std::string> aim;
                    if (map.planets.count(n[kDest]))
                        aim = map.planets.at(n[kDest]);
                    else if (is_space_dest(n[kDest]))
                        aim = {n[kDest].substr(7, 4), n[kDest].substr(13, 4)};
                    else
                        continue;  // following a fleet, or bound for a named place
                    const double ax = std::stoi(aim.first), ay = std::stoi(aim.second);
                    const double nx = std::stoi(n[kX]) - ax, ny = std::stoi(n[kY]) - ay;
                    const double d = std::hypot(nx, ny), back = double(k) * std::pow(std::stoi(n[kWarp]), 2);
                    const double ex = ax + nx * (d + back) / d, ey = ay + ny * (d + back) / d;
                    const int x = std::stoi(r[kX]), y = std::stoi(r[kY]);
                    if (ex < lo - 0.5 || ex > hi + 0.5 || ey < lo - 0.5 || ey > hi + 0.5) continue;  // at the edge
                    const std::string row = std::to_string(y);
                    if (map.spots.count({std::to_string(x - 1), row}) || map.spots.count({std::to_string(x + 1), row}))
                        continue;  // nudged off a planet
                    EXPECT_LE(std::hypot(x - ex, y - ey), 1.0) << "at " << x << "," << y << ", not " << ex << "," << ey;
                    EXPECT_EQ(r[kPlanet], "");
                    EXPECT_EQ(r[kDest], n[kDest]);
                    EXPECT_NEAR(std::stoi(r[kEta]), std::stoi(n[kEta]) + int(k), 1);
                    ++underWay;
                }
            }
        }
    }
    EXPECT_GT(underWay, 100);
    EXPECT_GT(atRest, 100);
}

// A fleet built during the years written is missing in every year before it was built;
// a fleet destroyed is there in every year before it was lost, with an ID above every
// ID its owner has left.
TEST(EarlierYears, FleetsAreBuiltAndDestroyed)
{
    int built = 0, destroyed = 0;
    for (std::uint64_t seed : {1ull, 2ull, 3ull}) {
        const std::vector<Reports> years = years_of(make_demo_game(seed, 4));
        for (std::size_t i = 0; i < years[0].size(); ++i) {
            const int player = years[0][i].first;
            SCOPED_TRACE("seed " + std::to_string(seed) + " F" + std::to_string(player));
            std::vector<std::map<std::string, Row>> own;
            for (const Reports& year : years) own.push_back(numbered_own(parse_report(player, year.at(i).second)));
            int topId = 0;
            for (const auto& [name, r] : own[0]) topId = std::max(topId, id_of(r));
            for (std::size_t k = 1; k < own.size(); ++k) {
                const bool older = k + 1 < own.size();
                for (const auto& [name, r] : own[0]) {
                    if (own[k].count(name)) continue;
                    ++built;
                    if (older) {
                        EXPECT_EQ(own[k + 1].count(name), 0u) << name << " there before it was built";
                    }
                }
                for (const auto& [name, r] : own[k]) {
                    if (own[0].count(name)) continue;
                    ++destroyed;
                    EXPECT_GT(id_of(r), topId) << name;
                    if (older) {
                        EXPECT_EQ(own[k + 1].count(name), 1u) << name << " missing before it was lost";
                    }
                }
            }
        }
    }
    EXPECT_GT(built, 0);
    EXPECT_GT(destroyed, 0);
}

// ---------------------------------------------------------------------------------
// Max game

TEST(MaxGame, DefaultHoldsSixteenFullFleetLists)
{
    const GameFiles game = make_max_game(1);
    ASSERT_EQ(game.reports.size(), 1u);
    EXPECT_EQ(game.reports[0].first, 1);
    EXPECT_EQ(parse_map(game.map).count, 2000);
    const Report rep = parse_report(1, game.reports[0].second);
    ASSERT_EQ(rep.rows.size(), 8192u);
    std::map<int, int> perOwner;
    int unnumbered = 0;
    for (std::size_t i = 0; i < rep.rows.size(); ++i) {
        ++perOwner[owner_of(rep.rows[i])];
        unnumbered += id_of(rep.rows[i]) == 0;
        if (i < 512) {
            EXPECT_EQ(owner_of(rep.rows[i]), 1) << "line " << i + 2;
        }
    }
    EXPECT_EQ(perOwner.size(), 16u);
    for (const auto& [owner, n] : perOwner) EXPECT_EQ(n, 512) << "owner " << owner;
    // 5% renamed: 410 expected, binomial spread is about 20.
    EXPECT_GT(unnumbered, 300);
    EXPECT_LT(unnumbered, 520);
}

TEST(MaxGame, IdsStopAt512AndFollowRenamedShare)
{
    struct Expect {
        MaxGameOptions options;
        int rows, unnumbered; // unnumbered < 0: not checked exactly
    };
    const Expect table[] = {
        {{3, 600, 50, 0.0}, 1800, 3 * 88}, {{2, 512, 100, 0.0}, 1024, 0},    {{1, 10, 1, 1.0}, 10, 10},
        {{16, 0, 10, 0.05}, 0, 0},         {{5, 700, 300, 1.0}, 3500, 3500},
    };
    for (const Expect& e : table) {
        SCOPED_TRACE("players " + std::to_string(e.options.players) + " fleets " +
                     std::to_string(e.options.fleetsPerPlayer));
        const Report rep = parse_report(1, make_max_game(9, e.options).reports.at(0).second);
        ASSERT_EQ(int(rep.rows.size()), e.rows);
        int unnumbered = 0;
        std::map<int, int> nextId;
        for (const Row& r : rep.rows) {
            const int id = id_of(r);
            unnumbered += id == 0;
            // Without renames, the numbered fleets of each owner are exactly #1..#512.
            if (id && e.options.renamedShare == 0.0) {
                EXPECT_EQ(id, ++nextId[owner_of(r)]);
            }
        }
        EXPECT_EQ(unnumbered, e.unnumbered);
    }
}

// Every report of the largest game shows every fleet, so the yearly changes can be
// counted: about 5% of the fleets are new, 3% of each owner's fleets were lost, and
// lost fleets numbered past 512 carry no "#id".
TEST(MaxGame, EarlierYearBuildsAndLosesFleetsAtTheirRates)
{
    const GameFiles game = make_max_game(2, {16, 512, 2000, 0.0, 0, 2});
    const Report now = parse_report(1, game.reports.at(0).second);
    const Report then = parse_report(1, game.earlier.at(0).at(0).second);
    std::set<std::string> before;
    int lost = 0, built = 0;
    for (const Row& r : then.rows) {
        before.insert(r[kName]);
        lost += id_of(r) == 0;
    }
    for (const Row& r : now.rows) built += before.count(r[kName]) == 0;
    EXPECT_EQ(then.rows.size(), now.rows.size() - built + lost);
    // 5% of 8192 is 410 with a binomial spread of about 20; 3% of 512 is 15.36 per owner.
    EXPECT_GT(built, 330);
    EXPECT_LT(built, 490);
    EXPECT_GE(lost, 16 * 15);
    EXPECT_LE(lost, 16 * 16);
}

TEST(MaxGame, RejectsOptionsOutOfRange)
{
    const MaxGameOptions bad[] = {
        {0, 512, 2000, 0.05},    {17, 512, 2000, 0.05}, {16, -1, 2000, 0.05},
        {16, 10001, 2000, 0.05}, {16, 512, 0, 0.05},    {16, 512, 10001, 0.05},
        {16, 512, 2000, -0.01},  {16, 512, 2000, 1.01}, {16, 512, 2000, std::numeric_limits<double>::quiet_NaN()},
    };
    for (const MaxGameOptions& o : bad)
        EXPECT_THROW(make_max_game(1, o), std::invalid_argument)
            << o.players << "/" << o.fleetsPerPlayer << "/" << o.planets << "/" << o.renamedShare;
}

} // namespace
