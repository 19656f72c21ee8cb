#include "game_generator.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <set>
#include <stdexcept>
#include <tuple>

namespace trevanor::gen {
namespace {

// splitmix64: tiny, fast and identical everywhere, unlike the std distributions.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    int range(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <class T, std::size_t N>
    const T& pick(const T (&items)[N]) {
        return items[below(int(N))];
    }

private:
    std::uint64_t state_;
};

const char* const kRaces[16] = {"Vorlani", "Quessari", "Thrennic", "Ozmari", "Keltyx",   "Draumen",
                                "Salvene", "Ixtari",   "Moravai",  "Undrel", "Pelloran", "Zhaskar",
                                "Cirrane", "Hovadi",   "Brenmok",  "Yulatri"};

const char* const kEpithets[] = {"Far Seeker",   "Home Guard",  "Lucky Star",  "Old Faithful",
                                 "Night Heron",  "Ember Watch", "Quiet Tide",  "Iron Wake",
                                 "Grey Lantern", "Long Reach",  "Second Wing", "Relief Convoy"};

enum Category { kUnarmed, kScout, kWarship, kUtility, kBomber };

struct Design {
    const char* name;
    const char* cls;   // class word of the report's free-text column
    const char* task;  // standing orders shown to the owner
    Category cat;
    int hull, fuel, cargo, colonists, maxShips, weight;
    int npScan, penScan, cloak, mining, sweep, minelay, terraform;  // per fleet, mining etc. per ship
};

const Design kDesigns[] = {
    {"Scout", "Scout", "Scout", kScout, 20, 150, 0, 0, 1, 18, 150, 0, 0, 0, 0, 0, 0},
    {"Pathfinder", "Scout", "Scout", kScout, 35, 300, 0, 0, 2, 6, 220, 90, 70, 0, 0, 0, 0},
    {"Colony Ship", "Colonizer", "Colonize", kUnarmed, 60, 250, 0, 250, 2, 10, 0, 0, 0, 0, 0, 0, 0},
    {"Hauler", "Freighter", "Transport", kUnarmed, 70, 400, 300, 0, 6, 20, 0, 0, 0, 0, 0, 0, 0},
    {"Lancer", "Warship", "Patrol", kWarship, 120, 600, 0, 0, 12, 16, 80, 0, 0, 0, 0, 0, 0},
    {"Warden", "Warship", "Patrol", kWarship, 180, 900, 0, 0, 8, 8, 100, 0, 0, 0, 160, 0, 0},
    {"Dredger", "Miner", "Remote Mining", kUtility, 90, 300, 0, 0, 6, 7, 0, 0, 0, 9, 0, 0, 0},
    {"Seeder", "Minelayer", "Lay Mines", kUtility, 80, 400, 0, 0, 4, 6, 0, 0, 0, 0, 0, 60, 0},
    {"Shaper", "Terraformer", "Terraform", kUtility, 75, 300, 0, 0, 3, 4, 0, 0, 0, 0, 0, 0, 3},
    {"Hammer", "Bomber", "Bomb", kBomber, 150, 700, 0, 0, 10, 5, 0, 0, 0, 0, 0, 0, 0},
};
constexpr int kScoutDesign = 0;
constexpr int kEscortDesign = 4;  // escorts merged into other fleets are Lancers
constexpr int kStargate = 11;     // warp value meaning "jumps through a stargate"
constexpr int kHomeScan = 250;    // scanner range of a home world
constexpr int kMaxFleetId = 512;  // fleets past the 512th of a player have no "#id" in their name

struct Planet {
    std::string name;
    int x, y;
};

enum class Order { Stay, Planet, Space, Fleet, FleetNoRace, Named, Empty };

struct Fleet {
    int owner = 0, id = 0;
    std::string name;
    int x = 0, y = 0, planet = -1;  // planet index when in orbit
    int design = 0, ships = 1, escorts = 0;
    int iron = 0, bor = 0, germ = 0, colonists = 0, fuel = 0;
    Order order = Order::Stay;
    int warp = 0;                     // 0..10 or kStargate
    int tx = 0, ty = 0, target = -1;  // space point, or planet / fleet index
    std::string label;                // destination text of Order::Named
    bool pinned = false;              // moved by hand, leave it alone
    std::string dest, eta, heading;   // filled in by finalize()
};

struct World {
    explicit World(std::uint64_t seed) : rng(seed) {}
    Rng rng;
    int lo = 1000, hi = 1800;
    std::vector<Planet> planets;
    std::set<std::pair<int, int>> planetSpots;
    std::vector<std::string> races;
    std::vector<int> homes;                  // planet index per player
    std::vector<std::vector<int>> nearHome;  // a few planets closest to each home
    std::vector<Fleet> fleets;               // ordered by owner, then ID
};

std::string num(long long v) { return std::to_string(v); }
std::string space_text(int x, int y) { return "Space (" + num(x) + ", " + num(y) + ")"; }
long long dist2(int x1, int y1, int x2, int y2) {
    const long long dx = x2 - x1, dy = y2 - y1;
    return dx * dx + dy * dy;
}

std::string planet_name(Rng& rng) {
    static const char* const head[] = {"Al",  "Bel", "Cor", "Dav", "El",  "Fen", "Gal", "Hes",  "Ist",
                                       "Jor", "Kar", "Lum", "Mer", "Nov", "Or",  "Pel", "Quar", "Ros",
                                       "Sel", "Tam", "Ul",  "Ves", "Wyn", "Xan", "Yor", "Zel"};
    static const char* const mid[] = {"", "a", "e", "i", "o", "u", "ar", "en", "is", "or", "yn"};
    // Two endings carry Windows-1252 letters (e9 = e acute, f6 = o umlaut).
    static const char* const tail[] = {"dris", "tha", "mon",  "rix", "vel", "nos",   "dar",
                                       "lia",  "ton", "gard", "mir", "sus", "r\xE9", "d\xF6r"};
    // One statement per draw: the evaluation order of operands and function arguments
    // is left open by the language, and compilers do differ, which would break determinism.
    std::string n = rng.pick(head);
    n += rng.pick(mid);
    n += rng.pick(tail);
    switch (rng.below(14)) {
        case 0:
            return "New " + n;
        case 1:
            return n + " Prime";
        case 2:
            return "Port " + n;
        case 3:
            return n + " Minor";
        default:
            return n;
    }
}

// Planets on a jittered grid: one planet per cell, so positions never coincide and
// placement needs no retry loop.
void make_planets(World& w, int count) {
    int cells = 1;
    while (cells * cells < count + count / 2) ++cells;
    std::vector<int> order(std::size_t(cells) * cells);
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = int(i);
    std::set<std::string> names;
    const int side = w.hi - w.lo + 1;
    for (int k = 0; k < count; ++k) {
        std::swap(order[k], order[k + w.rng.below(int(order.size()) - k)]);  // partial Fisher-Yates
        const int cx = order[k] % cells, cy = order[k] / cells;
        const int x0 = w.lo + cx * side / cells, x1 = w.lo + (cx + 1) * side / cells - 1;
        const int y0 = w.lo + cy * side / cells, y1 = w.lo + (cy + 1) * side / cells - 1;
        const int mx = (x1 - x0) / 5, my = (y1 - y0) / 5;
        std::string name = planet_name(w.rng);
        for (int tries = 0; names.count(name) && tries < 40; ++tries) name = planet_name(w.rng);
        for (int n = 2; names.count(name); ++n) name = planet_name(w.rng) + " " + num(n);
        names.insert(name);
        const int x = w.rng.range(x0 + mx, x1 - mx);
        const int y = w.rng.range(y0 + my, y1 - my);
        w.planets.push_back({name, x, y});
        w.planetSpots.insert({x, y});
    }
}

void set_homes(World& w, const std::vector<std::pair<int, int>>& spots) {
    for (const auto& spot : spots) {
        const int hx = spot.first, hy = spot.second;
        std::vector<int> idx(w.planets.size());
        for (std::size_t i = 0; i < idx.size(); ++i) idx[i] = int(i);
        auto d = [&](int i) { return std::make_pair(dist2(hx, hy, w.planets[i].x, w.planets[i].y), i); };
        std::partial_sort(idx.begin(), idx.begin() + std::min<std::size_t>(12, idx.size()), idx.end(),
                          [&](int a, int b) { return d(a) < d(b); });
        idx.resize(std::min<std::size_t>(12, idx.size()));
        w.homes.push_back(idx.front());
        w.nearHome.push_back(idx);
    }
}

void place_at_planet(World& w, Fleet& f, int planet) {
    f.planet = planet;
    f.x = w.planets[planet].x;
    f.y = w.planets[planet].y;
}

// A deep-space position never shares its X,Y with a planet.
void place_in_space(World& w, Fleet& f, int x, int y) {
    f.planet = -1;
    f.x = std::clamp(x, w.lo, w.hi);
    f.y = std::clamp(y, w.lo, w.hi);
    while (w.planetSpots.count({f.x, f.y})) f.x += f.x < w.hi ? 1 : -1;
}

// A point 40..200 ly away, always towards the middle so it stays inside the universe.
std::pair<int, int> point_away(World& w, int x, int y) {
    const int mid = (w.lo + w.hi) / 2;
    const int dx = w.rng.range(40, 200), dy = w.rng.range(0, 200);
    return {x < mid ? x + dx : x - dx, y < mid ? y + dy : y - dy};
}

void set_moving(World& w, Fleet& f, Order order) {
    f.order = order;
    f.warp = w.rng.chance(10) ? 10 : w.rng.range(4, 9);
}

Fleet make_fleet(World& w, int owner, int id, int design) {
    Rng& r = w.rng;
    Fleet f;
    f.owner = owner;
    f.id = id;
    if (design < 0) {
        int total = 0;
        for (const Design& d : kDesigns) total += d.weight;
        int roll = r.below(total);
        for (design = 0; roll >= kDesigns[design].weight; ++design) roll -= kDesigns[design].weight;
    }
    const Design& d = kDesigns[design];
    f.design = design;
    f.ships = r.range(1, d.maxShips);
    if (d.cat != kWarship && d.cat != kScout && r.chance(12)) f.escorts = r.range(1, 4);
    f.fuel = (d.fuel * f.ships + kDesigns[kEscortDesign].fuel * f.escorts) * r.range(35, 100) / 100;
    if (d.cargo > 0 && r.chance(80)) {
        const int room = d.cargo * f.ships / 3;
        f.iron = r.range(0, room);
        f.bor = r.range(0, room);
        f.germ = r.range(0, room);
        if (r.chance(25)) f.colonists = r.range(1, room);
    }
    if (d.colonists > 0) f.colonists = d.colonists * f.ships * r.range(40, 100) / 100;
    f.name = w.races[owner - 1] + " " + d.name + " #" + num(id);

    const Planet& home = w.planets[w.homes[owner - 1]];
    const int roll = r.below(100);
    if (roll < 55) {
        place_at_planet(w, f, w.nearHome[owner - 1][r.below(int(w.nearHome[owner - 1].size()))]);
    } else if (roll < 85) {
        const int x = home.x + r.range(-220, 220);
        place_in_space(w, f, x, home.y + r.range(-220, 220));
    } else if (roll < 93) {
        place_at_planet(w, f, r.below(int(w.planets.size())));
    } else {
        const int x = r.range(w.lo, w.hi);
        place_in_space(w, f, x, r.range(w.lo, w.hi));
    }

    const int orders = r.below(100);
    if (orders < 40) {
        f.order = Order::Stay;
    } else if (orders < 80) {
        set_moving(w, f, Order::Planet);
        f.target = r.below(int(w.planets.size()));
    } else {
        set_moving(w, f, Order::Space);
        std::tie(f.tx, f.ty) = point_away(w, f.x, f.y);
    }
    return f;
}

bool follows_fleet(const Fleet& f) { return f.order == Order::Fleet || f.order == Order::FleetNoRace; }

// The point an order steers a fleet to; its own position when the order does not move it.
std::pair<int, int> aim_point(const World& w, const Fleet& f) {
    switch (f.order) {
        case Order::Planet:
            return {w.planets[f.target].x, w.planets[f.target].y};
        case Order::Space:
        case Order::Named:
            return {f.tx, f.ty};
        case Order::Fleet:
        case Order::FleetNoRace:
            return {w.fleets[f.target].x, w.fleets[f.target].y};
        case Order::Stay:
        case Order::Empty:
            break;
    }
    return {f.x, f.y};
}

// Destination text of a fleet under way.
std::string destination(const World& w, const Fleet& f) {
    switch (f.order) {
        case Order::Planet:
            return w.planets[f.target].name;
        case Order::Space:
            return space_text(f.tx, f.ty);
        case Order::Fleet:
            return w.fleets[f.target].name;
        case Order::FleetNoRace: {
            const std::string& name = w.fleets[f.target].name;
            return name.substr(name.find(' ') + 1);
        }
        case Order::Named:
            return f.label;
        case Order::Stay:
        case Order::Empty:
            break;
    }
    return "";
}

// Works out destination text, ETA and the heading foreign scanners see, from the
// final positions. An order that would not move the fleet turns into staying put.
void finalize(World& w) {
    for (Fleet& f : w.fleets) {
        const auto [tx, ty] = aim_point(w, f);
        const long long d2 = dist2(f.x, f.y, tx, ty);
        if (f.warp == 0 || d2 == 0) {
            f.warp = 0;
            f.dest = f.order == Order::Empty ? "" : f.planet >= 0 ? w.planets[f.planet].name : space_text(f.x, f.y);
            f.eta.clear();
            f.heading = "127.127";
            continue;
        }
        f.dest = destination(w, f);
        const long long step = f.warp == kStargate ? 0 : f.warp * f.warp;  // ly per year
        long long years = 1;
        while (step > 0 && years * step * years * step < d2) ++years;
        f.eta = num(years) + "y";
        // Heading: yearly movement per axis, offset by 127 so that 127.127 means "not moving".
        const double speed = f.warp == kStargate ? 100.0 : double(step), d = std::sqrt(double(d2));
        f.heading =
            num(127 + std::lround((tx - f.x) * speed / d)) + "." + num(127 + std::lround((ty - f.y) * speed / d));
    }
}

const char* const kHeading =
    "Fleet Name\tX\tY\tPlanet\tDestination\tClass\tShips\tIronium\tBoranium\tGermanium\tColonists\tFuel\t"
    "Owner\tETA\tWarp\tMass\tCloak\tNP Scan\tPen Scan\tTask\tMining\tSweep\tMinelay\tTerraform\tUnarmed\t"
    "Scout\tWarship\tUtility\tBomber\r\n";

int np_scan(const Fleet& f) {
    return std::max(kDesigns[f.design].npScan, f.escorts ? kDesigns[kEscortDesign].npScan : 0);
}

void append_row(std::string& out, const World& w, const Fleet& f, bool own, bool cargoSeen) {
    const Design& d = kDesigns[f.design];
    int cats[5] = {};
    cats[d.cat] += f.ships;
    cats[kWarship] += f.escorts;
    const bool cargo = own || cargoSeen;
    const int mass =
        d.hull * f.ships + kDesigns[kEscortDesign].hull * f.escorts + f.iron + f.bor + f.germ + f.colonists;
    const std::string fields[29] = {f.name,
                                    num(f.x),
                                    num(f.y),
                                    f.planet >= 0 ? w.planets[f.planet].name : "",
                                    own ? f.dest : f.heading,
                                    f.escorts ? "" : d.cls,
                                    num(f.ships + f.escorts),
                                    num(cargo ? f.iron : 0),
                                    num(cargo ? f.bor : 0),
                                    num(cargo ? f.germ : 0),
                                    num(cargo ? f.colonists : 0),
                                    num(own ? f.fuel : 0),
                                    num(f.owner),
                                    own ? f.eta : "",
                                    f.warp == kStargate ? "SG" : num(f.warp),
                                    num(mass),
                                    num(f.escorts ? d.cloak / 2 : d.cloak),
                                    num(cargo ? np_scan(f) : 0),
                                    num(cargo ? d.penScan : 0),
                                    own ? d.task : "",
                                    num(own ? d.mining * f.ships : 0),
                                    num(own ? d.sweep : 0),
                                    num(own ? d.minelay * f.ships : 0),
                                    num(own ? d.terraform * f.ships : 0),
                                    num(cats[kUnarmed]),
                                    num(cats[kScout]),
                                    num(cats[kWarship]),
                                    num(cats[kUtility]),
                                    num(cats[kBomber])};
    for (int i = 0; i < 29; ++i) {
        out += fields[i];
        out += i < 28 ? "\t" : "\r\n";
    }
}

// A scanner of a player: its home world or one of its fleets, with a plain and a
// penetrating range.
struct Eye {
    int x, y, np, pen;
};

std::vector<Eye> eyes_of(const World& w, int player) {
    const Planet& home = w.planets[w.homes[player - 1]];
    std::vector<Eye> eyes = {{home.x, home.y, kHomeScan, 0}};
    for (const Fleet& f : w.fleets)
        if (f.owner == player) eyes.push_back({f.x, f.y, np_scan(f), kDesigns[f.design].penScan});
    return eyes;
}

bool in_range(const Eye& e, const Fleet& f, int range) { return dist2(e.x, e.y, f.x, f.y) <= 1LL * range * range; }

bool sees(const std::vector<Eye>& eyes, const Fleet& f) {
    return std::any_of(eyes.begin(), eyes.end(), [&](const Eye& e) { return in_range(e, f, e.np); });
}

// A foreign fleet shows up when it lies within scanner range of the reporter's home
// world or of one of its fleets; inside a penetrating range its cargo and its
// scanners show too.
std::string fleet_report(const World& w, int reporter, bool seeAll) {
    const std::vector<Eye> eyes = eyes_of(w, reporter);
    std::string out = kHeading;
    for (const Fleet& f : w.fleets)
        if (f.owner == reporter) append_row(out, w, f, true, true);
    for (const Fleet& f : w.fleets) {
        if (f.owner == reporter) continue;
        const bool cargo =
            std::any_of(eyes.begin(), eyes.end(), [&](const Eye& e) { return e.pen > 0 && in_range(e, f, e.pen); });
        if (seeAll || sees(eyes, f)) append_row(out, w, f, false, cargo && !seeAll);
    }
    return out;
}

std::string map_file(const World& w) {
    std::string out = "#\tX\tY\tName\r\n";
    for (std::size_t i = 0; i < w.planets.size(); ++i)
        out += num(long(i) + 1) + "\t" + num(w.planets[i].x) + "\t" + num(w.planets[i].y) + "\t" + w.planets[i].name +
               "\r\n";
    return out;
}

// A fleet of a player outside `friends` that nothing has moved by hand yet.
Fleet& pick_stranger(World& w, const std::vector<int>& friends) {
    std::vector<int> idx;
    for (std::size_t i = 0; i < w.fleets.size(); ++i)
        if (!w.fleets[i].pinned && std::find(friends.begin(), friends.end(), w.fleets[i].owner) == friends.end())
            idx.push_back(int(i));
    Fleet& f = w.fleets.at(idx.at(w.rng.below(int(idx.size()))));
    f.pinned = true;
    return f;
}

void move_apart(World& w, Fleet& f, const Fleet& from) {
    if (f.x == from.x && f.y == from.y) place_in_space(w, f, from.x + (from.x < w.hi - 40 ? 30 : -30), from.y);
}

// Gives one reporting player's fleets (which start at `first`, IDs 1..8 without gaps)
// the awkward cases the analyser has to cope with.
void feature_player(World& w, int player, std::size_t first, const std::vector<int>& friends) {
    Rng& r = w.rng;
    auto F = [&](int i) -> Fleet& { return w.fleets[first + i]; };
    const std::string race = w.races[player - 1];
    const int home = w.homes[player - 1];
    const Planet& hp = w.planets[home];
    auto rename = [&](int i, const std::string& name) { F(i).name = race + " " + name; };

    // IDs 1..3 parked at the home world; ID 1 renamed, so the own block opens without an ID.
    for (int i : {0, 1, 2}) {
        place_at_planet(w, F(i), home);
        F(i).order = Order::Stay;
    }
    rename(0, r.pick(kEpithets));
    // IDs 4, (5), (6), 7: two renamed fleets between numbered ones.
    rename(4, kEpithets[r.below(6)]);
    rename(5, kEpithets[6 + r.below(6)]);
    // "Scout" family (all built as scouts): #8 and #9 keep their IDs; two unnumbered
    // twins share one deep-space spot, a third sits elsewhere, a fourth differs in case.
    rename(10, "Scout");
    rename(11, "Scout");
    rename(12, "Scout");
    rename(13, "scout");
    const int twinX = hp.x + r.range(60, 120);
    place_in_space(w, F(10), twinX, hp.y + r.range(-120, -60));
    place_in_space(w, F(11), F(10).x, F(10).y);
    F(10).order = F(11).order = Order::Stay;
    place_at_planet(w, F(12), w.nearHome[player - 1][r.range(1, 11)]);
    // A stranger parks on one of our deep-space fleets, another visits the home world.
    const int sharedX = hp.x + r.range(-150, -60);
    place_in_space(w, F(14), sharedX, hp.y + r.range(60, 150));
    F(14).order = Order::Stay;
    Fleet& visitor = pick_stranger(w, friends);
    place_in_space(w, visitor, F(14).x, F(14).y);
    place_at_planet(w, pick_stranger(w, friends), home);
    const int visitorIndex = int(&visitor - w.fleets.data());
    // The one fleet whose destination the game left empty.
    F(15).order = Order::Empty;
    F(15).warp = 0;
    // Stargate jump between two planets near home.
    place_at_planet(w, F(16), w.nearHome[player - 1][1]);
    set_moving(w, F(16), Order::Planet);
    F(16).target = w.nearHome[player - 1][r.range(2, 11)];
    F(16).warp = kStargate;
    // Fleets following fleets: own by full name, own without the race word, a stranger.
    const std::pair<int, Order> follow[] = {
        {int(first) + 9, Order::Fleet}, {int(first) + 8, Order::FleetNoRace}, {visitorIndex, Order::Fleet}};
    for (int k = 0; k < 3; ++k) {
        Fleet& f = F(17 + k);
        set_moving(w, f, follow[k].second);
        f.target = follow[k].first;
        move_apart(w, f, w.fleets[f.target]);
    }
    const char* const markers[] = {"Wormhole", "Salvage ", "-- ", "Mystery Trader"};
    for (int k = 0; k < 4; ++k) {
        Fleet& f = F(20 + k);
        set_moving(w, f, Order::Named);
        f.label = markers[k];
        std::tie(f.tx, f.ty) = point_away(w, f.x, f.y);
    }
    set_moving(w, F(24), Order::Space);
    std::tie(F(24).tx, F(24).ty) = point_away(w, F(24).x, F(24).y);
    place_at_planet(w, F(25), home);
    set_moving(w, F(25), Order::Planet);
    F(25).target = w.nearHome[player - 1][r.range(1, 11)];
}

// ---------------------------------------------------------------------------------
// Earlier years, worked out backwards from the last one with a random stream of their
// own, so that asking for them leaves the last year's bytes alone.

constexpr std::uint64_t kPastSalt = 0x7A3C91E5D2B4F608ull;
constexpr int kBuiltPercent = 5;      // share of a year's fleets that are new that year
constexpr int kDestroyedPercent = 3;  // share of an owner's fleets lost per year

// A fleet as it was `newest` years before the last year; it existed from `oldest` years
// back up to `newest` years back.
struct PastFleet {
    Fleet fleet;
    std::pair<int, int> aim;  // where its order steered it `newest` years back
    int newest = 0, oldest = kMaxYears;
};

void check_years(int years) {
    if (years < 1 || years > kMaxYears) throw std::invalid_argument("years must be 1.." + num(kMaxYears));
}

// Years since a fleet was built: 1 for one built during the last year. Past kMaxYears
// it is older than every year written.
int age(Rng& r) {
    int years = 1;
    while (years <= kMaxYears && !r.chance(kBuiltPercent)) ++years;
    return years;
}

// Moves a fleet to where it was `years` earlier: warp² ly a year further back on the line
// from its aim point through its position. Stargate jumps and fleets at rest stay put.
void move_back(World& w, Fleet& f, std::pair<int, int> aim, int years) {
    const auto [ax, ay] = aim;
    const long long d2 = dist2(ax, ay, f.x, f.y);
    if (years == 0 || f.warp < 1 || f.warp > 10 || d2 == 0) return;
    const double d = std::sqrt(double(d2));
    const double scale = (d + double(years * f.warp * f.warp)) / d;
    const int x = ax + int(std::lround((f.x - ax) * scale));
    const int y = ay + int(std::lround((f.y - ay) * scale));
    place_in_space(w, f, x, y);
}

// The fleets of the years before the last, in report order: each owner's fleets of the
// last year, then the owner's fleets destroyed since, by ID. Fleet targets index this list.
// Year j back draws its losses before year j + 1 does, so no year depends on `years`.
std::vector<PastFleet> past_fleets(const World& now, World& past, int years) {
    std::vector<PastFleet> out;
    for (const Fleet& f : now.fleets) out.push_back({f, aim_point(now, f), 0, age(past.rng) - 1});
    // A fleet cannot follow one that was not built yet.
    for (bool changed = true; changed;) {
        changed = false;
        for (PastFleet& p : out) {
            if (!follows_fleet(p.fleet)) continue;
            const int oldest = std::min(p.oldest, out[p.fleet.target].oldest);
            changed = changed || oldest != p.oldest;
            p.oldest = oldest;
        }
    }
    std::vector<int> count(now.races.size() + 1), topId(now.races.size() + 1);
    for (const Fleet& f : now.fleets) {
        ++count[f.owner];
        topId[f.owner] = std::max(topId[f.owner], f.id);
    }
    for (int j = 1; j < years; ++j) {
        for (int owner = 1; owner < int(count.size()); ++owner) {
            const int lost = (count[owner] * kDestroyedPercent + past.rng.below(100)) / 100;  // rounded at random
            for (int i = 0; i < lost; ++i) {
                Fleet f = make_fleet(past, owner, ++topId[owner], -1);
                if (f.id > kMaxFleetId) f.name = past.races[owner - 1] + " " + kDesigns[f.design].name;
                out.push_back({f, aim_point(past, f), j, kMaxYears});
            }
        }
    }
    // The lost fleets join their owner's block; the stable sort keeps each block in ID order.
    std::vector<int> order(out.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return out[a].fleet.owner < out[b].fleet.owner; });
    std::vector<int> at(out.size());
    std::vector<PastFleet> sorted;
    for (int i : order) {
        at[i] = int(sorted.size());
        sorted.push_back(std::move(out[i]));
    }
    for (PastFleet& p : sorted)
        if (follows_fleet(p.fleet)) p.fleet.target = at[p.fleet.target];
    return sorted;
}

// A report names only fleets it shows: a fleet following a foreign fleet that its
// owner's scanners do not show heads for the point where that fleet is.
void lose_unseen_targets(World& w) {
    std::vector<std::vector<Eye>> eyes(w.races.size() + 1);
    for (Fleet& f : w.fleets) {
        if (!follows_fleet(f)) continue;
        const Fleet& g = w.fleets[f.target];
        if (g.owner == f.owner) continue;
        if (eyes[f.owner].empty()) eyes[f.owner] = eyes_of(w, f.owner);
        if (sees(eyes[f.owner], g)) continue;
        f.order = Order::Space;
        f.tx = g.x;
        f.ty = g.y;
    }
}

// The world `years` before the last year, with destinations, ETAs and headings worked
// out afresh from that year's positions. `past` holds everything but the fleets.
World world_back(const World& past, const std::vector<PastFleet>& fleets, int years) {
    World w = past;
    std::vector<int> at(fleets.size(), -1);
    for (std::size_t i = 0; i < fleets.size(); ++i) {
        const PastFleet& p = fleets[i];
        if (years < p.newest || years > p.oldest) continue;
        at[i] = int(w.fleets.size());
        w.fleets.push_back(p.fleet);
        move_back(w, w.fleets.back(), p.aim, years - p.newest);
    }
    for (Fleet& f : w.fleets)
        if (follows_fleet(f)) f.target = at[f.target];
    lose_unseen_targets(w);
    finalize(w);
    return w;
}

// The reports of the years - 1 years before the finished world `now`, newest first.
std::vector<Reports> earlier_reports(const World& now, std::uint64_t seed, int years, const std::vector<int>& reporters,
                                     bool seeAll) {
    World past = now;
    past.fleets.clear();
    past.rng = Rng(seed ^ kPastSalt);
    const std::vector<PastFleet> fleets = past_fleets(now, past, years);
    std::vector<Reports> out;
    for (int k = 1; k < years; ++k) {
        const World w = world_back(past, fleets, k);
        Reports& reports = out.emplace_back();
        for (int p : reporters) reports.emplace_back(p, fleet_report(w, p, seeAll));
    }
    return out;
}

}  // namespace

GameFiles make_demo_game(std::uint64_t seed, int years) {
    check_years(years);
    World w(seed);
    make_planets(w, 300);
    for (int p = 0; p < 7; ++p) w.races.push_back(kRaces[p]);
    // Home worlds on a ring; players 2 and 4 flank player 1 so their scanners overlap.
    set_homes(w, {{1680, 1400}, {1575, 1619}, {1338, 1673}, {1575, 1181}, {1148, 1521}, {1148, 1279}, {1338, 1127}});

    const std::vector<int> reporters = {1, 2, 4};
    std::vector<std::size_t> firsts(8);
    for (int p = 1; p <= 7; ++p) {
        const bool featured = std::find(reporters.begin(), reporters.end(), p) != reporters.end();
        const int count = featured ? 40 : 20 + w.rng.below(10);
        firsts[p] = w.fleets.size();
        int id = featured ? 0 : w.rng.below(3);
        for (int k = 0; k < count; ++k) {
            id += featured && k < 8 ? 1 : 1 + w.rng.below(3);
            w.fleets.push_back(make_fleet(w, p, id, featured && k >= 8 && k <= 13 ? kScoutDesign : -1));
        }
    }
    for (int p : reporters) feature_player(w, p, firsts[p], reporters);
    // Strangers halfway between player 1 and each ally, seen by both home worlds.
    for (int ally : {2, 4}) {
        const Planet& a = w.planets[w.homes[0]];
        const Planet& b = w.planets[w.homes[ally - 1]];
        place_in_space(w, pick_stranger(w, reporters), (a.x + b.x) / 2, (a.y + b.y) / 2);
    }
    finalize(w);

    GameFiles files;
    files.map = map_file(w);
    for (int p : reporters) files.reports.emplace_back(p, fleet_report(w, p, false));
    files.earlier = earlier_reports(w, seed, years, reporters, false);
    return files;
}

GameFiles make_max_game(std::uint64_t seed, const MaxGameOptions& o) {
    if (o.players < 1 || o.players > 16) throw std::invalid_argument("players must be 1..16");
    if (o.fleetsPerPlayer < 0 || o.fleetsPerPlayer > 10000)
        throw std::invalid_argument("fleets per player must be 0..10000");
    if (o.planets < 1 || o.planets > 10000) throw std::invalid_argument("planets must be 1..10000");
    if (!(o.renamedShare >= 0.0 && o.renamedShare <= 1.0)) throw std::invalid_argument("renamed share must be 0..1");
    check_years(o.years);

    World w(seed);
    // Roughly 50 ly between planets, never less than the 800 ly demo universe; 1000 +
    // 50 * sqrt(10000) stays within four digits.
    w.hi = w.lo + std::max(800, int(std::ceil(std::sqrt(double(o.planets)) * 50.0)));
    make_planets(w, o.planets);
    std::vector<std::pair<int, int>> spots;
    for (int p = 0; p < o.players; ++p) {
        w.races.push_back(kRaces[p]);
        const int x = w.rng.range(w.lo, w.hi);
        spots.emplace_back(x, w.rng.range(w.lo, w.hi));
    }
    set_homes(w, spots);
    const auto threshold = static_cast<int>(std::lround(o.renamedShare * 1000000.0));
    for (int p = 1; p <= o.players; ++p) {
        for (int k = 1; k <= o.fleetsPerPlayer; ++k) {
            Fleet f = make_fleet(w, p, k, -1);
            if (k > kMaxFleetId || w.rng.below(1000000) < threshold)
                f.name = w.races[p - 1] + " " + (w.rng.chance(50) ? w.rng.pick(kEpithets) : kDesigns[f.design].name);
            w.fleets.push_back(std::move(f));
        }
    }
    finalize(w);
    GameFiles files;
    files.map = map_file(w);
    std::vector<int> reporters = {1};
    for (int p = 2; p <= std::min(o.players, 1 + o.allyReports); ++p) reporters.push_back(p);
    for (int p : reporters) files.reports.emplace_back(p, fleet_report(w, p, true));
    files.earlier = earlier_reports(w, seed, o.years, reporters, true);
    return files;
}

}  // namespace trevanor::gen
