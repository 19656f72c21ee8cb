#include <algorithm>
#include <numeric>

#include "core.h"
#include "errors.h"
#include "file_lines.h"
#include "identities.h"
#include "text_util.h"

namespace trevanor {


namespace {
constexpr std::size_t kCellLimit = 255;
constexpr int kReportFields = 29;

std::string cut255(std::string text) {
    if (text.size() > kCellLimit) text.resize(kCellLimit);
    return text;
}
}  // namespace

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

std::string_view first_field(std::string_view line) {
    const auto tab = line.find('\t');
    return tab == std::string_view::npos ? std::string_view() : line.substr(0, tab);
}

bool is_report_heading(std::string_view line) { return first_field(line) == "Fleet Name"; }

std::vector<std::string> split_fleet_line(std::string_view line) {
    std::vector<std::string> fields(kReportFields);
    split_fleet_line_into(line, fields);
    return fields;
}

std::string position_key(const std::vector<std::string>& row) {
    std::string key;
    std::size_t size = row[0].size();
    for (int c = 1; c < kFleetColumns; ++c) size += row[static_cast<std::size_t>(c)].size() + 1;
    key.reserve(size);
    for (int c = 1; c < kFleetColumns; ++c) {
        key += row[static_cast<std::size_t>(c)];
        key += '\t';
    }
    key += row[0];
    return key;
}

std::vector<int> position_order(const TextTable& fleets, int first, int last) {
    std::vector<int> rows;
    for (int r = first; r <= last; ++r) rows.push_back(r);
    return position_order(fleets, rows);
}

std::vector<int> position_order(const TextTable& fleets, const std::vector<int>& rows) {
    // All lower-cased keys in one buffer: comparisons then read memory in
    // sequence instead of chasing the cells of two rows. The first eight
    // bytes of each key, as a number that orders like the bytes, settle most
    // comparisons on their own.
    struct Item {
        std::uint64_t prefix;
        std::size_t offset, size;
        int row;
    };
    std::size_t total = 0;
    for (const int r : rows)
        for (const auto& cell : fleets.row(r)) total += cell.size() + 1;
    std::string buffer;
    buffer.reserve(total);
    std::vector<Item> items;
    items.reserve(rows.size());
    for (const int r : rows) {
        const auto& row = fleets.row(r);
        const std::size_t offset = buffer.size();
        const auto append = [&](const std::string& cell) {
            const std::size_t at = buffer.size();
            buffer.append(cell);
            for (std::size_t i = at; i < buffer.size(); ++i)
                buffer[i] = static_cast<char>(lower_byte(static_cast<unsigned char>(buffer[i])));
        };
        for (int c = 1; c < kFleetColumns; ++c) {
            append(row[static_cast<std::size_t>(c)]);
            buffer.push_back('\t');
        }
        append(row[0]);
        const std::size_t size = buffer.size() - offset;
        std::uint64_t prefix = 0;
        for (std::size_t i = 0; i < 8; ++i)
            prefix = (prefix << 8) | (i < size ? static_cast<unsigned char>(buffer[offset + i]) : 0u);
        items.push_back({prefix, offset, size, r});
    }
    const std::string_view all(buffer);
    std::stable_sort(items.begin(), items.end(), [&](const Item& x, const Item& y) {
        if (x.prefix != y.prefix) return x.prefix < y.prefix;
        return all.substr(x.offset, x.size) < all.substr(y.offset, y.size);
    });
    std::vector<int> order;
    order.reserve(items.size());
    for (const Item& item : items) order.push_back(item.row);
    return order;
}

void Core::rebuild_position_table() {
    s_.sortList = position_order(s_.fleets, 1, s_.fleets.lastRow());
    copy_sorted_rows();
}

void Core::copy_sorted_rows() {
    const TextTable& fleets = s_.fleets;
    // Copy the rows in table order (memory read in sequence), then move them
    // into position order, which moves only the rows' handles.
    std::vector<std::vector<std::string>> copy = fleets.rows();
    std::vector<std::vector<std::string>> rows;
    rows.reserve(s_.sortList.size() + 1);
    rows.push_back(std::move(copy[0]));
    for (const int r : s_.sortList) rows.push_back(std::move(copy[static_cast<std::size_t>(r)]));
    s_.fleetsByPos.assignRows(std::move(rows));
}

void Core::read_fleet_file(const std::string& path) {
    const std::string bytes = read_file_bytes(path);
    const std::vector<std::string_view> lines = split_lines(bytes);
    // A MAP or any other file would give a table of nonsense "fleets".
    if (!is_report_heading(lines[0]))
        throw FileError("File \"" + shown_path(path) +
                        "\" is not a fleet report: its first line does not begin with \"Fleet Name\". Nothing was read.");
    TextTable& fleets = s_.fleets;
    // Rows a read that stopped before may have left must not mix with these.
    fleets.reset();
    s_.fleetsByPos.reset();

    auto heading = cut_at_tabs(lines[0], kReportFields);
    for (int c = 0; c < kReportFields - 1; ++c) fleets.setCell(c, 0, cut255(std::move(heading[static_cast<std::size_t>(c)])));
    fleets.setCell(kReportFields - 1, 0, std::move(heading[kReportFields]));
    fleets.setCell(col::Id, 0, "ID #");
    fleets.setCell(col::UniqueName, 0, "Unique name");
    bool idMissing = false;

    const std::size_t read = std::min(lines.size(), static_cast<std::size_t>(TextTable::kMaxRows));
    fleets.setRowCount(static_cast<int>(std::max<std::size_t>(read, 2)));
    for (std::size_t r = 1; r < read; ++r) {
        auto& row = fleets.row(static_cast<int>(r));
        split_fleet_line_into(lines[r], row);
        row[col::Id] = retrieve_fleet_Id(row[col::Name]);
        if (row[col::Id].empty()) idMissing = true;
    }
    if (read < lines.size()) throw TableLimitError::forFile(path);

    s_.First_report_path = path;
    s_.main.caption += " + " + file_name_part(path);
    s_.main.FleetStatistics1.enabled = true;

    const int last = fleets.lastRow();
    for (int r = 1; r <= last; ++r) fleets.row(r)[col::UniqueName] = fleets.cell(col::Name, r);
    if (idMissing) interpole_id_and_unique_names(fleets, 1, last, prompter_);

    rebuild_position_table();
    std::vector<std::string> places, names;
    places.reserve(static_cast<std::size_t>(last));
    names.reserve(static_cast<std::size_t>(last));
    for (int r = 1; r <= last; ++r) {
        places.push_back("!" + fleets.cell(col::UniqueName, r));
        names.push_back(fleets.cell(col::UniqueName, r));
    }
    s_.addPlaces(std::move(places));
    s_.mapFleetList.addAll(std::move(names));

    // Race names of the players: the first word of their fleets' names.
    if (!fleets.cell(col::X, 1).empty()) {
        std::string previous;
        for (int r = 1; r <= last; ++r) {
            std::string word = fleets.cell(col::Name, r);
            const auto blank = word.find(' ');
            if (blank != std::string::npos) word.erase(blank, 45);
            if (word == previous) continue;
            previous = word;
            const int p = to_int_def(fleets.cell(col::Owner, r), 0);
            if (p < 1 || p > kPlayers) continue;
            Player& player = s_.Players[static_cast<std::size_t>(p)];
            player.Name = std::string(left(word, 30));
            player.Number = static_cast<std::uint8_t>(p);
        }
    }

    if (!validate_fleet_vs_planets(fleets, s_.planets, 0)) prompter_.warning("Fleet file does not seem to match MAP file!");
    index_fleet_gr(fleets, s_.Fleet_index);
}

void Core::fix_empty_destination(const std::string& fleetName) {
    const auto findEmpty = [&](const TextTable& table) {
        for (int r = 1; r <= table.lastRow(); ++r)
            if (table.cell(col::Name, r) == fleetName && table.cell(col::Destination, r).empty()) return r;
        return 0;
    };
    const int n = findEmpty(s_.fleets);
    if (n == 0) {
        prompter_.message("Empty Destination not found in Fleet_GR. Please report to program author.");
        return;
    }
    s_.fleets.setCell(col::Destination, n, "0.0");
    prompter_.message("Fleet report(s) has an error. At line of " + fleetName + " fleet (line no " + std::to_string(n) +
                      " in Fleet Report) \"Destination\" column contains illegal data.\r"
                      "Program will fill it in with \"0.0.\" (no move)\r"
                      "It looks like this type of error happens at times during fleet report generatation by Kelvra.");
    const int m = findEmpty(s_.fleetsByPos);
    if (m == 0) {
        prompter_.message("Empty Destination not found in Fleet_pos_sort_GR. Please report to program author.");
        return;
    }
    s_.fleetsByPos.setCell(col::Destination, m, "0.0");
}

}  // namespace trevanor
