// trevanor-dump [--help] [--own-race NAME] MAP_FILE [FIRST_REPORT [ALLY ...] [SHOW ...]]
//   ALLY: --ally PATH --owner NAME [--ignore-owner] [--no-delete] [--overwrite] [--include-own]
//   SHOW: --particulars UNIQUE_NAME | --group X Y
//   PICTURE: --picture FILE.png [--zoom max|150|200|300|400|N] [--names none|25|50|100]
//            [--routes FILTER] [--jumps N]
//   EARLIER: --earlier FIRST_REPORT [--earlier-ally PATH --owner NAME ...]
//   HISTORY: [--keep-history DIR] [--history DIR] [--trail UNIQUE_NAME [--turns 2..20]]
//   REACH: --reach X Y | --reach-planet NAME [--years 1..9] [--routes FILTER]
//
// Runs the program's import headless (the MAP with colours from an empty
// settings store, the first fleet report with IDs, unique names, position
// order, player names, validation and index, then each ally report through
// the load command and the merge) and prints the result as sections
// "## NAME" with one TAB-joined line per row.
//
// A word of the command line that cannot be taken (an unknown option, a value
// missing or out of its range, a route filter the game does not offer) ends
// the dump with status 2 and a line on standard error that names it, before
// the usage; nothing is printed on standard output then.

#include <functional>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "history_dump.h"
#include "message_log.h"
#include "movement_dump.h"
#include "particulars_dump.h"
#include "picture_dump.h"
#include "reach_dump.h"
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
    HistoryRequest history;                       // kept, listed and followed after the merges
    ReachRequest reach;                           // asked after the merges
    bool turnsGiven = false;
    bool yearsGiven = false;
};

// A word of the command line that cannot be taken; the text names it.
struct ArgumentError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
// --help or -h: the usage is the answer.
struct HelpAsked {};

[[noreturn]] void refuse(const std::string& why) { throw ArgumentError(why); }

std::string quoted(const std::string& word) { return '"' + word + '"'; }

// The command line, read one word at a time.
struct Words {
    int argc;
    char** argv;
    int at = 1;

    std::string value(const std::string& option) {
        if (at + 1 >= argc) refuse(option + " needs a value after it");
        return argv[++at];
    }
};

bool is_ally_option(const std::string& arg) {
    return arg == "--owner" || arg == "--ignore-owner" || arg == "--no-delete" || arg == "--overwrite" ||
           arg == "--include-own";
}

// An ally's option. "--owner" names the owner of the ally's report given
// last, or of the earlier year's ally report when that was given last; each
// owner is given once: a second one is a mistake to point out, not a value
// to replace silently.
void parse_ally_option(const std::string& arg, Words& words, Arguments& a, bool earlierLast,
                       std::vector<bool>& ownerGiven) {
    const auto owner = [&](std::string& out, bool& given, const char* report) {
        if (given) refuse("--owner is given twice for one " + std::string(report));
        out = words.value(arg);
        if (out.empty()) refuse("--owner needs a race name, not an empty word");
        given = true;
    };
    if (earlierLast) {
        if (arg != "--owner") refuse(arg + " belongs to an --ally, not to an --earlier-ally");
        AllyRead& ally = a.earlier.allies.back();
        bool given = !ally.options.reportOwner.empty();
        owner(ally.options.reportOwner, given, "--earlier-ally");
        return;
    }
    if (a.allies.empty()) refuse(arg + " belongs to an --ally given before it");
    MergeOptions& o = a.allies.back().options;
    if (arg == "--owner") {
        bool given = ownerGiven.back();
        owner(o.reportOwner, given, "--ally");
        ownerGiven.back() = true;
    }
    if (arg == "--ignore-owner") o.ignoreOwner = true;
    if (arg == "--no-delete") o.deleteMode = false;
    if (arg == "--overwrite") o.allowOverwrite = true;
    if (arg == "--include-own") o.ignoreOwn = false;
}

bool is_picture_option(const std::string& arg) {
    return arg == "--picture" || arg == "--zoom" || arg == "--names" || arg == "--routes" || arg == "--jumps";
}

// The picture's options; the others than --picture need it.
void parse_picture(const std::string& arg, Words& words, PictureRequest& p, std::string& pictureOption) {
    // --routes serves --reach too, and is looked at once every word is read.
    if (arg != "--picture" && arg != "--routes" && pictureOption.empty()) pictureOption = arg;
    if (arg == "--picture") p.path = words.value(arg);
    if (arg == "--zoom") p.zoom = words.value(arg);
    if (arg == "--names") p.names = words.value(arg);
    if (arg == "--routes") p.routes = words.value(arg);
    if (arg != "--jumps") return;
    const std::string jumps = words.value(arg);
    const auto years = parse_int32(jumps);
    if (!years || *years < 1 || *years > 9) refuse("--jumps " + quoted(jumps) + " is no number of years: it takes 1 to 9");
    p.jumps = *years;
}

bool is_reach_option(const std::string& arg) {
    return arg == "--reach" || arg == "--reach-planet" || arg == "--years";
}

void parse_reach(const std::string& arg, Words& words, Arguments& a) {
    ReachRequest& r = a.reach;
    if (arg == "--years") {
        if (a.yearsGiven) refuse("--years is given twice");
        const std::string years = words.value(arg);
        const auto n = parse_int32(years);
        if (!n || *n < 1 || *n > 9) refuse("--years " + quoted(years) + " is no number of years: it takes 1 to 9");
        r.years = *n;
        a.yearsGiven = true;
        return;
    }
    if (r.asked()) refuse(arg + ": one place is asked about, and it is given already");
    if (arg == "--reach-planet") {
        r.planet = words.value(arg);
        if (r.planet.empty()) refuse("--reach-planet needs a planet's name, not an empty word");
        return;
    }
    r.x = words.value(arg);
    r.y = words.value(arg);
    for (const std::string& word : {r.x, r.y})
        if (!parse_int32(word)) refuse("--reach " + quoted(word) + " is no coordinate: it takes X and Y in light years");
}

bool is_history_option(const std::string& arg) {
    return arg == "--keep-history" || arg == "--history" || arg == "--trail" || arg == "--turns";
}

void parse_history(const std::string& arg, Words& words, Arguments& a) {
    HistoryRequest& h = a.history;
    std::string& value = arg == "--keep-history" ? h.keepFolder : arg == "--history" ? h.folder : h.trailName;
    if (arg == "--turns") {
        if (a.turnsGiven) refuse("--turns is given twice");
        const std::string turns = words.value(arg);
        const auto n = parse_int32(turns);
        if (!n || *n < 2 || *n > 20) refuse("--turns " + quoted(turns) + " is no number of turns: it takes 2 to 20");
        h.turns = *n;
        a.turnsGiven = true;
        return;
    }
    if (!value.empty()) refuse(arg + " is given twice");
    value = words.value(arg);
    if (value.empty()) refuse(arg + " needs a value, not an empty word");
}

// What is still missing once every word was read.
void check_complete(const Arguments& a, const std::string& pictureOption) {
    if (a.files.empty()) refuse("the MAP file is missing");
    for (const Ally& ally : a.allies)
        if (ally.options.reportOwner.empty()) refuse("--ally " + quoted(ally.path) + " has no --owner");
    for (const AllyRead& ally : a.earlier.allies)
        if (ally.options.reportOwner.empty()) refuse("--earlier-ally " + quoted(ally.path) + " has no --owner");
    if (a.picture.path.empty() && !pictureOption.empty()) refuse(pictureOption + " needs --picture FILE.png");
    if (a.picture.path.empty() && !a.picture.routes.empty() && !a.reach.asked())
        refuse("--routes needs --picture FILE.png or --reach");
    if (a.yearsGiven && !a.reach.asked()) refuse("--years needs --reach X Y or --reach-planet NAME");
    if (a.reach.asked() && a.files.size() != 2) refuse("--reach needs the MAP file and the first report");
    if (const std::string error = picture_request_error(a.picture); !error.empty()) refuse(error);
    const HistoryRequest& h = a.history;
    if (a.files.size() != 2 && !h.keepFolder.empty()) refuse("--keep-history needs the MAP file and the first report");
    if (a.files.size() != 2 && !h.trailName.empty()) refuse("--trail needs the MAP file and the first report");
    if (!h.trailName.empty() && h.trailFolder().empty()) refuse("--trail needs --history DIR or --keep-history DIR");
    if (a.turnsGiven && h.trailName.empty()) refuse("--turns needs --trail NAME");
}

// One word that is no option of the files' own: the MAP, then the first report.
void take_file(const std::string& arg, Arguments& a) {
    if (arg.starts_with("--")) refuse("unknown option " + quoted(arg));
    if (a.files.size() == 2) refuse("unexpected word " + quoted(arg) + ": the MAP file and the first report are given");
    a.files.push_back(arg);
}

// The options that come after the MAP and the first report.
void parse_after_files(const std::string& arg, Words& words, Arguments& a, bool& earlierLast,
                       std::vector<bool>& ownerGiven, std::string& pictureOption) {
    if (a.files.size() != 2) refuse(arg + " needs the MAP file and the first report before it");
    if (arg == "--ally") {
        if (!a.earlier.firstReport.empty()) refuse("--ally must come before --earlier");
        a.allies.push_back({words.value(arg), {}});
        ownerGiven.push_back(false);
        earlierLast = false;
    } else if (arg == "--earlier") {
        if (!a.earlier.firstReport.empty()) refuse("--earlier is given twice");
        a.earlier.firstReport = words.value(arg);
        if (a.earlier.firstReport.empty()) refuse("--earlier needs a file, not an empty word");
    } else if (arg == "--particulars" || arg == "--group") {
        ParticularsRequest request{arg, words.value(arg)};
        if (arg == "--group") request.push_back(words.value(arg));
        a.particulars.push_back(request);
    } else {
        parse_picture(arg, words, a.picture, pictureOption);
    }
}

Arguments parse(int argc, char** argv) {
    Arguments a;
    std::vector<bool> ownerGiven;  // per ally
    bool earlierLast = false;      // the last report given was the earlier year's ally's
    std::string pictureOption;     // the first picture option other than --picture
    for (Words words{argc, argv}; words.at < argc; ++words.at) {
        const std::string arg = argv[words.at];
        if (arg == "--help" || arg == "-h") throw HelpAsked();
        if (arg == "--own-race") {
            if (a.ownRaceGiven) refuse("--own-race is given twice");
            if (!a.files.empty()) refuse("--own-race must come before the MAP file");
            a.ownRace = words.value(arg);
            a.ownRaceGiven = true;
        } else if (is_ally_option(arg)) {
            parse_ally_option(arg, words, a, earlierLast, ownerGiven);
        } else if (arg == "--earlier-ally") {
            if (a.earlier.firstReport.empty()) refuse("--earlier-ally needs --earlier before it");
            a.earlier.allies.emplace_back().path = words.value(arg);
            earlierLast = true;
        } else if (is_history_option(arg)) {
            parse_history(arg, words, a);
        } else if (is_reach_option(arg)) {
            parse_reach(arg, words, a);
        } else if (arg == "--ally" || arg == "--earlier" || arg == "--particulars" || arg == "--group" ||
                   is_picture_option(arg)) {
            parse_after_files(arg, words, a, earlierLast, ownerGiven, pictureOption);
        } else {
            take_file(arg, a);
        }
    }
    check_complete(a, pictureOption);
    return a;
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
    for (int p = 1; p <= kPlayers; ++p) out << statistics_line(p, st.stats[static_cast<std::size_t>(p)]) << '\n';
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

constexpr const char* kUsage =
    "usage: trevanor-dump [--own-race NAME] MAP_FILE [FIRST_REPORT [ALLY ...] [SHOW ...]]\n"
    "  ALLY: --ally PATH --owner NAME [--ignore-owner] [--no-delete] [--overwrite] [--include-own]\n"
    "  SHOW: --particulars UNIQUE_NAME | --group X Y\n"
    "  PICTURE: --picture FILE.png [--zoom max|150|200|300|400|N] [--names none|25|50|100]\n"
    "           [--routes FILTER] [--jumps N]\n"
    "  EARLIER: --earlier FIRST_REPORT [--earlier-ally PATH --owner NAME ...]\n"
    "  HISTORY: [--keep-history DIR] [--history DIR] [--trail UNIQUE_NAME [--turns 2..20]]\n"
    "  REACH: --reach X Y | --reach-planet NAME [--years 1..9] [--routes FILTER]\n"
    "  --help, -h: this text\n";

// Each ally's report merged as the "Adding another report" window merges it;
// a line of the status section for each.
std::vector<std::string> merge_allies(Model& model, const MessageLog& prompter, const std::vector<Ally>& allies,
                                      const std::function<void(const std::exception&)>& fail) {
    std::vector<std::string> merges;
    for (const Ally& a : allies) {
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
    return merges;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    try {
        args = parse(argc, argv);
    } catch (const ArgumentError& e) {
        std::cerr << "trevanor-dump: " << e.what() << '\n' << kUsage;
        return 2;
    } catch (const HelpAsked&) {
        std::cout << kUsage;
        return std::cout.flush() ? 0 : 1;
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

    const std::vector<std::string> merges = imported ? merge_allies(model, prompter, args.allies, fail)
                                                     : std::vector<std::string>();

    // The route filter names the game's races, known once the reports are read.
    if (imported && (!args.picture.path.empty() || args.reach.asked())) {
        if (const std::string error = route_filter_error(session, args.picture.routes); !error.empty()) {
            std::cerr << "trevanor-dump: " << error << '\n';
            return 2;
        }
    }
    ReachPlace reachPlace;
    if (imported && args.reach.asked()) {
        if (const std::string error = reach_place(session, args.reach, reachPlace); !error.empty()) {
            std::cerr << "trevanor-dump: " << error << '\n';
            return 2;
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
    const HistoryRequest& h = args.history;
    std::string history, trail;
    try {
        if (imported && !h.keepFolder.empty()) keep_history(model, h.keepFolder);
        if (!h.folder.empty()) history = dump_history(args.files[0], h.folder, prompter);
        if (imported && !h.trailName.empty()) trail = dump_trail(model, prompter, h);
    } catch (const std::exception& e) {
        fail(e);
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
    if (!h.folder.empty()) std::cout << "## history\n" << history;
    if (!h.trailName.empty()) std::cout << "## trail\n" << trail;
    if (imported && args.reach.asked())
        std::cout << "## reach\n" << dump_reach(session, reachPlace, args.reach.years, args.picture.routes);
    std::cout.flush();
    return std::cout ? status : 1;
}
