#pragma once
// The fleet report reader: the first report read for a MAP (normally the
// user's own) builds the fleet table and its position-sorted copy, with IDs,
// unique names, the players' race names and the fleet index. Also the repair
// of an empty destination, which the map and the particulars ask for.

#include <string>
#include <string_view>

#include "prompter.h"
#include "session.h"

namespace trevanor {

// The checks of a chosen report file before it is read: it must exist, and
// files whose extension begins with ".fle" are refused. Each refusal shows
// its error box; true when the file may be read.
bool report_file_acceptable(const std::string& path, Prompter& prompter);

// The player whose report a file is, by its extension (".F4": 4); 0 when the
// extension names no player.
int report_player(const std::string& path);

// A report the game is still writing (see cut_report_reason), as a message:
// "The report "DEMO.F1" is not whole: its last line has 2 of the heading's
// 29 fields. The game may still be writing it." Empty when it is whole.
std::string report_not_whole(const std::string& path, std::string_view bytes);

class FleetReportReader {
public:
    FleetReportReader(Session& session, Prompter& prompter);

    // Reads a first report into the fleet tables. A file that is not a fleet
    // report is refused before anything changes; a file with more lines than
    // a table holds stops with the rows read so far and nothing derived.
    // Errors are thrown.
    void read(const std::string& path);

    // Puts "0.0" into the first empty destination of the named fleet in both
    // fleet tables, and tells the user.
    void fix_empty_destination(const std::string& fleetName);

private:
    // The heading and the fleet lines into the fleet table; true when some
    // name gave no ID.
    bool read_rows(const std::string& path);
    // Race names of the players: the first word of their fleets' names.
    void set_player_names();

    Session& s_;
    Prompter& prompter_;
};

}  // namespace trevanor
