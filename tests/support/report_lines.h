#pragma once
// Fleet report text for tests: a line of 29 TAB-separated fields given by
// column, and a heading line.

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace trevanor::test {

// A fleet report line of 29 fields (no line end); `fields` gives the cells by column.
inline std::string fleet_line(std::initializer_list<std::pair<int, std::string>> fields) {
    std::vector<std::string> cells(29);
    for (const auto& [c, text] : fields) cells[static_cast<std::size_t>(c)] = text;
    std::string line;
    for (std::size_t c = 0; c < cells.size(); ++c) line += (c ? "\t" : "") + cells[c];
    return line;
}

// A report's first line: "Fleet Name" and 28 more headings.
inline const std::string kFleetHeading = [] {
    std::string h = "Fleet Name";
    for (int c = 1; c < 29; ++c) h += "\tH" + std::to_string(c);
    return h;
}();

}  // namespace trevanor::test
