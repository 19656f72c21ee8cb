#include "turn_description.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <set>
#include <sstream>

#include "files.h"
#include "text.h"

namespace trevanor {

namespace {

constexpr const char* kFirstLine = "Trevanor turn 1";
constexpr const char* kPacked = ".gz";
constexpr const char* kAllyPrefix = "ally-";
constexpr std::size_t kFileCells = 5;
constexpr std::int64_t kLargestFigure = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kLatestTime = 253402300799;  // the last second of the year 9999
constexpr int kMostFleets = 65535;                  // rows a table holds

std::vector<std::string_view> split_tabs(std::string_view line) {
    std::vector<std::string_view> cells;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        cells.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return cells;
        start = tab + 1;
    }
}

// A whole decimal number within [low, high].
template <class T>
bool number(std::string_view text, T& value, T low, T high) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty() && value >= low && value <= high;
}

bool hex_key(std::string_view text) {
    return text.size() == 16 && text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

// A name the program writes: a file name alone, no folder, no drive, nothing
// that leads out of the turn's folder.
bool plain_name(std::string_view name) {
    if (name.empty() || name == "." || name == ".." || name.size() > 255) return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == '/' || c == '\\' || c == ':';
    });
}

// "ally-N/NAME", N from 1 without a leading zero.
bool ally_name(std::string_view name) {
    if (!name.starts_with(kAllyPrefix)) return false;
    const std::size_t slash = name.find('/');
    if (slash == std::string_view::npos) return false;
    const std::string_view n = name.substr(5, slash - 5);
    int number_of = 0;
    return !n.starts_with('0') && number(n, number_of, 1, 9999) && plain_name(name.substr(slash + 1));
}

std::string file_cells(const KeptFile& f) {
    return f.name + '\t' + std::to_string(f.modified) + '\t' + std::to_string(f.size) + '\t' + f.key + '\t' +
           std::to_string(f.stored);
}

bool read_file_cells(const std::vector<std::string_view>& cells, std::size_t at, bool ally, KeptFile& f) {
    if (cells.size() < at + kFileCells) return false;
    f.name = cells[at];
    f.key = cells[at + 3];
    return (ally ? ally_name(f.name) : plain_name(f.name)) && hex_key(f.key) &&
           number(cells[at + 1], f.modified, std::int64_t{0}, kLatestTime) &&
           number(cells[at + 2], f.size, std::uint64_t{0}, kMaxKeptFile) &&
           number(cells[at + 4], f.stored, std::uint64_t{1}, kMaxKeptFile);
}

bool read_ally(const std::vector<std::string_view>& cells, KeptAlly& a) {
    constexpr std::size_t owner = 1 + kFileCells, flagsAt = owner + 1;
    if (cells.size() != flagsAt + 1 || !read_file_cells(cells, 1, true, a.file) || cells[flagsAt].size() != 4) return false;
    const std::string_view flags = cells[flagsAt];
    if (flags.find_first_not_of("01") != std::string::npos || cells[owner].empty()) return false;
    a.options = {std::string(cells[owner]), flags[0] == '1', flags[1] == '1', flags[2] == '1', flags[3] == '1'};
    return true;
}

bool read_race(const std::vector<std::string_view>& cells, KeptRace& r) {
    if (cells.size() != 4 + std::size(kRaceStatsFields) || !number(cells[1], r.player, 1, kPlayers) ||
        !number(cells[3], r.color, ColorValue{0}, ColorValue{0xFFFFFF}))
        return false;
    r.name = cells[2];
    for (std::size_t k = 0; k < std::size(kRaceStatsFields); ++k)
        if (!number(cells[4 + k], r.stats.*kRaceStatsFields[k], std::int64_t{0}, kLargestFigure)) return false;
    return true;
}

// What the lines give that the turn cannot do without.
struct Seen {
    bool label = false, time = false, key = false, map = false, first = false, ended = false;
};

// One line of the description; false when it cannot be read.
bool read_line(const std::vector<std::string_view>& cells, KeptTurn& t, Seen& seen) {
    const std::string_view what = cells[0];
    if (cells.size() < 2) {
        seen.ended = what == "end";
        return seen.ended;
    }
    const std::string_view value = cells[1];
    if (what == "label") {
        t.label = value;
        seen.label = !value.empty();
        return seen.label;
    }
    if (what == "key") {
        t.key = value;
        seen.key = hex_key(value);
        return seen.key;
    }
    if (what == "own-race") t.ownRace = value;
    if (what == "time") return seen.time = number(value, t.time, std::int64_t{0}, kLatestTime);
    if (what == "map") return seen.map = read_file_cells(cells, 1, false, t.map);
    if (what == "first") return seen.first = read_file_cells(cells, 1, false, t.firstReport);
    if (what == "ally") return read_ally(cells, t.allies.emplace_back());
    if (what == "fleets") return number(value, t.fleets, 0, kMostFleets);
    if (what == "race") return read_race(cells, t.races.emplace_back());
    return true;  // the own race, or a line of a later kind
}

// Why what the lines gave does not make a turn, or "".
std::string missing(const KeptTurn& t, const Seen& seen) {
    if (!seen.ended) return "its description is cut short";
    for (const auto& [given, line] : {std::pair{seen.label, "label"}, std::pair{seen.time, "time"},
                                      std::pair{seen.key, "key"}, std::pair{seen.map, "map"},
                                      std::pair{seen.first, "first"}})
        if (!given) return std::string("its description has no ") + line + " line";
    std::set<std::string> names;
    for (const KeptFile* f : t.files())
        if (!names.insert(to_lower(f->name)).second) return "its description names \"" + f->name + "\" twice";
    std::set<int> players;
    for (const KeptRace& r : t.races)
        if (!players.insert(r.player).second) return "its description gives player " + std::to_string(r.player) + " twice";
    return {};
}

}  // namespace

std::string KeptTurn::path_of(const KeptFile& file) const {
    return path_string(file_path(folder) / file_path(file.name + kPacked));
}

std::vector<const KeptFile*> KeptTurn::files() const {
    std::vector<const KeptFile*> out{&map, &firstReport};
    for (const KeptAlly& a : allies) out.push_back(&a.file);
    return out;
}

std::string content_key(std::initializer_list<std::string_view> parts) {
    std::uint64_t h = 1469598103934665603ull;
    for (const std::string_view part : parts) {
        for (const char c : part) {
            h ^= static_cast<unsigned char>(c);
            h *= 1099511628211ull;
        }
        h ^= 0xff;  // parts "ab","c" and "a","bc" differ
        h *= 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

bool figures_in_range(const RaceStats& stats) {
    return std::all_of(kRaceStatsFields.begin(), kRaceStatsFields.end(),
                       [&](auto field) { return stats.*field >= 0 && stats.*field <= kLargestFigure; });
}

std::string describe(const KeptTurn& t) {
    std::ostringstream out;
    out << kFirstLine << "\nlabel\t" << t.label << "\ntime\t" << t.time << "\nkey\t" << t.key << "\nown-race\t"
        << t.ownRace << "\nmap\t" << file_cells(t.map) << "\nfirst\t" << file_cells(t.firstReport) << '\n';
    for (const KeptAlly& a : t.allies) {
        const MergeOptions& o = a.options;
        out << "ally\t" << file_cells(a.file) << '\t' << o.reportOwner << '\t' << o.ignoreOwn << o.ignoreOwner
            << o.deleteMode << o.allowOverwrite << '\n';
    }
    out << "fleets\t" << t.fleets << '\n';
    for (const KeptRace& r : t.races) {
        out << "race\t" << r.player << '\t' << r.name << '\t' << r.color;
        for (const auto field : kRaceStatsFields) out << '\t' << r.stats.*field;
        out << '\n';
    }
    out << "end\n";
    return out.str();
}

std::string read_description(std::string_view text, KeptTurn& t) {
    const std::vector<std::string_view> lines = split_lines(text);
    if (lines.empty() || lines.front() != kFirstLine) return "its description is of another kind";
    Seen seen;
    for (std::size_t i = 1; i < lines.size() && !seen.ended; ++i)
        if (!read_line(split_tabs(lines[i]), t, seen))
            return "line " + std::to_string(i + 1) + " of its description cannot be read";
    return missing(t, seen);
}

}  // namespace trevanor
