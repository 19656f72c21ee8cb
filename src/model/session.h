#pragma once
// Everything the program's windows share: the planet and fleet tables, the
// players, the fleet index, the process-wide values and the lists that the
// windows show. One Session lives for the whole run; tests make their own.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "columns.h"
#include "sorted_list.h"
#include "text_table.h"
#include "turn_reads.h"

namespace trevanor {

// Colours are 0x00BBGGRR: red in the low byte.
using ColorValue = std::uint32_t;

struct Player {
    std::string Name;         // race name, at most 30 characters; empty until seen
    std::uint8_t Number = 0;  // the player number once the name is set
    ColorValue Color = 0;
};

constexpr int kPlayers = 16;
// Entries 1..16 of the fleet index are the players' blocks; this one is the trailing block.
constexpr int kTrailingEntry = kPlayers + 1;

struct FleetIndexEntry {
    std::uint16_t First_row = 0;
    std::uint16_t Last_row = 0;
    bool operator==(const FleetIndexEntry&) const = default;
};

// By entry number 1..17; entry 0 unused.
using FleetIndex = std::array<FleetIndexEntry, kTrailingEntry + 1>;
// Player records and colours by player number 1..16; [0] unused.
using PlayerArray = std::array<Player, kPlayers + 1>;
using ColorArray = std::array<ColorValue, kPlayers + 1>;

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

extern const ColorArray kDefaultColors;

struct Session {
    Session();

    TextTable planets{kPlanetColumns};       // Plantet_GR
    TextTable fleets{kFleetColumns};         // Fleet_GR
    TextTable fleetsByPos{kFleetColumns};    // fleet_pos_sort_GR
    TextTable scannerRanges{kScanColumns};    // memo_grid, the stored scanner-range list

    PlayerArray Players{};
    ColorArray Default_colors{};  // set by the main window's creation
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
    bool Keep_history = true;     // keep a copy of every turn read
    bool Read_new_turns = false;  // read a new turn as soon as the game has written it
    int Trail_turns = 5;          // 2..20
    int Reach_years = 1;          // 1..9: years "Who can reach here" looks ahead
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
    TurnReads reads;                         // the files read for the open turn

    MainWindowState main;

    // The stored scanner-range list empty, with its headings.
    void resetScannerRanges();
    // Empties what the tool windows hold (tables and lists) for another MAP.
    void resetWindowData();
    // The calculator's lists back to their single " unknown" item.
    void resetPlaceLists();
    // Adds the same texts (planet names) to both of the calculator's lists.
    void addPlaces(std::vector<std::string> texts);
    // The same, for texts already in order (see sort_ci).
    void addSortedPlaces(std::vector<std::string> texts);
    // Lists fleets by unique name: "!" and the name in both of the
    // calculator's lists, the name in the map's fleet list.
    void listFleets(std::vector<std::string> uniqueNames);
    // Takes every fleet off those lists; " unknown" and the planets stay.
    void unlistFleets();
};

}  // namespace trevanor
