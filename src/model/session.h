#pragma once
// Everything the program's windows share: the planet and fleet tables, the
// players, the fleet index, the process-wide values and the lists that the
// windows show. One Session lives for the whole run; tests make their own.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sorted_list.h"
#include "text_table.h"

namespace trevanor {

// Colours are 0x00BBGGRR: red in the low byte.
using ColorValue = std::uint32_t;

struct Player {
    std::string Name;         // race name, at most 30 characters; empty until seen
    std::uint8_t Number = 0;  // the player number once the name is set
    ColorValue Color = 0;
};

struct FleetIndexEntry {
    std::uint16_t First_row = 0;
    std::uint16_t Last_row = 0;
    bool operator==(const FleetIndexEntry&) const = default;
};

// Entries 1..16 by player number, entry 17 the trailing block; entry 0 unused.
using FleetIndex = std::array<FleetIndexEntry, 18>;
constexpr int kTrailingEntry = 17;
constexpr int kPlayers = 16;

// Fleet table columns the program itself relies on.
namespace col {
constexpr int Name = 0, X = 1, Y = 2, Planet = 3, Destination = 4, Ships = 6, Owner = 12, Eta = 13,
              Warp = 14, Task = 19, Id = 29, UniqueName = 30;
}
constexpr int kFleetColumns = 31;
constexpr int kPlanetColumns = 4;

struct MenuItemState {
    bool enabled = false;
    bool checked = false;
};

// One player item of the Own Race submenu.
struct RaceMenuItem {
    std::string caption;  // the race name
    std::string name;     // "Menu_" + race name + player number
    bool checked = false;
};

// What the main window shows of the model's state; the window only displays it.
struct MainWindowState {
    std::string caption = "Trevanor";
    MenuItemState AddFleetfileF1;
    MenuItemState AutoloadlastMAP1;
    MenuItemState Fleetfile_autoload1;
    MenuItemState Skip_conf{true, false};
    MenuItemState OwnRace1;
    MenuItemState Map1;
    MenuItemState FleetStatistics1;
    std::array<std::string, 4> recentCaptions{"&1", "&2", "&3", "&4"};
    bool none1Checked = false;                // the "_none_" item of the Own Race submenu
    std::vector<RaceMenuItem> ownRaceItems;   // the player items after "_none_"
};

extern const std::array<ColorValue, 17> kDefaultColors;  // by player number 1..16

struct Session {
    Session();

    TextTable planets{kPlanetColumns};       // Plantet_GR
    TextTable fleets{kFleetColumns};         // Fleet_GR
    TextTable fleetsByPos{kFleetColumns};    // fleet_pos_sort_GR

    std::array<Player, 17> Players{};        // by player number 1..16
    std::array<ColorValue, 17> Default_colors{};  // set by the main window's creation
    FleetIndex Fleet_index{};

    std::string Map_name;
    std::string Own_race_name;
    bool Autoload_map = false;
    std::string Autoload_map_file;
    std::string New_map_path;
    bool Map_changed = false;
    bool No_map_yet = true;
    bool First_report_pending = true;
    bool Skip_conf = false;
    std::string First_report_path;

    // The hidden sort list: fleet table rows in the order of their position
    // keys (position_key gives a row's key text).
    std::vector<int> sortList;
    SortedList placeList1{};                 // Planet1_CB
    SortedList placeList2{};                 // Planet2_CB
    SortedList mapFleetList{};               // the map window's Fleet_CBx
    std::string mapRaceText;                 // the map window's own race field
    // Race names of report owners whose fleets a merge accepted, in the order
    // added: the map window's list of allies.
    std::vector<std::string> acceptedReportOwners;
    bool planetPlacesListed = false;         // the place lists hold the planet table's names

    MainWindowState main;

    // Empties what the tool windows hold (tables and lists) for another MAP.
    void resetWindowData();
    // The calculator's lists back to their single " unknown" item.
    void resetPlaceLists();
    // Adds the same texts to both of the calculator's lists.
    void addPlaces(std::vector<std::string> texts);
};

}  // namespace trevanor
