#include "fleet_report_reader.h"

#include <algorithm>

#include "errors.h"
#include "files.h"
#include "identities.h"
#include "numbers.h"
#include "position_order.h"
#include "report_format.h"
#include "text.h"

namespace trevanor {

bool report_file_acceptable(const std::string& path, Prompter& prompter) {
    if (!file_exists(path)) {
        prompter.error("File" + shown_path(path) + " does not exist!");
        return false;
    }
    if (to_lower(left(file_extension(path), 4)) == ".fle") {
        prompter.error("FLE files are not supported in this program!");
        return false;
    }
    return true;
}

int report_player(const std::string& path) {
    const std::string extension(left(file_extension(path), 4));
    const int player = extension.size() > 2 ? to_int_def(extension.substr(2), 0) : 0;
    return player >= 1 && player <= kPlayers ? player : 0;
}

std::string report_not_whole(const std::string& path, std::string_view bytes) {
    const std::string why = cut_report_reason(bytes);
    if (why.empty()) return {};
    return "The report \"" + shown_path(path) + "\" is not whole: " + why + ". The game may still be writing it.";
}

FleetReportReader::FleetReportReader(Session& session, Prompter& prompter) : s_(session), prompter_(prompter) {}

bool FleetReportReader::read_rows(const std::string& path) {
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

    // The heading is cut once more than a line: a 30th heading and what
    // follows it land in column 28.
    auto heading = cut_at_tabs(lines[0], kReportFields);
    for (int c = 0; c < kReportFields - 1; ++c)
        fleets.setCell(c, 0, cut_to_cell(std::move(heading[static_cast<std::size_t>(c)])));
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
    return idMissing;
}

void FleetReportReader::read(const std::string& path) {
    s_.reads = {s_.reads.map, {}, {}, s_.reads.revision + 1};
    const bool idMissing = read_rows(path);
    s_.First_report_path = path;
    s_.reads.firstReport = path;
    ++s_.reads.revision;
    s_.main.caption += " + " + file_name_part(path);
    s_.main.FleetStatistics1.enabled = true;

    TextTable& fleets = s_.fleets;
    const int last = fleets.lastRow();
    for (int r = 1; r <= last; ++r) fleets.row(r)[col::UniqueName] = fleets.cell(col::Name, r);
    if (idMissing) interpole_id_and_unique_names(fleets, 1, last, prompter_);

    rebuild_position_table(s_);
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(last));
    for (int r = 1; r <= last; ++r) names.push_back(fleets.cell(col::UniqueName, r));
    s_.listFleets(std::move(names));

    set_player_names();
    if (!validate_fleet_vs_planets(fleets, s_.planets, 0)) prompter_.warning("Fleet file does not seem to match MAP file!");
    index_fleet_gr(fleets, s_.Fleet_index);
}

void FleetReportReader::set_player_names() {
    const TextTable& fleets = s_.fleets;
    if (fleets.cell(col::X, 1).empty()) return;
    std::string previous;
    for (int r = 1; r <= fleets.lastRow(); ++r) {
        // The word before the first blank: the 45 characters from the blank go.
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

void FleetReportReader::fix_empty_destination(const std::string& fleetName) {
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
