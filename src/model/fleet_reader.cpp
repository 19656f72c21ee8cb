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

std::vector<std::string> split_fleet_line(std::string_view line) {
    std::vector<std::string> fields(kReportFields);
    std::size_t start = 0;
    for (int k = 0; k < kReportFields - 1; ++k) {
        const std::size_t tab = line.find('\t', start);
        const std::size_t end = tab == std::string_view::npos ? line.size() : tab;
        fields[static_cast<std::size_t>(k)].assign(line.substr(start, std::min(end - start, kCellLimit)));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
    fields[kReportFields - 1].assign(line.substr(start));
    return fields;
}

std::vector<int> position_order(const TextTable& fleets, int first, int last, std::vector<std::string>* keys) {
    const int count = std::max(last - first + 1, 0);
    std::vector<std::string> text(static_cast<std::size_t>(count));
    std::vector<std::string> lower(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const auto& row = fleets.row(first + i);
        std::string& key = text[static_cast<std::size_t>(i)];
        std::size_t size = row[0].size();
        for (int c = 1; c < kFleetColumns; ++c) size += row[static_cast<std::size_t>(c)].size() + 1;
        key.reserve(size);
        for (int c = 1; c < kFleetColumns; ++c) {
            key += row[static_cast<std::size_t>(c)];
            key += '\t';
        }
        key += row[0];
        lower[static_cast<std::size_t>(i)] = to_lower(key);
    }
    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return lower[static_cast<std::size_t>(a)] < lower[static_cast<std::size_t>(b)];
    });
    if (keys) {
        keys->clear();
        keys->reserve(order.size());
        for (int i : order) keys->push_back(std::move(text[static_cast<std::size_t>(i)]));
    }
    for (int& i : order) i += first;
    return order;
}

void Core::rebuild_position_table() {
    const TextTable& fleets = s_.fleets;
    const std::vector<int> order = position_order(fleets, 1, fleets.lastRow(), &s_.sortList);
    TextTable& pos = s_.fleetsByPos;
    pos.row(0) = fleets.row(0);
    pos.setRowCount(static_cast<int>(order.size()) + 1);
    for (std::size_t e = 0; e < order.size(); ++e) pos.row(static_cast<int>(e) + 1) = fleets.row(order[e]);
}

void Core::read_fleet_file(const std::string& path) {
    const std::string bytes = read_file_bytes(path);
    const std::vector<std::string_view> lines = split_lines(bytes);
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
        auto fields = split_fleet_line(lines[r]);
        auto& row = fleets.row(static_cast<int>(r));
        std::string id = retrieve_fleet_Id(fields[0]);
        if (id.empty()) idMissing = true;
        row[col::Id] = std::move(id);
        for (int c = 0; c < kReportFields; ++c) row[static_cast<std::size_t>(c)] = std::move(fields[static_cast<std::size_t>(c)]);
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
