#include "identities.h"

#include <algorithm>
#include <numeric>
#include <unordered_set>
#include <vector>

#include "numbers.h"
#include "text.h"

namespace trevanor {

std::string retrieve_fleet_Id(std::string_view name) {
    const auto hash = name.rfind('#');
    if (hash == std::string_view::npos) return {};
    const std::string_view text = name.substr(hash + 1);
    if (text.size() > 3) return {};
    const auto value = parse_int(text);
    if (!value || *value > kHighestId) return {};
    return std::string(text);
}

namespace {

// An ID cell as a number; 0 when empty (or, defensively, not a number).
int id_value(const TextTable& fleets, int row) { return to_int_def(fleets.cell(col::Id, row), 0); }

bool has_id(const TextTable& fleets, int row) { return !fleets.cell(col::Id, row).empty(); }

// Fills IDs into rows that lie between numbered neighbours, and numbers the
// top of the block when the first numbered row's ID equals its row number.
void fill_missing_ids(TextTable& fleets, int b, int E) {
    bool firstIdMet = false;
    int s = b + 1;
    while (s < E - 1) {
        int i = 0;
        while (s + i <= E && !has_id(fleets, s + i)) ++i;
        if (i > 0) {
            const int d = id_value(fleets, s - 1);
            if (d > 0) {
                const int f = id_value(fleets, s + i);
                if (f - d == i + 1)
                    for (int k = 0; k < i; ++k) fleets.setCell(col::Id, s + k, std::to_string(d + 1 + k));
                s += i + 1;
            } else {
                // No usable number above the gap (none, zero or a negative ID).
                s += i;
            }
            continue;
        }
        if (!firstIdMet) {
            firstIdMet = true;
            // The ID equals the row number: the fleets above it are numbered by
            // their row. Only rows of the block above row s are written.
            if (id_value(fleets, s) == s && s > 1)
                for (int r = b; r < s; ++r) fleets.setCell(col::Id, r, std::to_string(r));
        }
        s += 1;
    }
}

void give_unique_names(TextTable& fleets, int b, int E) {
    struct Entry {
        std::string key;  // lower-cased "name TAB id TAB x TAB y LF row"
        int row;
    };
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(E - b + 1));
    for (int r = b; r <= E; ++r) {
        const std::string text = fleets.cell(col::Name, r) + '\t' + fleets.cell(col::Id, r) + '\t' +
                                 fleets.cell(col::X, r) + '\t' + fleets.cell(col::Y, r) + '\n' + std::to_string(r);
        entries.push_back({to_lower(text), r});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& x) { return a.key < x.key; });

    const auto lowerName = [&](std::size_t k) {
        const std::string& key = entries[k].key;
        return std::string_view(key).substr(0, key.find('\t'));
    };
    std::size_t start = 0;
    while (start < entries.size()) {
        std::size_t end = start + 1;
        while (end < entries.size() && lowerName(end) == lowerName(start)) ++end;
        if (end - start >= 2) {
            int counter = 1;
            std::string lastPosition;
            for (std::size_t k = start; k < end; ++k) {
                const int r = entries[k].row;
                const std::string& name = fleets.cell(col::Name, r);
                const std::string& id = fleets.cell(col::Id, r);
                if (!id.empty()) {
                    fleets.setCell(col::UniqueName, r, name + " |#" + id + "|");
                    continue;
                }
                const std::string& x = fleets.cell(col::X, r);
                const std::string& y = fleets.cell(col::Y, r);
                std::string position = to_lower(name + x + y);
                if (position != lastPosition) {
                    lastPosition = std::move(position);
                    counter = 1;
                } else {
                    ++counter;
                }
                fleets.setCell(col::UniqueName, r, name + " |" + x + "," + y + ";" + std::to_string(counter) + "|");
            }
        }
        start = end;
    }
}

void check_duplicates(const TextTable& fleets, int b, int E, Prompter& prompter) {
    std::unordered_set<std::string> seen;
    seen.reserve(static_cast<std::size_t>(E - b + 1));
    for (int r = b; r <= E; ++r) {
        const std::string& unique = fleets.cell(col::UniqueName, r);
        if (!seen.insert(to_lower(unique)).second) {
            prompter.message("Duplicated fleet name found! Please report to the program author.\r" + unique);
            return;
        }
    }
}

}  // namespace

void interpole_id_and_unique_names(TextTable& fleets, int first, int last, Prompter& prompter) {
    first = std::max(first, 1);
    last = std::min(last, fleets.lastRow());
    int b = first;
    while (b <= last && fleets.cell(col::Task, b).empty()) ++b;
    if (b > last) return;  // no fleet with full data: no own block
    int E = b + 1;
    while (E <= last && !fleets.cell(col::Task, E).empty()) ++E;
    --E;

    if (!has_id(fleets, E) && fleets.cell(col::Id, E - 1) == "511") fleets.setCell(col::Id, E, "512");
    fill_missing_ids(fleets, b, E);
    give_unique_names(fleets, b, E);
    check_duplicates(fleets, b, E, prompter);
}

bool validate_fleet_vs_planets(const TextTable& fleets, const TextTable& planets, int after) {
    int matches = 0;
    for (int r = std::max(after, 0) + 1; r <= fleets.lastRow() && matches < 3; ++r) {
        const std::string& planet = fleets.cell(col::Planet, r);
        if (planet.empty()) continue;
        int p = 1;
        while (p <= planets.lastRow() && planets.cell(planet_col::Name, p) != planet) ++p;
        if (p > planets.lastRow()) return false;
        if (planets.cell(planet_col::X, p) != left(fleets.cell(col::X, r), 4) ||
            planets.cell(planet_col::Y, p) != left(fleets.cell(col::Y, r), 4))
            return false;
        ++matches;
    }
    return true;
}

void index_fleet_gr(const TextTable& fleets, FleetIndex& index) {
    const int last = fleets.lastRow();
    const auto row16 = [](int r) { return static_cast<std::uint16_t>(r); };
    int prev = 0;
    for (int r = 1; r <= last; ++r) {
        const int p = to_int_def(fleets.cell(col::Owner, r), 0);
        if (p < 1 || p > kPlayers || p == prev) continue;
        if (p < prev) {
            index[static_cast<std::size_t>(prev)].Last_row = row16(r - 1);
            index[kTrailingEntry] = {row16(r), row16(last)};
            return;
        }
        index[static_cast<std::size_t>(p)].First_row = row16(r);
        if (prev >= 1) index[static_cast<std::size_t>(prev)].Last_row = row16(r - 1);
        index[static_cast<std::size_t>(p)].Last_row = row16(last);
        prev = p;
    }
}

}  // namespace trevanor
