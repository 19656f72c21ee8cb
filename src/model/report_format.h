#pragma once
// The text formats of the game's files. A MAP line is cut at its first three
// TABs into planet number, X, Y and name. A fleet report line holds 29
// TAB-separated fields; a report's heading line begins with "Fleet Name".

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trevanor {

constexpr int kReportFields = 29;
// Report fields before the last one are cut to this many characters.
constexpr std::size_t kCellLimit = 255;

// Cuts a line at TABs `cuts` times; a cut that finds no TAB gives an empty
// piece. The text left after the cuts is the last element.
std::vector<std::string> cut_at_tabs(std::string_view line, int cuts);

// The four fields of a MAP line.
inline std::vector<std::string> split_map_line(std::string_view line) { return cut_at_tabs(line, 3); }

// The 29 fields of a fleet report line: fields 0..27 cut to kCellLimit
// characters, field 28 everything after the 28th TAB. Missing fields are empty.
std::vector<std::string> split_fleet_line(std::string_view line);
// The same into the first 29 cells of a row.
void split_fleet_line_into(std::string_view line, std::vector<std::string>& fields);

// The text before the first TAB; empty when there is none.
std::string_view first_field(std::string_view line);
// The heading line of a fleet report: its first field is "Fleet Name".
bool is_report_heading(std::string_view line);

// A report the game is still writing: its last line (empty lines at the end
// aside) has fewer TAB-separated fields than its heading line. Empty when
// the report is whole, else why not: "its last line has 2 of the heading's
// 29 fields". A report without a line end after its last line is whole when
// that line has all its fields.
std::string cut_report_reason(std::string_view bytes);
// True when the bytes end with a line end (LF or CR), or are empty.
bool ends_with_line_end(std::string_view bytes);

// A text cut to kCellLimit characters.
std::string cut_to_cell(std::string text);

// What a fleet's destination cell says. An own fleet (its task is known)
// names where it goes; a foreign fleet's cell holds only its heading.
struct Destination {
    enum class Kind {
        NoMove,      // empty, or the "0.0" that the repair of an empty cell writes
        Place,       // a planet, or a fleet by its unique name with or without its race word
        Point,       // "Space (XXXX, YYYY)"
        Special,     // "Wormhole", "Salvage ", "-- ", "Mystery Trader": nowhere to draw
        Heading,     // "H.V", each number stored plus 127
        Unreadable,  // a point or a heading whose numbers are not numbers
    };
    Kind kind = Kind::NoMove;
    std::int64_t x = 0, y = 0;  // Point: where; Heading: the direction, dx and dy
    bool dotted = true;         // Heading: the two numbers were joined by "."; else both are the whole text
    std::string bad;            // Unreadable: the piece that is no number
};
Destination parse_destination(std::string_view cell, bool ownFleet);

// The stargate's warp: "SG" in a report, and 11 where a warp is a number.
constexpr int kStargateWarp = 11;
// A warp cell as a number: "SG" is the stargate, a text that is no number 0.
int warp_of(std::string_view cell);

}  // namespace trevanor
