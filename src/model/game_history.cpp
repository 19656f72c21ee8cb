#include "game_history.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "errors.h"
#include "files.h"
#include "packed_copy.h"

namespace trevanor {

namespace fs = std::filesystem;

namespace {

constexpr const char* kDescription = "turn.txt";
constexpr const char* kFirstLine = "Trevanor turn 1";
constexpr const char* kPartSuffix = ".part";

// FNV-1a, 64 bits: enough to tell two turns' files apart; equal keys are
// confirmed byte for byte before a turn counts as kept already.
std::string hash_text(std::initializer_list<std::string_view> parts) {
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

[[noreturn]] void fail(const std::string& what, const fs::path& path, const std::string& reason) {
    throw FileError(what + " \"" + shown_path(path.string()) + "\": " + reason);
}

void write_bytes(const fs::path& path, const std::string& bytes) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    if (ec) fail("Cannot make the folder", path.parent_path(), ec.message());
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.string().c_str(), "wb"), &std::fclose);
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() || std::fflush(file.get()) != 0)
        fail("Cannot write", path, "the disk refused it");
}

std::vector<std::string> split_tabs(std::string_view line) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        cells.emplace_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return cells;
        start = tab + 1;
    }
}

template <class T>
bool number(const std::string& text, T& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

// One file of a turn being kept: where it came from, its bytes and what the
// description says of it.
struct FileToKeep {
    std::string bytes;
    KeptFile kept;
};

FileToKeep file_to_keep(const std::string& path, std::string storedName) {
    FileToKeep f{read_file_bytes(path), {std::move(storedName), modification_time(path), 0, {}}};
    f.kept.size = f.bytes.size();
    f.kept.key = hash_text({f.bytes});
    return f;
}

constexpr const char* kPacked = ".gz";
constexpr std::size_t kFileCells = 5;

std::string file_cells(const KeptFile& f) {
    return f.name + '\t' + std::to_string(f.modified) + '\t' + std::to_string(f.size) + '\t' + f.key + '\t' +
           std::to_string(f.stored);
}

bool read_file_cells(const std::vector<std::string>& cells, std::size_t at, KeptFile& f) {
    if (cells.size() < at + kFileCells) return false;
    f.name = cells[at];
    f.key = cells[at + 3];
    return !f.name.empty() && f.name.find("..") == std::string::npos && number(cells[at + 1], f.modified) &&
           number(cells[at + 2], f.size) && number(cells[at + 4], f.stored);
}

std::string description(const KeptTurn& t) {
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

bool read_ally(const std::vector<std::string>& cells, KeptAlly& a) {
    constexpr std::size_t owner = 1 + kFileCells, flagsAt = owner + 1;
    if (cells.size() != flagsAt + 1 || !read_file_cells(cells, 1, a.file) || cells[flagsAt].size() != 4) return false;
    const std::string& flags = cells[flagsAt];
    if (flags.find_first_not_of("01") != std::string::npos) return false;
    a.options = {cells[owner], flags[0] == '1', flags[1] == '1', flags[2] == '1', flags[3] == '1'};
    return true;
}

bool read_race(const std::vector<std::string>& cells, KeptRace& r) {
    if (cells.size() != 4 + std::size(kRaceStatsFields) || !number(cells[1], r.player) || r.player < 1 ||
        r.player > kPlayers || !number(cells[3], r.color))
        return false;
    r.name = cells[2];
    for (std::size_t k = 0; k < std::size(kRaceStatsFields); ++k)
        if (!number(cells[4 + k], r.stats.*kRaceStatsFields[k])) return false;
    return true;
}

// Reads a turn's description; the reason it cannot be used, or "".
std::string read_description(const fs::path& folder, KeptTurn& t) {
    std::string bytes;
    try {
        bytes = read_file_bytes((folder / kDescription).string());
    } catch (const FileError&) {
        return "its description is missing";
    }
    const std::vector<std::string_view> lines = split_lines(bytes);
    if (lines.empty() || lines.front() != kFirstLine) return "its description is of another kind";
    bool ended = false, hasMap = false, hasFirst = false;
    for (std::size_t i = 1; i < lines.size() && !ended; ++i) {
        const std::vector<std::string> cells = split_tabs(lines[i]);
        const std::string& what = cells[0];
        bool ok = cells.size() >= 2;
        if (!ok) {
            ended = what == "end";
            ok = ended;
        } else if (what == "label") t.label = cells[1];
        else if (what == "time") ok = number(cells[1], t.time);
        else if (what == "key") t.key = cells[1];
        else if (what == "own-race") t.ownRace = cells[1];
        else if (what == "map") ok = hasMap = read_file_cells(cells, 1, t.map);
        else if (what == "first") ok = hasFirst = read_file_cells(cells, 1, t.firstReport);
        else if (what == "ally") ok = read_ally(cells, t.allies.emplace_back());
        else if (what == "fleets") ok = number(cells[1], t.fleets);
        else if (what == "race") ok = read_race(cells, t.races.emplace_back());
        if (!ok) return "line " + std::to_string(i + 1) + " of its description cannot be read";
    }
    if (!ended) return "its description is cut short";
    if (!hasMap || !hasFirst || t.key.empty()) return "its description names no MAP or first report";
    std::vector<const KeptFile*> files{&t.map, &t.firstReport};
    for (const KeptAlly& a : t.allies) files.push_back(&a.file);
    for (const KeptFile* f : files) {
        std::error_code ec;
        const auto size = fs::file_size(folder / (f->name + kPacked), ec);
        if (ec) return "\"" + f->name + "\" is missing";
        if (size != f->stored) return "\"" + f->name + "\" is not whole";
    }
    return {};
}

std::string stamp(std::int64_t time) {
    const std::time_t t = static_cast<std::time_t>(time);
    char text[32] = "00000000-000000";
    if (const std::tm* tm = std::gmtime(&t)) std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", tm);
    return text;
}

bool same_bytes(const KeptTurn& turn, const KeptFile& file, const std::string& bytes) {
    try {
        return file.size == bytes.size() && unpacked(read_file_bytes(turn.path_of(file)), file.name) == bytes;
    } catch (const FileError&) {
        return false;
    }
}

void delete_folder(const fs::path& path) {
    std::error_code ec;
    fs::remove_all(path, ec);
    if (ec) fail("Cannot delete", path, ec.message());
}

}  // namespace

std::string KeptTurn::path_of(const KeptFile& file) const { return (fs::path(folder) / (file.name + kPacked)).string(); }

UnpackedTurn::UnpackedTurn(const KeptTurn& turn) {
    // A folder no other process (two dumps at once) or turn uses.
    std::random_device random;
    fs::path folder;
    std::error_code ec;
    for (int tries = 0; folder.empty(); ++tries) {
        const fs::path candidate = fs::temp_directory_path(ec) / ("trevanor-turn-" + std::to_string(random()) +
                                                                  std::to_string(random()));
        if (fs::create_directory(candidate, ec)) folder = candidate;
        else if (tries == 20) fail("Cannot make a folder in", candidate.parent_path(), ec ? ec.message() : "taken");
    }
    folder_ = folder.string();
    std::vector<const KeptFile*> files{&turn.map, &turn.firstReport};
    for (const KeptAlly& a : turn.allies) files.push_back(&a.file);
    try {
        for (const KeptFile* f : files)
            write_bytes(folder / f->name, unpacked(read_file_bytes(turn.path_of(*f)), f->name));
    } catch (...) {
        fs::remove_all(folder, ec);  // no destructor runs for a turn not unpacked
        throw;
    }
}

UnpackedTurn::~UnpackedTurn() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

std::string UnpackedTurn::path(const KeptFile& file) const { return (fs::path(folder_) / file.name).string(); }

std::string turn_label(std::int64_t time) {
    const std::time_t t = static_cast<std::time_t>(time);
    char text[32] = "?";
    if (const std::tm* tm = std::localtime(&t)) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", tm);
    return text;
}

std::int64_t modification_time(const std::string& path) {
    std::error_code ec;
    const fs::file_time_type written = fs::last_write_time(path, ec);
    if (ec) return 0;
    const auto since = std::chrono::file_clock::to_sys(written).time_since_epoch();
    return std::chrono::duration_cast<std::chrono::seconds>(since).count();
}

GameHistory::GameHistory(std::string folder, int cap) : folder_(std::move(folder)), cap_(std::max(1, cap)) {}

std::string GameHistory::folder_for(const std::string& dataFolder, const std::string& mapPath) {
    return (fs::path(dataFolder) / "history" / file_name_part(mapPath)).string();
}

GameHistory::Listing GameHistory::turns() const {
    Listing listing;
    std::error_code ec;
    std::vector<fs::path> folders;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_directory(ec) && it->path().extension() != kPartSuffix) folders.push_back(it->path());
    std::sort(folders.begin(), folders.end());
    for (const fs::path& folder : folders) {
        KeptTurn t;
        t.folder = folder.string();
        if (const std::string reason = read_description(folder, t); !reason.empty())
            listing.skipped.push_back("The kept turn \"" + shown_path(folder.filename().string()) +
                                      "\" is damaged (" + reason + ") and was left out.");
        else
            listing.turns.push_back(std::move(t));
    }
    std::stable_sort(listing.turns.begin(), listing.turns.end(),
                     [](const KeptTurn& a, const KeptTurn& b) { return a.time < b.time; });
    return listing;
}

namespace {

// The files `reads` name, read now, and the turn they make, its figures not yet taken.
KeptTurn turn_read(const TurnReads& reads, std::vector<FileToKeep>& files) {
    KeptTurn turn;
    files.push_back(file_to_keep(reads.map, file_name_part(reads.map)));
    files.push_back(file_to_keep(reads.firstReport, file_name_part(reads.firstReport)));
    for (std::size_t i = 0; i < reads.allies.size(); ++i) {
        files.push_back(file_to_keep(reads.allies[i].path,
                                     "ally-" + std::to_string(i + 1) + "/" + file_name_part(reads.allies[i].path)));
        turn.allies.push_back({files.back().kept, reads.allies[i].options});
    }
    turn.map = files[0].kept;
    turn.firstReport = files[1].kept;
    turn.key = hash_text({files[0].bytes, files[1].bytes});
    turn.time = turn.firstReport.modified;
    turn.label = turn_label(turn.time);
    return turn;
}

// The allies read now, each the same file with the same options as one kept,
// in the same order: nothing new. Fewer allies than kept (a restart that has
// not merged them all yet) keep what was kept.
bool allies_kept(const KeptTurn& now, const KeptTurn& kept) {
    const auto sameAlly = [](const KeptAlly& a, const KeptAlly& b) {
        return a.file.key == b.file.key && a.file.size == b.file.size && a.options == b.options;
    };
    return now.allies.size() <= kept.allies.size() &&
           std::equal(now.allies.begin(), now.allies.end(), kept.allies.begin(), sameAlly);
}

// The own race, the fleets and every race's figures, as the statistics give them.
void take_figures(KeptTurn& turn, const Session& session) {
    turn.ownRace = session.Own_race_name;
    turn.fleets = session.fleets.cell(0, 1).empty() ? 0 : session.fleets.lastRow();
    try {
        const RaceStatsTable stats = compute_race_stats(session.fleets);
        for (int p = 1; p <= kPlayers; ++p) {
            const Player& player = session.Players[static_cast<std::size_t>(p)];
            if (!player.Name.empty()) turn.races.push_back({p, player.Name, player.Color, stats[static_cast<std::size_t>(p)]});
        }
    } catch (const ConversionError&) {
        // A table the statistics refuse keeps no figures; the files are kept all the same.
    }
}

// The packed copies and the description written beside `folder`, then put in its place.
void write_turn(const fs::path& folder, std::vector<FileToKeep>& files, KeptTurn& turn) {
    fs::path part = folder;
    part += kPartSuffix;
    delete_folder(part);
    for (FileToKeep& f : files) {
        const std::string copy = packed(f.bytes);
        f.kept.stored = copy.size();
        write_bytes(part / (f.kept.name + kPacked), copy);
    }
    turn.map = files[0].kept;
    turn.firstReport = files[1].kept;
    for (std::size_t i = 0; i < turn.allies.size(); ++i) turn.allies[i].file = files[i + 2].kept;
    write_bytes(part / kDescription, description(turn));  // last: a folder without it is no turn
    delete_folder(folder);
    std::error_code ec;
    fs::rename(part, folder, ec);
    if (ec) fail("Cannot keep the turn in", folder, ec.message());
}

}  // namespace

bool GameHistory::keep(const TurnReads& reads, const Session& session) {
    if (!reads.complete()) return false;
    std::vector<FileToKeep> files;
    KeptTurn turn = turn_read(reads, files);
    const Listing listing = turns();
    const KeptTurn* kept = nullptr;
    for (const KeptTurn& t : listing.turns)
        if (t.key == turn.key && same_bytes(t, t.map, files[0].bytes) && same_bytes(t, t.firstReport, files[1].bytes))
            kept = &t;
    if (kept && allies_kept(turn, *kept)) return false;
    if (kept) {
        turn.label = kept->label;
        turn.time = kept->time;
    }
    take_figures(turn, session);
    write_turn(kept ? fs::path(kept->folder) : fs::path(folder_) / (stamp(turn.time) + "-" + turn.key), files, turn);

    // The oldest go first.
    const Listing now = turns();
    for (std::size_t i = 0; i + static_cast<std::size_t>(cap_) < now.turns.size(); ++i) delete_folder(now.turns[i].folder);
    return true;
}

TurnsBefore turns_before(const std::vector<KeptTurn>& kept, const TurnReads& open, std::size_t count) {
    TurnsBefore before;
    std::string key;
    try {
        key = hash_text({read_file_bytes(open.map), read_file_bytes(open.firstReport)});
    } catch (const FileError&) {
        // Files gone since they were read: the turn is told by its time alone.
    }
    std::int64_t time = modification_time(open.firstReport);
    for (const KeptTurn& t : kept)
        if (t.key == key) time = t.time;
    before.openLabel = turn_label(time);
    for (auto t = kept.rbegin(); t != kept.rend() && before.turns.size() < count; ++t)
        if (t->key == key) before.openLabel = t->label;
        else if (t->time <= time) before.turns.push_back(*t);
    return before;
}

void GameHistory::forget() { delete_folder(folder_); }

std::uint64_t GameHistory::size_on_disk() const {
    std::uint64_t total = 0;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec)) total += it->file_size(ec);
    return total;
}

}  // namespace trevanor
