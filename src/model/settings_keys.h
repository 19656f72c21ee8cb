#pragma once
// Every value the program keeps in the settings store: its name, its type and
// what it starts as. Names are compared without regard to case by the store.
// The program key holds the options; each MAP file name has a key of its own.

#include <cstdint>
#include <string>

namespace trevanor {

struct IntSetting {
    const char* name;
    std::int32_t initial;
};
struct TextSetting {
    const char* name;
    const char* initial;
};

namespace setting {
// Program key.
constexpr IntSetting Autoload_map{"Autoload_MAP", 0};             // 0/1: open the last MAP at start
constexpr TextSetting Autoload_map_file{"Autoload_map_file", " "};  // the last MAP; " " while autoload is off
constexpr IntSetting Skip_conf{"skip_conf", 0};                    // 0/1: no question at a MAP change
constexpr TextSetting Recent_file{"rfile", ""};                    // rfile1 .. rfile4, the most recent first
constexpr int kRecentFiles = 4;
// The kept turns of each game, new turns, trails and who can reach a place.
constexpr IntSetting Keep_history{"keep_history", 1};      // 0/1: keep a copy of every turn read
constexpr IntSetting Read_new_turns{"read_new_turns", 0};  // 0/1: read a new turn without asking
constexpr IntSetting Trail_turns{"trail_turns", 5};        // 2..20: turns a fleet's trail goes back
constexpr IntSetting Reach_years{"reach_years", 1};        // 1..9: years "Who can reach here" looks ahead

// MAP key.
constexpr IntSetting Player_color{"p", 0};                // p1 .. p16, colour 0x00BBGGRR; missing: all defaults
constexpr IntSetting Autoload_fleet{"autoload_fleet", 0};  // 0/1: read the first report with the MAP
constexpr TextSetting First_report{"first_report", ""};    // full path of the MAP's first report
constexpr TextSetting Own_race{"Own_race", ""};            // a race name or "_none_"; missing: not chosen
}  // namespace setting

// The name of the n-th of a numbered value (rfile1, p16).
inline std::string numbered(const char* name, int n) { return name + std::to_string(n); }

}  // namespace trevanor
