#pragma once
// Scanner types and the ranges they give: the fleet scanner types with the
// racial traits that change them (JoAT's built-in scanner, No Advanced
// Scanners), and the planetary scanner types. Several scanners of a fleet
// combine by the fourth-power rule: the combined range is the fourth root of
// the sum of the fourth powers.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "prompter.h"

namespace trevanor {

struct FleetScannerType {
    const char* name;
    int nonPenetrating, penetrating;  // light years
    int energy, propulsion, electronics, biotechnology;  // tech levels required
    bool ss;  // requires the SS primary racial trait
};
extern const std::array<FleetScannerType, 16> kFleetScanners;

struct PlanetaryScannerType {
    const char* name;
    int nonPenetrating, penetrating;
    int energy, electronics, biotechnology;
};
extern const std::array<PlanetaryScannerType, 9> kPlanetaryScanners;

struct Ranges {
    int nonPenetrating = 0, penetrating = 0;
    bool operator==(const Ranges&) const = default;
};

// The ranges of a fleet scanner type by its exact name; an unknown name gets
// 0 and 0 after the message: the name and " - unknown scanner !".
Ranges fleet_scanner_ranges(const std::string& name, Prompter& prompter);

// JoAT's built-in scanner of a scout, destroyer or frigate at Electronics level e.
Ranges calc_joat(int electronics);

// What the combined range of a fleet is worked out from.
struct FleetScanners {
    std::vector<std::string> types;  // the list of scanners, by name (up to 6 count)
    bool joat = false;               // "Scout, Destroyer or Frigate" of a JoAT race
    Ranges joatRanges;               // the built-in scanner (0 until worked out)
    bool noAdvancedScanners = false; // the "No Advanced Scanner" trait
};
Ranges calc_fleet_range(const FleetScanners& fleet, Prompter& prompter);

// The ranges of a planetary scanner type; the No Advanced Scanner trait
// doubles the non-penetrating range (a penetrating type cannot have it).
Ranges planetary_scanner_ranges(int type, bool noAdvancedScanners);

}  // namespace trevanor
