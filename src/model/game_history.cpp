#include "game_history.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>

#include "earlier_year.h"
#include "errors.h"
#include "files.h"
#include "fleet_report_reader.h"
#include "packed_copy.h"
#include "text.h"

namespace trevanor {

namespace fs = std::filesystem;

namespace {

constexpr const char* kDescription = "turn.txt";
constexpr const char* kPartSuffix = ".part";
constexpr const char* kPacked = ".gz";
// A description is a few lines per file and race: anything longer is no description.
constexpr std::uintmax_t kLongestDescription = 1 << 20;

[[noreturn]] void fail(const std::string& what, const fs::path& path, const std::string& reason) {
    throw FileError(what + " \"" + shown_path(path_string(path)) + "\": " + reason);
}

void write_bytes(const fs::path& path, const std::string& bytes) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    if (ec) fail("Cannot make the folder", path.parent_path(), ec.message());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !file.flush())
        fail("Cannot write", path, "the disk refused it");
}

// One file of a turn being kept: its bytes and what the description says of it.
struct FileToKeep {
    std::string bytes;
    KeptFile kept;
};

// A file read for the turn; a report the game is still writing is no turn.
FileToKeep file_to_keep(const std::string& path, std::string storedName, bool report) {
    FileToKeep f{read_file_bytes(path), {std::move(storedName), modification_time(path), 0, {}, 0}};
    if (f.bytes.size() > kMaxKeptFile) throw FileError("\"" + shown_path(path) + "\" is too large to be kept.");
    if (report)
        if (const std::string problem = report_not_whole(path, f.bytes); !problem.empty()) throw FileError(problem);
    f.kept.size = f.bytes.size();
    f.kept.key = content_key({f.bytes});
    return f;
}

std::string ally_file_name(std::size_t index, std::string_view name) {
    return "ally-" + std::to_string(index + 1) + "/" + file_name_part(name);
}

std::string stamp(std::int64_t time) {
    const std::time_t t = static_cast<std::time_t>(time);
    char text[32] = "00000000-000000";
    if (const std::tm* tm = std::gmtime(&t)) std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", tm);
    return text;
}

// A turn folder's name as the program makes it: "20261130-093000-" and a key.
bool turn_folder_name(std::string name) {
    if (name.ends_with(kPartSuffix)) name.resize(name.size() - std::string_view(kPartSuffix).size());
    return name.size() == 32 && name[8] == '-' && name[15] == '-' &&
           std::all_of(name.begin(), name.begin() + 15, [](char c) { return c == '-' || (c >= '0' && c <= '9'); });
}

bool same_bytes(const KeptTurn& turn, const KeptFile& file, const std::string& bytes) {
    try {
        return file.size == bytes.size() && unpacked_copy(turn, file) == bytes;
    } catch (const FileError&) {
        return false;
    }
}

void delete_folder(const fs::path& path) {
    std::error_code ec;
    fs::remove_all(path, ec);
    if (ec) fail("Cannot delete", path, ec.message());
}

std::string left_out(const std::string& folder, const std::string& why) {
    return "The kept turn \"" + shown_path(folder) + "\" " + why + " and was left out.";
}

std::string damaged(const std::string& folder, const std::string& reason) {
    return left_out(folder, "is damaged (" + reason + ")");
}

// Why a turn's folder is no turn of the game `mapName`, or "".
std::string turn_problem(const fs::path& folder, const std::string& mapName, KeptTurn& t) {
    const std::string name = path_string(folder.filename());
    std::error_code ec;
    const auto length = fs::file_size(folder / kDescription, ec);
    if (ec) return damaged(name, "its description is missing");
    if (length > kLongestDescription) return damaged(name, "its description is too long");
    std::string text;
    try {
        text = read_file_bytes(path_string(folder / kDescription));
    } catch (const FileError& e) {
        return damaged(name, e.what());
    }
    if (const std::string reason = read_description(text, t); !reason.empty()) return damaged(name, reason);
    if (!mapName.empty() && !equal_ci(t.map.name, mapName))
        return left_out(name, "was read for " + t.map.name + ", not for " + mapName);
    for (const KeptFile* f : t.files()) {
        const auto size = fs::file_size(folder / file_path(f->name + kPacked), ec);
        if (ec) return damaged(name, "\"" + f->name + "\" is missing");
        if (size != f->stored) return damaged(name, "\"" + f->name + "\" is not whole");
    }
    return {};
}

}  // namespace

void take_figures(KeptTurn& turn, const Session& session) {
    turn.ownRace = session.Own_race_name;
    turn.fleets = session.fleets.cell(0, 1).empty() ? 0 : session.fleets.lastRow();
    turn.races.clear();
    try {
        const RaceStatsTable stats = compute_race_stats(session.fleets);
        for (int p = 1; p <= kPlayers; ++p) {
            const Player& player = session.Players[static_cast<std::size_t>(p)];
            if (!player.Name.empty()) turn.races.push_back({p, player.Name, player.Color, stats[static_cast<std::size_t>(p)]});
        }
    } catch (const ConversionError&) {
        // A table the statistics refuse keeps no figures; the files are kept all the same.
    }
    // Figures a description cannot hold are not kept either.
    if (!std::all_of(turn.races.begin(), turn.races.end(), [](const KeptRace& r) { return figures_in_range(r.stats); }))
        turn.races.clear();
}

KeptTurn figures_of(const Session& session) {
    KeptTurn figures;
    take_figures(figures, session);
    return figures;
}

std::string unpacked_copy(const KeptTurn& turn, const KeptFile& file) {
    const std::string path = turn.path_of(file);
    std::error_code ec;
    if (fs::file_size(file_path(path), ec) != file.stored || ec)
        throw FileError("The kept copy of \"" + file.name + "\" is damaged: it is not whole.");
    std::string bytes = unpacked(read_file_bytes(path), file.name, file.size);
    if (content_key({bytes}) != file.key)
        throw FileError("The kept copy of \"" + file.name + "\" is damaged: its bytes are not those that were kept.");
    return bytes;
}

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
    folder_ = path_string(folder);
    try {
        // The names were checked when the description was read: none leads out of the folder.
        for (const KeptFile* f : turn.files()) write_bytes(folder / file_path(f->name), unpacked_copy(turn, *f));
    } catch (...) {
        fs::remove_all(folder, ec);  // no destructor runs for a turn not unpacked
        throw;
    }
}

UnpackedTurn::~UnpackedTurn() {
    std::error_code ec;
    fs::remove_all(file_path(folder_), ec);
}

std::string UnpackedTurn::path(const KeptFile& file) const {
    return path_string(file_path(folder_) / file_path(file.name));
}

std::string turn_label(std::int64_t time, bool seconds) {
    const std::time_t t = static_cast<std::time_t>(time);
    char text[32] = "?";
    if (const std::tm* tm = std::localtime(&t))
        std::strftime(text, sizeof text, seconds ? "%Y-%m-%d %H:%M:%S" : "%Y-%m-%d %H:%M", tm);
    return text;
}

void tell_labels_apart(std::vector<KeptTurn>& turns) {
    std::vector<std::string> labels;
    for (const KeptTurn& t : turns) labels.push_back(t.label);
    for (std::size_t i = 0; i < turns.size(); ++i)
        if (std::count(labels.begin(), labels.end(), labels[i]) > 1) turns[i].label = turn_label(turns[i].time, true);
}

std::int64_t modification_time(const std::string& path) {
    std::error_code ec;
    const fs::file_time_type written = fs::last_write_time(file_path(path), ec);
    if (ec) return 0;
    const auto since = std::chrono::file_clock::to_sys(written).time_since_epoch();
    return std::chrono::duration_cast<std::chrono::seconds>(since).count();
}

GameHistory::GameHistory(std::string folder, int cap, std::string mapName)
    : folder_(std::move(folder)), cap_(std::max(1, cap)), mapName_(std::move(mapName)) {}

std::string GameHistory::folder_for(const std::string& dataFolder, const std::string& mapPath) {
    return path_string(file_path(dataFolder) / "history" / file_path(file_name_part(mapPath)));
}

// The folders in the game's folder, sorted; a folder the program stopped
// writing, or a file where a turn's folder was, is said in `listing`.
std::vector<fs::path> GameHistory::folders(Listing& listing) const {
    std::vector<fs::path> folders;
    std::error_code ec;
    const fs::file_status status = fs::status(file_path(folder_), ec);
    const std::string shown = "\"" + shown_path(folder_) + "\"";
    if (!fs::exists(status)) {
        listing.absent = true;
        listing.problem = "The folder of kept turns " + shown + " does not exist.";
        return folders;
    }
    if (!fs::is_directory(status)) {
        listing.problem = shown + " is a file, not a folder of kept turns.";
        return folders;
    }
    fs::directory_iterator it(file_path(folder_), ec);
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        const std::string name = path_string(it->path().filename());
        std::error_code entry;
        if (!it->is_directory(entry)) {
            if (turn_folder_name(name)) listing.skipped.push_back(damaged(name, "it is a file, not a folder"));
        } else if (name.ends_with(kPartSuffix)) {
            listing.skipped.push_back(left_out(name, "was not written to its end (the program stopped while keeping it)"));
        } else {
            folders.push_back(it->path());
        }
    }
    if (ec) listing.problem = "The folder of kept turns " + shown + " cannot be read: " + ec.message() + ".";
    std::sort(folders.begin(), folders.end());
    return folders;
}

GameHistory::Listing GameHistory::stored() const {
    Listing listing;
    for (const fs::path& folder : folders(listing)) {
        KeptTurn t;
        t.folder = path_string(folder);
        if (std::string problem = turn_problem(folder, mapName_, t); !problem.empty())
            listing.skipped.push_back(std::move(problem));
        else
            listing.turns.push_back(std::move(t));
    }
    std::stable_sort(listing.turns.begin(), listing.turns.end(),
                     [](const KeptTurn& a, const KeptTurn& b) { return a.time < b.time; });
    return listing;
}

GameHistory::Listing GameHistory::turns() const {
    Listing listing = stored();
    tell_labels_apart(listing.turns);
    return listing;
}

namespace {

// The files `reads` name, read now, and the turn they make, its figures not yet taken.
KeptTurn turn_read(const TurnReads& reads, std::vector<FileToKeep>& files) {
    KeptTurn turn;
    files.push_back(file_to_keep(reads.map, file_name_part(reads.map), false));
    files.push_back(file_to_keep(reads.firstReport, file_name_part(reads.firstReport), true));
    for (std::size_t i = 0; i < reads.allies.size(); ++i) {
        files.push_back(file_to_keep(reads.allies[i].path, ally_file_name(i, reads.allies[i].path), true));
        turn.allies.push_back({files.back().kept, reads.allies[i].options});
    }
    turn.map = files[0].kept;
    turn.firstReport = files[1].kept;
    turn.key = content_key({files[0].bytes, files[1].bytes});
    turn.time = turn.firstReport.modified;
    turn.label = turn_label(turn.time);
    return turn;
}

bool same_ally(const KeptAlly& a, const KeptAlly& b) {
    return a.file.key == b.file.key && a.file.size == b.file.size && a.options == b.options;
}

bool same_allies(const std::vector<KeptAlly>& a, const std::vector<KeptAlly>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), same_ally);
}

// The allies kept with the turn and those read now: an ally read now
// replaces the one kept of the same report owner, the others are added
// after those kept, so that fewer allies than kept (a restart that has not
// merged them all yet) keep what was kept. `files` holds the MAP, the first
// report and the allies read now; it is left holding the union's allies.
std::vector<KeptAlly> allies_with_kept(const KeptTurn& kept, const KeptTurn& now, std::vector<FileToKeep>& files) {
    std::vector<KeptAlly> allies = kept.allies;
    std::vector<FileToKeep> allyFiles(allies.size());
    std::vector<bool> fromKept(allies.size(), true);
    for (std::size_t i = 0; i < now.allies.size(); ++i) {
        const std::string& owner = now.allies[i].options.reportOwner;
        std::size_t k = 0;
        while (k < allies.size() && allies[k].options.reportOwner != owner) ++k;
        if (k == allies.size()) {
            allies.emplace_back();
            allyFiles.emplace_back();
            fromKept.push_back(false);
        }
        allies[k] = now.allies[i];
        allyFiles[k] = std::move(files[i + 2]);
        fromKept[k] = false;
    }
    files.resize(2);
    if (same_allies(allies, kept.allies)) return allies;
    for (std::size_t k = 0; k < allies.size(); ++k) {
        // The kept ones that stay are taken from the turn kept: the game's folder may hold others since.
        if (fromKept[k]) allyFiles[k] = {unpacked_copy(kept, allies[k].file), allies[k].file};
        allyFiles[k].kept.name = ally_file_name(k, allyFiles[k].kept.name);
        allies[k].file = allyFiles[k].kept;
        files.push_back(std::move(allyFiles[k]));
    }
    return allies;
}

// Tells the readers nothing: a turn read back for its figures was read before.
struct QuietPrompter : Prompter {
    void message(const std::string&) override {}
    void error(const std::string&) override {}
    void warning(const std::string&) override {}
    Answer confirm(const std::string&, bool) override { return Answer::No; }
};

// The packed copies and the description written beside `folder`, then put
// in its place. A turn whose allies are not those the session merged takes
// its figures from its copies, read back as a comparison reads them.
void write_turn(const fs::path& folder, std::vector<FileToKeep>& files, KeptTurn& turn, const KeptTurn* figures) {
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
    turn.folder = path_string(part);
    if (figures) {
        turn.ownRace = figures->ownRace;
        turn.fleets = figures->fleets;
        turn.races = figures->races;
    } else {
        QuietPrompter quiet;
        take_figures(turn, EarlierYear::read_kept(turn, quiet)->session());
    }
    write_bytes(part / kDescription, describe(turn));  // last: a folder without it is no turn
    delete_folder(folder);
    std::error_code ec;
    fs::rename(part, folder, ec);
    if (ec) fail("Cannot keep the turn in", folder, ec.message());
    turn.folder = path_string(folder);
}

}  // namespace

struct GameHistory::Reading {
    KeptTurn turn;
    std::vector<FileToKeep> files;
    KeptTurn figures;
};

std::shared_ptr<GameHistory::Reading> GameHistory::read_turn(const TurnReads& reads, const Session& session) {
    if (!reads.complete()) return nullptr;
    auto reading = std::make_shared<Reading>();
    reading->turn = turn_read(reads, reading->files);
    reading->figures = figures_of(session);
    return reading;
}

bool GameHistory::keep(const TurnReads& reads, const Session& session) {
    const std::shared_ptr<Reading> reading = read_turn(reads, session);
    return reading && keep(*reading);
}

bool GameHistory::keep(Reading& reading) {
    std::vector<FileToKeep>& files = reading.files;
    KeptTurn& turn = reading.turn;
    const KeptTurn& sessionFigures = reading.figures;
    const Listing listing = stored();
    const KeptTurn* kept = nullptr;
    for (const KeptTurn& t : listing.turns)
        if (t.key == turn.key && same_bytes(t, t.map, files[0].bytes) && same_bytes(t, t.firstReport, files[1].bytes))
            kept = &t;
    const KeptTurn* figures = &sessionFigures;
    if (kept) {
        const std::vector<KeptAlly> allies = allies_with_kept(*kept, turn, files);
        if (same_allies(allies, kept->allies)) return false;
        if (!same_allies(allies, turn.allies)) figures = nullptr;  // not what the session merged
        turn.allies = allies;
        turn.label = kept->label;
        turn.time = kept->time;
    }
    write_turn(kept ? file_path(kept->folder) : file_path(folder_) / (stamp(turn.time) + "-" + turn.key), files, turn,
               figures);

    // The oldest go first.
    const Listing now = stored();
    for (std::size_t i = 0; i + static_cast<std::size_t>(cap_) < now.turns.size(); ++i)
        delete_folder(file_path(now.turns[i].folder));
    return true;
}

TurnsBefore turns_before(const std::vector<KeptTurn>& kept, const TurnReads& open, std::size_t count) {
    TurnsBefore before;
    std::string key;
    try {
        key = content_key({read_file_bytes(open.map), read_file_bytes(open.firstReport)});
    } catch (const FileError&) {
        // Files gone since they were read: the turn is told by its time alone.
    }
    std::int64_t time = modification_time(open.firstReport);
    bool openKept = false;
    for (const KeptTurn& t : kept)
        if (t.key == key) {
            time = t.time;
            openKept = true;
        }
    before.openLabel = turn_label(time);
    for (auto t = kept.rbegin(); t != kept.rend() && before.turns.size() < count; ++t)
        if (t->key == key) before.openLabel = t->label;
        else if (t->time <= time) before.turns.push_back(*t);
    // An open turn not kept, of the same minute as a kept one: both to the second.
    bool clash = false;
    for (KeptTurn& t : before.turns)
        if (!openKept && t.label == before.openLabel) {
            t.label = turn_label(t.time, true);
            clash = true;
        }
    if (clash) before.openLabel = turn_label(time, true);
    before.openTime = time;
    return before;
}

void GameHistory::forget() { delete_folder(file_path(folder_)); }

std::uint64_t GameHistory::size_on_disk() const {
    std::uint64_t total = 0;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(file_path(folder_), ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec)) total += it->file_size(ec);
    return total;
}

}  // namespace trevanor
