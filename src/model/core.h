#pragma once
// The shared routines of the main window's module: reading the MAP file and
// the first fleet report, repairing empty destinations, and the own race
// menu. Windows call these and then show what the Session holds.
//
// Errors (a file that cannot be read, a conversion, too many lines) are
// thrown; the handler that started the operation shows the message and the
// program goes on with what was read until then.

#include <string>
#include <string_view>
#include <vector>

#include "prompter.h"
#include "session.h"
#include "settings.h"

namespace trevanor {

// Cuts a line at TABs `cuts` times; a cut that finds no TAB gives an empty
// piece. The text left after the cuts is the last element.
std::vector<std::string> cut_at_tabs(std::string_view line, int cuts);

// The 29 fields of a fleet report line: fields 0..27 cut to 255 characters,
// field 28 everything after the 28th TAB. Missing fields are empty.
std::vector<std::string> split_fleet_line(std::string_view line);
// The same into the first 29 cells of a row.
void split_fleet_line_into(std::string_view line, std::vector<std::string>& fields);

// The text before the first TAB; empty when there is none.
std::string_view first_field(std::string_view line);
// The heading line of a fleet report: its first field is "Fleet Name".
bool is_report_heading(std::string_view line);

// The position key of a fleet row: columns 1..30 each followed by a TAB, then column 0.
std::string position_key(const std::vector<std::string>& row);

// Fleet rows ordered by position: row numbers of the fleet table sorted by
// their position key (columns 1..30 each followed by a TAB, then column 0),
// compared case-insensitively; equal keys keep their table order.
std::vector<int> position_order(const TextTable& fleets, int first, int last);
// The same for the given rows; rows of equal keys keep the order given.
std::vector<int> position_order(const TextTable& fleets, const std::vector<int>& rows);

class Core {
public:
    Core(Session& session, Prompter& prompter, Settings& settings, WindowHooks& hooks);

    void read_MAP_file(const std::string& path);
    void read_fleet_file(const std::string& path);
    void fix_empty_destination(const std::string& fleetName);

    // Main window: creation, closing, the File and Options commands (after
    // their file dialogs), and the choice made in the own race window.
    void FormCreate();
    void FormClose();
    void open_map_file(const std::string& path);
    void open_new_map_file(const std::string& path);
    void open_recent_file(int k);
    void add_fleet_file(const std::string& path);
    void toggle_autoload_map();
    void toggle_fleetfile_autoload();
    void toggle_skip_conf();
    void set_own_race(const std::string& name);
    // The map window's creation: the MAP of a MAP change, or the last MAP.
    void map_FormCreate();

    void update_race_list();
    // The items of the map's route filter, "_All" first.
    std::vector<std::string> route_race_items() const;
    // A click on a player item ("_none_" included) of the Own Race submenu.
    void race_check(std::size_t item);  // index into main.ownRaceItems
    void none1Click();

    // Fills the position-sorted table with copies of the fleet rows in
    // position order and rebuilds the hidden sort list.
    void rebuild_position_table();
    // Fills the position-sorted table with copies of the rows of the hidden
    // sort list, in its order.
    void copy_sorted_rows();

private:
    Session& s_;
    Prompter& prompter_;
    Settings& settings_;
    WindowHooks& hooks_;
};

}  // namespace trevanor
