// The merge of an ally's report over any bytes. A small game cut from the
// demo is read (its MAP and first report); the input holds the options of two
// merges, then the ally's report:
//
//   byte 0, 2   report owner of merge 1, 2: a race of the game (index modulo their count)
//   byte 1, 3   bit 0 ignore own, 1 ignore owner, 2 delete mode, 3 allow overwrite;
//               byte 1 bit 4: the own race is player 1's (else none chosen);
//               byte 3 bit 7: merge 2 reads the game's cut of DEMO.F4 instead of the input
//   byte 4..    the report
//
// After each merge: it either completed or threw MergeError, for one of the
// model's errors, and left the session as it was; the position-sorted table holds the fleet table's rows
// in order; the owners accepted are the ones merged.

#include <cstdint>
#include <functional>
#include <set>
#include <utility>

#include "fuzz_support.h"
#include "model/columns.h"
#include "model/files.h"
#include "model/own_race.h"
#include "model/players.h"
#include "model/report_format.h"

using namespace trevanor;

namespace {

std::vector<std::string> lines_of(const std::string& path) {
    const std::string bytes = read_file_bytes(path);
    std::vector<std::string> lines;
    for (const std::string_view line : split_lines(bytes)) lines.emplace_back(line);
    return lines;
}

// Writes the heading and the lines `keep` picks to a scratch file; returns its path.
template <class Keep>
std::string write_cut(const std::string& name, const std::vector<std::string>& lines, Keep keep) {
    std::string text;
    for (std::size_t k = 0; k < lines.size(); ++k)
        if (k == 0 || keep(k, lines[k])) text += lines[k] + "\r\n";
    return fuzz::write_file(name, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

// The small game: every fifth fleet of the demo's first report and of
// DEMO.F4, the planets those fleets are at or head for, and the first twenty
// planets. Own and foreign fleets, several at one spot, destinations naming
// planets and fleets are all still there, at a fraction of the cost per input.
struct SmallGame {
    Session session;
    std::string allyReport;
};

const SmallGame& small_game() {
    static const SmallGame game = [] {
        const auto fifth = [](std::size_t k, const std::string&) { return k % 5 == 0; };
        const std::vector<std::string> first = lines_of(fuzz::sample("DEMO.F1"));
        const std::vector<std::string> ally = lines_of(fuzz::sample("DEMO.F4"));
        std::set<std::string> places;
        for (const auto* report : {&first, &ally})
            for (std::size_t k = 5; k < report->size(); k += 5) {
                const auto fields = cut_at_tabs((*report)[k], col::Destination + 1);
                places.insert({fields[col::Planet], fields[col::Destination]});
            }
        const std::string map = write_cut("SMALL.MAP", lines_of(fuzz::sample("DEMO.MAP")),
                                          [&](std::size_t k, const std::string& line) {
                                              return k <= 20 || places.count(split_map_line(line)[planet_col::Name]) > 0;
                                          });
        SmallGame g{fuzz::game_session(map, write_cut("SMALL.F1", first, fifth)), {}};
        g.allyReport = write_cut("SMALL.F4", ally, fifth);
        return g;
    }();
    return game;
}

MergeOptions options_from(const Session& s, std::uint8_t ownerByte, std::uint8_t flags) {
    const std::vector<std::string> races = race_names(s);
    MergeOptions o;
    o.reportOwner = races.empty() ? std::string() : races[ownerByte % races.size()];
    o.ignoreOwn = flags & 1;
    o.ignoreOwner = flags & 2;
    o.deleteMode = flags & 4;
    o.allowOverwrite = flags & 8;
    return o;
}

// Digests of what a merge may change, part by part. Comparing them stands in
// for comparing copies of the session: under the sanitizers a copy costs more
// than the merge it guards.
class Digest {
public:
    explicit Digest(const Session& s) {
        add("fleet table", table(s.fleets.rows()));
        add("position-sorted table", table(s.fleetsByPos.rows()));
        add("planet table", table(s.planets.rows()));
        add("sort list", numbers(s.sortList));
        std::vector<int> index;
        for (const FleetIndexEntry& e : s.Fleet_index) index.insert(index.end(), {e.First_row, e.Last_row});
        add("fleet index", numbers(index));
        std::size_t players = 0;
        for (const Player& p : s.Players) mix(mix(mix(players, p.Name), p.Number), p.Color);
        add("players", players);
        add("place lists", texts(s.placeList2.items(), texts(s.placeList1.items())));
        add("map fleet list", texts(s.mapFleetList.items()));
        add("accepted report owners", texts(s.acceptedReportOwners));
        std::size_t main = 0;
        add("caption and own race menu", mix(mix(main, s.main.caption), s.main.ownRaceItems.size()));
    }

    // The first part that differs from `other`, or empty when none does.
    std::string difference(const Digest& other) const {
        for (std::size_t k = 0; k < parts_.size(); ++k)
            if (parts_[k].second != other.parts_[k].second) return parts_[k].first;
        return {};
    }

private:
    static std::size_t& mix(std::size_t& h, std::size_t v) { return h = (h ^ v) * 0x100000001b3u; }
    static std::size_t& mix(std::size_t& h, const std::string& text) {
        return mix(mix(h, text.size()), std::hash<std::string>{}(text));
    }
    static std::size_t texts(const std::vector<std::string>& items, std::size_t h = 0) {
        mix(h, items.size());
        for (const std::string& item : items) mix(h, item);
        return h;
    }
    static std::size_t table(const std::vector<std::vector<std::string>>& rows) {
        std::size_t h = 0;
        for (const auto& row : rows) h = texts(row, h);
        return mix(h, rows.size());
    }
    static std::size_t numbers(const std::vector<int>& values) {
        std::size_t h = values.size();
        for (const int v : values) mix(h, static_cast<std::size_t>(v));
        return h;
    }
    void add(const char* part, std::size_t digest) { parts_.emplace_back(part, digest); }

    std::vector<std::pair<const char*, std::size_t>> parts_;
};

void merge(Model& model, const std::string& path, const MergeOptions& options, const char* which) {
    Session& s = model.session;
    const Digest before(s);
    bool done = false;
    try {
        if (!model.merge.may_load(options)) {
            if (const std::string d = before.difference(Digest(s)); !d.empty())
                fuzz::broken(std::string("a refused ") + which + " changed the " + d);
            return;
        }
        done = model.merge.load_report(path, options);
    } catch (const MergeError& e) {
        // Stopped by one of the model's own errors, not by a fault (an index
        // out of range, say) that the merge's restore would hide.
        const std::string what = e.what();
        if (what.find("is not a valid integer value") == std::string::npos &&
            what.find("a table holds at most") == std::string::npos && what.rfind("Cannot ", 0) != 0)
            fuzz::broken(std::string("the ") + which + " stopped for no reason of its own: " + what);
        if (const std::string d = before.difference(Digest(s)); !d.empty())
            fuzz::broken(std::string("the stopped ") + which + " changed the " + d);
        return;
    }
    if (!done) fuzz::broken(std::string("the ") + which + "'s file was refused");
    fuzz::check_position_table(s, which);
    if (!options.ignoreOwner &&
        std::find(s.acceptedReportOwners.begin(), s.acceptedReportOwners.end(), options.reportOwner) ==
            s.acceptedReportOwners.end())
        fuzz::broken(std::string("the report owner of the ") + which + " is not accepted");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return -1;  // not kept in the corpus
    const std::string path = fuzz::write_file("ALLY.F2", data + 4, size - 4);
    fuzz::ModelRig rig;
    Model& model = rig.model;
    model.session = small_game().session;
    Session& s = model.session;
    if (data[1] & 16) set_own_race(s, model.settings, race_name_of(s, 1), OwnRaceChange::Picked);

    merge(model, path, options_from(s, data[0], data[1]), "first merge");
    const std::string second = data[3] & 128 ? small_game().allyReport : path;
    merge(model, second, options_from(s, data[2], data[3]), "second merge");
    return 0;
}
