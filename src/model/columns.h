#pragma once
// The named columns of the tables: planets, the two fleet tables, and the
// stored scanner ranges.

namespace trevanor {

// Planet table: one row per planet, in the order of the MAP file.
namespace planet_col {
constexpr int Number = 0, X = 1, Y = 2, Name = 3;
}
constexpr int kPlanetColumns = 4;

// Fleet tables: the report's 29 fields, then the ID and the unique name.
namespace col {
constexpr int Name = 0, X = 1, Y = 2, Planet = 3, Destination = 4, Ships = 6, Ironium = 7, Boranium = 8,
              Germanium = 9, Colonists = 10, Fuel = 11, Owner = 12, Eta = 13, Warp = 14, Mass = 15, Cloak = 16,
              Scan = 17, PenScan = 18, Task = 19, Mining = 20, Sweep = 21, Minelaying = 22, Terraforming = 23,
              Unarmed = 24, Scout = 25, Warship = 26, Utility = 27, Bomber = 28, Id = 29, UniqueName = 30;
}
constexpr int kFleetColumns = 31;

// The stored scanner-range list: one row per stored range.
namespace scan_col {
constexpr int Name = 0, NonPenetrating = 1, Penetrating = 2, Kind = 3, X = 4, Y = 5, Color = 6;
}
constexpr int kScanColumns = 7;

}  // namespace trevanor
