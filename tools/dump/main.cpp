// trevanor-dump [--own-race NAME] MAP_FILE [FIRST_REPORT [ALLY ...] [SHOW ...]]
//   ALLY: --ally PATH --owner NAME [--ignore-owner] [--no-delete] [--overwrite] [--include-own]
//   SHOW: --particulars UNIQUE_NAME | --group X Y
//   PICTURE: --picture FILE.png [--zoom max|150|200|300|400|N] [--names none|25|50|100]
//            [--routes FILTER] [--jumps N]
//   EARLIER: --earlier FIRST_REPORT [--earlier-ally PATH --owner NAME ...]
//
// Runs the program's import headless (the MAP with colours from an empty
// settings store, the first fleet report with IDs, unique names, position
// order, player names, validation and index, then each ally report through
// the load command and the merge) and prints the result as sections
// "## NAME" with one TAB-joined line per row.

#include <functional>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "message_log.h"
#include "movement_dump.h"
#include "particulars_dump.h"
#include "picture_dump.h"
#include "model/files.h"
#include "model/memory_settings.h"
#include "model/model.h"
#include "model/numbers.h"
#include "model/own_race.h"
#include "model/statistics.h"

using namespace trevanor;

namespace {

struct Ally {
    std::string path;
    MergeOptions options;
};

struct Arguments {
    std::string ownRace;
    bool ownRaceGiven = false;
    std::vector<std::string> files;  // MAP, then the first report
    std::vector<Ally> allies;
    std::vector<ParticularsRequest> particulars;  // shown after the merges
    PictureRequest picture;                       // drawn after the merges
    EarlierRequest earlier;                       // compared after the merges
};

// An ally's options; true when `arg` was one and could be taken. "--owner"
// names the owner of the ally's report given last, or of the earlier
// year's ally report when that was given last.
bool parse_ally_option(const std::string& arg, const std::function<bool(std::string&)>& value, Arguments& a,
                       bool earlierLast, std::vector<bool>& ownerGiven) {
    if (earlierLast) {
        EarlierYear::Ally& ally = a.earlier.allies.back();
        return arg == "--owner" && ally.owner.empty() && value(ally.owner) && !ally.owner.empty();
    }
    if (a.allies.empty()) return false;
    MergeOptions& o = a.allies.back().options;
    if (arg == "--owner") {
        if (ownerGiven.back() || !value(o.reportOwner)) return false;
        ownerGiven.back() = true;
    }
    if (arg == "--ignore-owner") o.ignoreOwner = true;
    if (arg == "--no-delete") o.deleteMode = false;
    if (arg == "--overwrite") o.allowOverwrite = true;
    if (arg == "--include-own") o.ignoreOwn = false;
    return true;
}

// The picture's options: true when `arg` was one (and its value was given).
bool parse_picture(const std::string& arg, const std::function<bool(std::string&)>& value, PictureRequest& p) {
    if (arg == "--picture") return value(p.path);
    if (arg == "--zoom") return value(p.zoom);
    if (arg == "--names") return value(p.names);
    if (arg == "--routes") return value(p.routes);
    std::string jumps;
    if (arg != "--jumps" || !value(jumps)) return false;
    p.jumps = to_int_def(jumps, 0);
    return true;
}

bool parse(int argc, char** argv, Arguments& a) {
    // Each value is given once: a second --owner for one --ally (or a second
    // --own-race) is a mistake to point out, not a value to replace silently.
    std::vector<bool> ownerGiven;  // per ally
    bool earlierLast = false;      // the last report given was the earlier year's ally's
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&](std::string& out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        const bool afterFiles = a.files.size() == 2;
        if (arg == "--own-race") {
            if (a.ownRaceGiven || !value(a.ownRace) || !a.files.empty()) return false;
            a.ownRaceGiven = true;
        } else if (arg == "--ally") {
            if (!afterFiles || !a.earlier.firstReport.empty()) return false;
            a.allies.emplace_back();
            ownerGiven.push_back(false);
            earlierLast = false;
            if (!value(a.allies.back().path)) return false;
        } else if (arg == "--owner" || arg == "--ignore-owner" || arg == "--no-delete" || arg == "--overwrite" ||
                   arg == "--include-own") {
            if (!parse_ally_option(arg, value, a, earlierLast, ownerGiven)) return false;
        } else if (arg == "--earlier") {
            if (!afterFiles || !a.earlier.firstReport.empty() || !value(a.earlier.firstReport)) return false;
        } else if (arg == "--earlier-ally") {
            if (a.earlier.firstReport.empty() || !value(a.earlier.allies.emplace_back().path)) return false;
            earlierLast = true;
        } else if (arg == "--particulars" || arg == "--group") {
            ParticularsRequest request{arg, {}};
            if (!afterFiles || !value(request[1])) return false;
            if (arg == "--group" && !value(request.emplace_back())) return false;
            a.particulars.push_back(request);
        } else if (arg == "--picture" || arg == "--zoom" || arg == "--names" || arg == "--routes" || arg == "--jumps") {
            if (!afterFiles || !parse_picture(arg, value, a.picture)) return false;
        } else if (arg.starts_with("--") || !a.allies.empty() || afterFiles) {
            return false;
        } else {
            a.files.push_back(arg);
        }
    }
    for (const Ally& ally : a.allies)
        if (ally.options.reportOwner.empty()) return false;
    for (const EarlierYear::Ally& ally : a.earlier.allies)
        if (ally.owner.empty()) return false;
    return !a.files.empty() && valid_picture_request(a.picture);
}

void print_table(std::ostream& out, const char* name, const TextTable& table) {
    out << "## " << name << '\n';
    for (int r = 0; r < table.rowCount(); ++r) {
        const auto& row = table.row(r);
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c) out << '\t';
            out << row[c];
        }
        out << '\n';
    }
}

std::string escape_cr(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\r') out += "\\r";
        else out += c;
    }
    return out;
}

void print_import(std::ostream& out, const Session& s, const MessageLog& prompter) {
    out << "## messages\n";
    for (const auto& m : prompter.shown) out << m.kind << '\t' << escape_cr(m.text) << '\n';
    print_table(out, "planets", s.planets);
    print_table(out, "fleets", s.fleets);
    print_table(out, "fleets-by-position", s.fleetsByPos);
    out << "## fleet-index\n";
    for (int e = 1; e <= kTrailingEntry; ++e) {
        const auto& entry = s.Fleet_index[static_cast<std::size_t>(e)];
        out << e << '\t' << entry.First_row << '\t' << entry.Last_row << '\n';
    }
    out << "## players\n";
    for (int p = 1; p <= kPlayers; ++p) {
        const Player& player = s.Players[static_cast<std::size_t>(p)];
        out << p << '\t' << player.Name << '\t' << static_cast<unsigned>(player.Number) << '\t' << player.Color << '\n';
    }
    out << "## places\n";
    for (const auto& item : s.placeList1.items()) out << item << '\n';
}

void print_statistics(std::ostream& out, const Session& s, const StatisticsActivation& st) {
    out << "## statistics\n";
    for (int p = 1; p <= kPlayers; ++p) {
        const RaceStats& r = st.stats[static_cast<std::size_t>(p)];
        out << p;
        for (const std::int64_t v : {r.Fleet_count, r.Ships, r.Unarmed, r.Scout, r.Warship, r.Bomber, r.Utility, r.Mass,
                                     r.Class_total, r.Ironium, r.Boranium, r.Germanium, r.Colonists})
            out << '\t' << v;
        out << '\n';
    }
    out << "## top3\n";
    const char* const names[] = {"ships", "warships", "mass"};
    for (int k = 0; k < 3; ++k) {
        out << names[k];
        for (int slot = 0; slot < 3; ++slot)
            out << '\t' << ranked_name(s, st.top[static_cast<std::size_t>(k)].player[static_cast<std::size_t>(slot)])
                << '\t' << st.top[static_cast<std::size_t>(k)].value[static_cast<std::size_t>(slot)];
        out << '\n';
    }
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    if (!parse(argc, argv, args)) {
        std::cerr << "usage: trevanor-dump [--own-race NAME] MAP_FILE [FIRST_REPORT [ALLY ...] [SHOW ...]]\n"
                     "  ALLY: --ally PATH --owner NAME [--ignore-owner] [--no-delete] [--overwrite] [--include-own]\n"
                     "  SHOW: --particulars UNIQUE_NAME | --group X Y\n"
                     "  PICTURE: --picture FILE.png [--zoom max|150|200|300|400|N] [--names none|25|50|100]\n"
                     "           [--routes FILTER] [--jumps N]\n"
                     "  EARLIER: --earlier FIRST_REPORT [--earlier-ally PATH --owner NAME ...]\n";
        return 2;
    }
    MemorySettings store;
    MessageLog prompter;
    WindowHooks hooks;
    Model model(store, prompter, hooks);
    Session& session = model.session;
    model.settings.onFatal = [] { throw RegistryFatal(); };
    model.commands.FormCreate();
    if (args.ownRaceGiven) store.writeText(file_name_part(args.files[0]), setting::Own_race.name, args.ownRace);

    int status = 0;
    const auto fail = [&](const std::exception& e) {
        prompter.error(e.what());
        std::cerr << e.what() << '\n';
        status = 1;
    };
    bool imported = false;
    try {
        model.commands.read_MAP_file(args.files[0]);
        if (args.files.size() == 2) {
            model.commands.reports().read(args.files[1]);
            load_own_race(session, model.settings);
        }
        imported = true;
    } catch (const std::exception& e) {
        fail(e);
    }

    std::vector<std::string> merges;
    for (const Ally& a : args.allies) {
        if (!imported) break;
        const std::size_t before = prompter.shown.size();
        const auto shownSince = [&] {
            return prompter.shown.size() > before ? escape_cr(prompter.shown.back().text) : std::string();
        };
        try {
            if (!model.merge.may_load(a.options) || !model.merge.load_report(a.path, a.options)) {
                merges.push_back("refused\t" + shownSince());
                continue;
            }
            merges.push_back("done\t" + model.merge.lastStatus);
        } catch (const std::exception& e) {
            fail(e);
            merges.push_back("error\t" + escape_cr(e.what()));
        }
    }

    StatisticsActivation stats{};
    try {
        stats = statistics_activation(session, model.settings, prompter);
    } catch (const std::exception& e) {
        fail(e);
    }

    const std::string particulars = imported ? dump_particulars(model, prompter, args.particulars) : std::string();
    std::string movement;
    if (imported && !args.earlier.firstReport.empty()) {
        try {
            movement = dump_movement(model, prompter, args.files[0], args.earlier);
        } catch (const std::exception& e) {
            fail(e);
        }
    }
    if (imported && !args.picture.path.empty()) {
        if (const std::string error = write_picture(model, prompter, args.picture); !error.empty())
            fail(std::runtime_error(error));
    }

    print_import(std::cout, session, prompter);
    std::cout << "## status\n";
    for (const auto& m : merges) std::cout << m << '\n';
    std::cout << "## report-owners\n";
    for (const auto& o : session.acceptedReportOwners) std::cout << o << '\n';
    print_statistics(std::cout, session, stats);
    if (!args.particulars.empty()) std::cout << "## particulars\n" << particulars;
    if (!args.earlier.firstReport.empty()) std::cout << "## movement\n" << movement;
    std::cout.flush();
    return std::cout ? status : 1;
}
