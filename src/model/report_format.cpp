#include "report_format.h"

#include <algorithm>

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

std::string cut_to_cell(std::string text) {
    if (text.size() > kCellLimit) text.resize(kCellLimit);
    return text;
}

}  // namespace trevanor
