#include "scanner_types.h"

#include <cmath>
#include <string_view>

namespace trevanor {

const std::array<FleetScannerType, 16> kFleetScanners = {{
    {"Bat", 0, 0, 0, 0, 0, 0, false},
    {"Rhino", 50, 0, 0, 0, 1, 0, false},
    {"Mole", 100, 0, 0, 0, 4, 0, false},
    {"DNA", 125, 0, 0, 4, 0, 6, false},
    {"Possum", 150, 0, 0, 0, 5, 0, false},
    {"Gazelle", 225, 0, 4, 4, 8, 0, false},
    {"RNA", 230, 0, 0, 5, 0, 10, false},
    {"Cheetah", 275, 0, 5, 0, 11, 0, false},
    {"Eagle Eye", 335, 0, 6, 0, 14, 0, false},
    {"Peerless", 500, 0, 7, 0, 24, 0, false},
    {"Ferret (pen)", 135, 50, 3, 0, 7, 2, false},
    {"Dolphin (pen)", 220, 100, 3, 0, 10, 4, false},
    {"Elephant (pen)", 300, 200, 6, 0, 16, 7, false},
    {"Pick Pocket (SS)", 80, 0, 4, 0, 4, 4, true},
    {"Chameleon (SS, pen)", 160, 45, 3, 0, 6, 0, true},
    {"Robber Baron (SS, pen)", 220, 120, 6, 0, 16, 7, true},
}};

const std::array<PlanetaryScannerType, 9> kPlanetaryScanners = {{
    {"Viewer 50", 50, 0, 0, 0, 0},
    {"Viewer 90", 90, 0, 0, 1, 0},
    {"Scoper 150", 150, 0, 0, 3, 0},
    {"Scoper 220", 220, 0, 0, 6, 0},
    {"Scoper 280", 280, 0, 0, 8, 0},
    {"Snooper 320X (pen)", 320, 160, 3, 10, 3},
    {"Snooper 400X (pen)", 400, 200, 4, 13, 6},
    {"Snooper 500X (pen)", 500, 250, 5, 15, 7},
    {"Snooper 620X (pen)", 620, 310, 7, 23, 9},
}};

namespace {
constexpr int kSlots = 6;  // scanners the range sum has room for

long double fourth_power(int range) {
    const long double r = range;
    return r * r * r * r;
}

// The fourth root, as two square roots, rounded half to even.
int fourth_root(long double sum) { return static_cast<int>(std::nearbyint(std::sqrt(std::sqrt(sum)))); }
}  // namespace

Ranges fleet_scanner_ranges(const std::string& name, Prompter& prompter) {
    for (const FleetScannerType& t : kFleetScanners)
        if (name == t.name) return {t.nonPenetrating, t.penetrating};
    prompter.message(name + " - unknown scanner !");
    return {};
}

Ranges calc_joat(int electronics) { return {20 * electronics, 10 * electronics}; }

Ranges calc_fleet_range(const FleetScanners& fleet, Prompter& prompter) {
    long double n = 0, p = 0, q = 0;
    bool ssPen = false;
    const std::size_t used = std::min<std::size_t>(fleet.types.size(), kSlots);
    for (std::size_t i = 0; i < used; ++i) {
        const std::string& type = fleet.types[i];
        const Ranges r = fleet_scanner_ranges(type, prompter);
        if (type == "Robber Baron (SS, pen)" || type == "Chameleon (SS, pen)") {
            ssPen = true;
            q += fourth_power(r.penetrating);
        }
        n += fourth_power(r.nonPenetrating);
        p += fourth_power(r.penetrating);
    }
    if (fleet.joat) {
        n += fourth_power(fleet.joatRanges.nonPenetrating);
        p += fourth_power(fleet.joatRanges.penetrating);
    }
    Ranges result{fourth_root(n), fourth_root(p)};
    if (fleet.noAdvancedScanners) {
        // The trait doubles the normal scanners; penetration comes from the
        // built-in JoAT scanner, or from the SS types that have it.
        result.nonPenetrating *= 2;
        result.penetrating = ssPen ? fourth_root(q) : fleet.joatRanges.penetrating;
    }
    return result;
}

Ranges planetary_scanner_ranges(int type, bool noAdvancedScanners) {
    if (type < 0 || type >= static_cast<int>(kPlanetaryScanners.size())) return {};
    const PlanetaryScannerType& t = kPlanetaryScanners[static_cast<std::size_t>(type)];
    const bool doubled = noAdvancedScanners && t.penetrating == 0;
    return {doubled ? 2 * t.nonPenetrating : t.nonPenetrating, t.penetrating};
}

}  // namespace trevanor
