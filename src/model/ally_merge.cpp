#include "ally_merge.h"

#include <algorithm>

#include "errors.h"
#include "files.h"
#include "fleet_report_reader.h"
#include "identities.h"
#include "numbers.h"
#include "own_race.h"
#include "players.h"
#include "position_order.h"
#include "report_format.h"
#include "text.h"

namespace trevanor {

AllyMerge::AllyMerge(Session& session, Prompter& prompter, WindowHooks& hooks)
    : s_(session), prompter_(prompter), hooks_(hooks) {}

void AllyMerge::setStatus(const std::string& text) {
    lastStatus = text;
    if (progress.status) progress.status(text);
}

void AllyMerge::setBar(int position, int maximum) {
    if (progress.bar) progress.bar(position, maximum);
}

bool AllyMerge::may_load(const MergeOptions& options) {
    const bool accepted = std::any_of(s_.acceptedReportOwners.begin(), s_.acceptedReportOwners.end(),
                                      [&](const std::string& o) { return equal_ci(o, options.reportOwner); });
    if (!accepted || options.ignoreOwner || options.deleteMode) return true;
    prompter_.message(
        "It is not allowed to load report more then once from the same report owner and accepting its fleet data.\r"
        "Choose \"ignore report owner' fleet\", \"delete current fleets of report owner\" or  change report owner.");
    return false;
}

bool AllyMerge::load_report(const std::string& path, const MergeOptions& options) {
    if (!report_file_acceptable(path, prompter_)) return false;
    // A merge that stops half-way leaves everything as it was before it began.
    Session before = s_;
    const TextTable stagingBefore = staging;
    try {
        staging.setRowCount(1);
        read_ally_fleet_file(path, options);
    } catch (const std::exception& e) {
        s_ = std::move(before);
        staging = stagingBefore;
        throw MergeError(std::string(e.what()) + "\rThe report \"" + shown_path(file_name_part(path)) +
                         "\" was not merged; nothing has changed.");
    }
    s_.reads.allies.push_back({path, options});
    ++s_.reads.revision;
    if (!options.ignoreOwner) {
        const std::string owner(left(options.reportOwner, kCellLimit));
        if (std::find(s_.acceptedReportOwners.begin(), s_.acceptedReportOwners.end(), owner) ==
            s_.acceptedReportOwners.end()) {
            s_.acceptedReportOwners.push_back(owner);
            hooks_.refresh_route_race();
        }
    }
    return true;
}

// --- finding fleets -------------------------------------------------------

namespace {
std::string id_owner_key(const std::string& id, const std::string& owner) { return id + '\t' + owner; }

void insert_sorted(std::vector<int>& rows, int row) { rows.insert(std::lower_bound(rows.begin(), rows.end(), row), row); }

// The first row of an ascending list within first..last, or 0.
int first_within(const std::vector<int>* rows, int first, int last) {
    if (!rows) return 0;
    const auto it = std::lower_bound(rows->begin(), rows->end(), first);
    return it != rows->end() && *it <= last ? *it : 0;
}
}  // namespace

void AllyMerge::Finder::build(const TextTable& fleets) {
    byName.clear();
    byIdOwner.clear();
    for (int r = 1; r <= fleets.lastRow(); ++r) add(fleets, r);
}

void AllyMerge::Finder::add(const TextTable& fleets, int row) {
    const std::string& name = fleets.cell(col::Name, row);
    insert_sorted(byName[name], row);
    const std::string& id = fleets.cell(col::Id, row);
    if (!id.empty()) insert_sorted(byIdOwner[id_owner_key(id, owner_word(name))], row);
}

void AllyMerge::Finder::remove(const TextTable& fleets, int row) {
    const auto drop = [row](std::unordered_map<std::string, std::vector<int>>& map, const std::string& key) {
        const auto it = map.find(key);
        if (it != map.end()) std::erase(it->second, row);
    };
    const std::string& name = fleets.cell(col::Name, row);
    drop(byName, name);
    drop(byIdOwner, id_owner_key(fleets.cell(col::Id, row), owner_word(name)));
}

int AllyMerge::Finder::find(const std::string& name, const std::string& id, const std::string& owner, int first,
                             int last) const {
    const auto within = [&](const auto& map, const std::string& key) {
        const auto it = map.find(key);
        return it == map.end() ? 0 : first_within(&it->second, first, last);
    };
    const auto earlier = [](int a, int b) { return a == 0 ? b : b == 0 ? a : std::min(a, b); };
    if (!id.empty()) return earlier(within(byName, name), within(byIdOwner, id_owner_key(id, owner)));
    // A fleet without an ID is known by its name alone, in any of the forms a
    // merge gives it: added ("*"), upgraded ("(*)"), or both.
    int row = 0;
    for (const char* mark : {"", "*", "(*)", "*(*)"}) row = earlier(row, within(byName, name + mark));
    return row;
}

int AllyMerge::search(const Finder& finder, const std::string& name, const std::string& owner,
                       bool& unlistedOwner) const {
    const std::string id = retrieve_fleet_Id(name);
    const int p = player_index_of(s_, owner);
    if (p == 0) unlistedOwner = true;
    const int last = s_.fleets.lastRow();
    const auto inEntry = [&](int entry) {
        const FleetIndexEntry& e = s_.Fleet_index[static_cast<std::size_t>(entry)];
        return e.First_row == 0 ? 0 : finder.find(name, id, owner, e.First_row, std::min<int>(e.Last_row, last));
    };
    const int inOwnerBlock = p == 0 ? 0 : inEntry(p);
    return inOwnerBlock != 0 ? inOwnerBlock : inEntry(kTrailingEntry);
}

// --- the merge ------------------------------------------------------------

namespace {
constexpr int kDetailColumns[] = {col::Scan, col::PenScan, col::Mining, col::Sweep, col::Minelaying, col::Terraforming};

// A detail value; a missing (empty) one counts as 0.
std::int64_t detail(const std::string& text) { return text.empty() ? 0 : to_int64(text); }
}  // namespace

void AllyMerge::read_ally_fleet_file(const std::string& path, const MergeOptions& options) {
    counts = {};
    const bool deleteMode = options.deleteMode && !options.ignoreOwner;
    const std::string bytes = read_file_bytes(path);
    std::vector<std::string_view> lines;
    if (!bytes.empty()) lines = split_lines(bytes);
    setBar(0, static_cast<int>(lines.size()));
    if (deleteMode) {
        setStatus("Deleting report owner fleets from present fleet reports.");
        counts.deleted = delete_owner_fleets(options.reportOwner);
    }
    const int base = s_.fleets.lastRow();

    Pass pass;
    pass.finder.build(s_.fleets);
    staging.setRowCount(1);
    process_lines(lines, path, options, deleteMode, pass);

    setStatus("Appending new entries.");
    append_staged(pass, base);
    setStatus("ID retrieving and creating unique names");
    if (pass.idMissing && counts.added > 0)
        interpole_id_and_unique_names(s_.fleets, base + 1, base + counts.added, prompter_);
    setStatus("Fleet lists updating.");
    update_fleet_lists(base, deleteMode || counts.replaced > 0);
    extend_trailing_block(base);
    if (pass.unlistedOwner) register_new_players();

    setStatus(summary(options, deleteMode));
    if (!validate_fleet_vs_planets(s_.fleets, s_.planets, base))
        prompter_.warning("Fleet file does not seem to match MAP file!");
    if (counts.added > 0) s_.main.caption += " + " + file_name_part(path);
}

void AllyMerge::process_lines(const std::vector<std::string_view>& lines, const std::string& path,
                              const MergeOptions& options, bool deleteMode, Pass& pass) {
    // Without its heading the report's first line is a fleet.
    const std::size_t first = !lines.empty() && is_report_heading(lines[0]) ? 1 : 0;
    std::vector<std::string> fields(kFleetColumns);
    for (std::size_t next = first; next < lines.size(); ++next) {
        // An empty line (an extra line break at the end, say) is no fleet.
        if (lines[next].empty()) continue;
        ++counts.processed;
        setBar(counts.processed, static_cast<int>(lines.size()));
        setStatus("Report processing - line " + std::to_string(counts.processed));
        split_fleet_line_into(lines[next], fields);
        const std::string owner = owner_word(fields[col::Name]);
        if (options.ignoreOwn && owner == s_.Own_race_name) continue;
        if (options.ignoreOwner && owner == options.reportOwner) continue;
        int match = 0;
        if (!(deleteMode && owner == options.reportOwner))
            match = search(pass.finder, fields[col::Name], owner, pass.unlistedOwner);
        if (match == 0) {
            stage_fleet(fields, pass);
        } else if (options.allowOverwrite && owner != options.reportOwner) {
            try {
                consider_upgrade(match, fields, pass);
            } catch (const ConversionError& e) {
                throw ConversionError("File \"" + shown_path(file_name_part(path)) + "\", line " +
                                      std::to_string(next + 1) + ": " + e.what());
            }
        }
    }
}

void AllyMerge::stage_fleet(std::vector<std::string>& fields, Pass& pass) {
    ++counts.added;
    std::vector<std::string> row(kFleetColumns);
    row[col::Id] = retrieve_fleet_Id(fields[col::Name]);
    if (row[col::Id].empty()) pass.idMissing = true;
    row[col::Name] = fields[col::Name] + "*";
    for (int c = 1; c < kReportFields; ++c) row[static_cast<std::size_t>(c)] = std::move(fields[static_cast<std::size_t>(c)]);
    pass.staged.push_back(std::move(row));
}

// Upgrades a row that has none of the detail values from a line that has some.
void AllyMerge::consider_upgrade(int row, const std::vector<std::string>& fields, Pass& pass) {
    TextTable& fleets = s_.fleets;
    for (const int c : kDetailColumns)
        if (detail(fleets.cell(c, row)) != 0) return;
    bool lineHasDetails = false;
    for (const int c : kDetailColumns) lineHasDetails = lineHasDetails || detail(fields[static_cast<std::size_t>(c)]) != 0;
    if (!lineHasDetails) return;
    ++counts.replaced;
    pass.finder.remove(fleets, row);
    auto& cells = fleets.row(row);
    cells[col::Name] += "(*)";
    // The last field, the ID and the unique name stay as they were.
    for (int c = 1; c < kReportFields - 1; ++c) cells[static_cast<std::size_t>(c)] = fields[static_cast<std::size_t>(c)];
    pass.finder.add(fleets, row);
}

void AllyMerge::append_staged(const Pass& pass, int base) {
    TextTable& fleets = s_.fleets;
    if (static_cast<std::size_t>(fleets.rowCount()) + pass.staged.size() > static_cast<std::size_t>(TextTable::kMaxRows))
        throw TableLimitError("The fleet table cannot hold the " + std::to_string(pass.staged.size()) +
                              " fleets of this report: a table holds at most 65535 rows.");
    staging.setRowCount(static_cast<int>(pass.staged.size()) + 1);
    for (std::size_t j = 0; j < pass.staged.size(); ++j) staging.row(static_cast<int>(j) + 1) = pass.staged[j];
    fleets.setRowCount(base + 1 + counts.added);
    for (int j = 1; j <= counts.added; ++j) {
        auto& row = fleets.row(base + j);
        row = staging.row(j);
        row[col::UniqueName] = row[col::Name];
    }
}

// Every row is listed again after deletions or upgrades; otherwise the new rows join the lists.
void AllyMerge::update_fleet_lists(int base, bool everyRow) {
    const TextTable& fleets = s_.fleets;
    std::vector<int> listed;
    if (everyRow) {
        s_.sortList.clear();
        s_.unlistFleets();
        for (int r = 1; r <= fleets.lastRow(); ++r) listed.push_back(r);
    } else {
        for (int r = base + 1; r <= base + counts.added; ++r) listed.push_back(r);
    }
    if (listed.empty()) return;
    const int n = static_cast<int>(listed.size());
    std::vector<std::string> names;
    names.reserve(listed.size());
    for (int k = 1; k <= n; ++k) {
        setBar(k, n);
        setStatus("Fleet lists updating (" + std::to_string(k) + " out of " + std::to_string(n) + ")");
        names.push_back(fleets.cell(col::UniqueName, listed[static_cast<std::size_t>(k - 1)]));
    }
    s_.listFleets(std::move(names));
    // The list keeps its order; new keys join it, after the equal ones already there.
    std::vector<int> all = s_.sortList;
    all.insert(all.end(), listed.begin(), listed.end());
    s_.sortList = position_order(fleets, all);
    copy_sorted_rows(s_);
}

void AllyMerge::extend_trailing_block(int base) {
    if (counts.added == 0) return;
    FleetIndexEntry& trailing = s_.Fleet_index[kTrailingEntry];
    if (trailing.First_row == 0) trailing.First_row = static_cast<std::uint16_t>(base + 1);
    trailing.Last_row = static_cast<std::uint16_t>(s_.fleets.lastRow());
}

void AllyMerge::register_new_players() {
    setStatus("Searching for new \"blank\" players");
    bool newBlackPlayer = false;
    for (int j = 1; j <= counts.added; ++j) {
        const int n = to_int_def(staging.cell(col::Owner, j), 0);
        if (n < 1 || n > kPlayers) continue;  // no player of the game
        bool known = false;
        for (int p = 1; p <= kPlayers; ++p) known = known || s_.Players[static_cast<std::size_t>(p)].Number == n;
        if (known) continue;
        Player& player = s_.Players[static_cast<std::size_t>(n)];
        player.Name = std::string(left(owner_word(staging.cell(col::Name, j)), 30));
        player.Number = static_cast<std::uint8_t>(n);
        if (player.Color == 0) newBlackPlayer = true;
    }
    update_race_list(s_);
    hooks_.refresh_route_race();
    if (!newBlackPlayer) return;
    hooks_.show_player_colors();
    prompter_.message(
        "One or more new players found in this report, whose colors have not been set yet. Please select its "
        "color (the player's color is black now.");
}

std::string AllyMerge::summary(const MergeOptions& options, bool deleteMode) const {
    std::string text;
    if (deleteMode) text += std::to_string(counts.deleted) + " fleet(s) deleted. ";
    if (options.allowOverwrite) text += std::to_string(counts.replaced) + " fleets replaced. ";
    return text + std::to_string(counts.added) + " fleet(s) added out of " + std::to_string(counts.processed) +
           " processed.";
}

int AllyMerge::delete_owner_fleets(const std::string& raceName) {
    const int p = player_index_of(s_, raceName);
    if (p == 0) {
        prompter_.message("No record of " + raceName + " found. No record will be deleted.");
        return 0;
    }
    TextTable& fleets = s_.fleets;
    auto rows = fleets.rows();
    FleetIndexEntry& own = s_.Fleet_index[static_cast<std::size_t>(p)];
    FleetIndexEntry& trailing = s_.Fleet_index[kTrailingEntry];
    const int last = static_cast<int>(rows.size()) - 1;
    int removed = 0;
    if (own.Last_row != 0 && own.First_row != 0 && own.First_row <= last) {
        const int from = own.First_row, to = std::min<int>(own.Last_row, last);
        const int k = to - from + 1;
        rows.erase(rows.begin() + from, rows.begin() + to + 1);
        removed += k;
        // The appended part moves up with the rows after the block.
        if (trailing.First_row > to) {
            trailing.First_row = static_cast<std::uint16_t>(trailing.First_row - k);
            trailing.Last_row = static_cast<std::uint16_t>(std::max<int>(trailing.Last_row - k, trailing.First_row));
        }
    }
    if (trailing.First_row != 0) {
        const std::string number = std::to_string(p);
        const auto begin = rows.begin() + std::min<std::size_t>(trailing.First_row, rows.size());
        const auto kept = std::stable_partition(begin, rows.end(), [&](const auto& row) { return row[col::Owner] != number; });
        const int gone = static_cast<int>(rows.end() - kept);
        rows.erase(kept, rows.end());
        removed += gone;
        const int newLast = static_cast<int>(rows.size()) - 1;
        if (trailing.First_row > newLast) trailing = {};
        else trailing.Last_row = static_cast<std::uint16_t>(newLast);
    }
    if (rows.size() < 2) rows.resize(2, std::vector<std::string>(kFleetColumns));
    fleets.assignRows(std::move(rows));
    index_fleet_gr(fleets, s_.Fleet_index);
    s_.Fleet_index[static_cast<std::size_t>(p)] = {};
    return removed;
}

}  // namespace trevanor
