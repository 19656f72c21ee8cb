#include "report_format.h"

#include <algorithm>
#include <optional>

#include "numbers.h"

namespace trevanor {

std::vector<std::string> cut_at_tabs(std::string_view line, int cuts) {
    std::vector<std::string> pieces;
    pieces.reserve(static_cast<std::size_t>(cuts) + 1);
    std::size_t start = 0;
    for (int i = 0; i < cuts; ++i) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            pieces.emplace_back();
            continue;
        }
        pieces.emplace_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    pieces.emplace_back(line.substr(start));
    return pieces;
}

void split_fleet_line_into(std::string_view line, std::vector<std::string>& fields) {
    std::size_t start = 0;
    for (int k = 0; k < kReportFields - 1; ++k) {
        std::string& field = fields[static_cast<std::size_t>(k)];
        if (start > line.size()) {
            field.clear();
            continue;
        }
        const std::size_t tab = line.find('\t', start);
        const std::size_t end = tab == std::string_view::npos ? line.size() : tab;
        field.assign(line.substr(start, std::min(end - start, kCellLimit)));
        start = tab == std::string_view::npos ? line.size() + 1 : tab + 1;
    }
    if (start > line.size()) fields[kReportFields - 1].clear();
    else fields[kReportFields - 1].assign(line.substr(start));
}

std::vector<std::string> split_fleet_line(std::string_view line) {
    std::vector<std::string> fields(kReportFields);
    split_fleet_line_into(line, fields);
    return fields;
}

std::string_view first_field(std::string_view line) {
    const auto tab = line.find('\t');
    return tab == std::string_view::npos ? std::string_view() : line.substr(0, tab);
}

bool is_report_heading(std::string_view line) { return first_field(line) == "Fleet Name"; }

namespace {
bool line_end(char c) { return c == '\n' || c == '\r'; }
std::size_t fields_of(std::string_view line) { return static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t')) + 1; }
}  // namespace

std::string cut_report_reason(std::string_view bytes) {
    // Only the first and the last line are looked at: a large report is not cut into lines.
    const std::size_t headingEnd = std::min(bytes.find_first_of("\r\n"), bytes.size());
    std::size_t end = bytes.size();
    while (end > headingEnd && line_end(bytes[end - 1])) --end;
    if (end <= headingEnd) return {};  // the heading alone
    std::size_t start = end;
    while (start > headingEnd && !line_end(bytes[start - 1])) --start;
    const std::size_t heading = fields_of(bytes.substr(0, headingEnd));
    const std::size_t last = fields_of(bytes.substr(start, end - start));
    if (last >= heading) return {};
    return "its last line has " + std::to_string(last) + " of the heading's " + std::to_string(heading) + " fields";
}

bool ends_with_line_end(std::string_view bytes) { return bytes.empty() || line_end(bytes.back()); }

std::string cut_to_cell(std::string text) {
    if (text.size() > kCellLimit) text.resize(kCellLimit);
    return text;
}

namespace {
Destination unreadable(std::string_view piece) {
    Destination d;
    d.kind = Destination::Kind::Unreadable;
    d.bad = std::string(piece);
    return d;
}

// "Space (" then X in characters 8..11 and Y in 14..17.
Destination space_point(std::string_view cell) {
    const std::string_view xText = cell.substr(7, 4), yText = cell.size() > 13 ? cell.substr(13, 4) : std::string_view();
    const auto x = parse_int32(xText), y = parse_int32(yText);
    if (!x) return unreadable(xText);
    if (!y) return unreadable(yText);
    Destination d;
    d.kind = Destination::Kind::Point;
    d.x = *x;
    d.y = *y;
    return d;
}

// Two numbers H.V, each stored plus 127; without a "." both are the whole text.
Destination heading(std::string_view cell) {
    const auto dot = cell.find('.');
    const std::string_view hText = cell.substr(0, dot), vText = dot == std::string_view::npos ? cell : cell.substr(dot + 1);
    const auto h = parse_int32(hText), v = parse_int32(vText);
    if (!h) return unreadable(hText);
    if (!v) return unreadable(vText);
    Destination d;
    d.kind = Destination::Kind::Heading;
    d.x = std::int64_t{*h} - 127;
    d.y = std::int64_t{*v} - 127;
    d.dotted = dot != std::string_view::npos;
    return d;
}
}  // namespace

Destination parse_destination(std::string_view cell, bool ownFleet) {
    if (cell.empty() || cell == "0.0") return {};
    if (!ownFleet) return heading(cell);
    if (cell.find("Space (") != std::string_view::npos) return space_point(cell);
    Destination d;
    const bool special = cell == "Wormhole" || cell == "Salvage " || cell == "-- " || cell == "Mystery Trader";
    d.kind = special ? Destination::Kind::Special : Destination::Kind::Place;
    return d;
}

int warp_of(std::string_view cell) {
    if (cell == "SG") return kStargateWarp;
    return parse_int32(cell).value_or(0);
}

}  // namespace trevanor
