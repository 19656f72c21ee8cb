// Hostile and oversized input given to trevanor-dump: every case must end with
// a clear message or a correct result, never a crash, a hang or a sanitizer
// report. The inputs are written at run time into a fresh temporary folder;
// the dump runs as a child process whose peak memory is measured.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <grp.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string kMeasure = TREVANOR_MEASURE;
// The dump under test; TREVANOR_DUMP in the environment picks another build of it
// (an optimised one, say, to measure its memory without the sanitizers).
const std::string kDump = std::getenv("TREVANOR_DUMP") ? std::getenv("TREVANOR_DUMP") : TREVANOR_DUMP;
constexpr int kTimeoutSeconds = 120;
constexpr std::size_t kLongLine = 50u * 1024u * 1024u;
const std::string kLimitMessage = " has more lines than a table can hold (65534 after the heading line). Reading stopped there.";

// ---- inputs --------------------------------------------------------------

const std::string kReportHeading =
    "Fleet Name\tX\tY\tPlanet\tDestination\tClass\tShips\tIronium\tBoranium\tGermanium\tColonists\tFuel\tOwner\tETA\t"
    "Warp\tMass\tCloak\tNP Scan\tPen Scan\tTask\tMining\tSweep\tMinelay\tTerraform\tUnarmed\tScout\tWarship\tUtility\t"
    "Bomber";

struct Fleet {
    std::string name;
    int owner = 1;
    std::string task = "Patrol";           // empty for a foreign fleet seen by scanners
    std::vector<std::string> details = {"0", "0", "0", "0", "0", "0"};  // NP, Pen, Mining, Sweep, Minelay, Terraform
    std::string tail = "0";                // field 28 (Bomber)
};

// One report line of 29 fields at planet P1 (1100, 1100).
std::string fleet_line(const Fleet& f) {
    const auto& d = f.details;
    std::ostringstream s;
    s << f.name << "\t1100\t1100\tP1\tP1\tWarship\t1\t0\t0\t0\t0\t100\t" << f.owner << "\t\t0\t10\t0\t" << d[0] << '\t'
      << d[1] << '\t' << f.task << '\t' << d[2] << '\t' << d[3] << '\t' << d[4] << '\t' << d[5] << "\t0\t0\t1\t0\t"
      << f.tail;
    return s.str();
}

class Folder {
public:
    Folder() {
        std::string tmpl = (fs::temp_directory_path() / "trevanor-bounded-XXXXXX").string();
        if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
        path_ = tmpl;
        // Readable by everybody, so that a case may run the dump as another user.
        fs::permissions(path_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                   fs::perms::others_read | fs::perms::others_exec);
    }
    ~Folder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

    // Writes the lines with CR LF ends.
    std::string write(const std::string& name, const std::vector<std::string>& lines) const {
        std::ofstream out(path_ / name, std::ios::binary);
        for (const auto& l : lines) out << l << "\r\n";
        return *this / name;
    }
    std::string writeBytes(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
        return *this / name;
    }
    // A MAP whose first planet, P1, lies at 1100, 1100; `lines` counts the heading.
    std::string map(const std::string& name, std::size_t lines = 2) const {
        std::ofstream out(path_ / name, std::ios::binary);
        out << "#\tX\tY\tName\r\n";
        for (std::size_t k = 1; k < lines; ++k)
            out << k << '\t' << 1100 + (k - 1) % 700 << '\t' << 1100 + (k - 1) / 700 << "\tP" << k << "\r\n";
        return *this / name;
    }
    // A report of `lines` lines in all (the heading included) of numbered fleets.
    std::string report(const std::string& name, std::size_t lines, const std::string& race, int owner,
                       const std::string& task = "Patrol") const {
        std::ofstream out(path_ / name, std::ios::binary);
        out << kReportHeading << "\r\n";
        for (std::size_t k = 1; k < lines; ++k)
            out << fleet_line({race + " Scout #" + std::to_string(k), owner, task}) << "\r\n";
        return *this / name;
    }
    // The own report: one own fleet, and two foreign fleets seen without details.
    std::string ownReport() const {
        return write("GAME.F1", {kReportHeading, fleet_line({"Vorlani Scout #1"}),
                                 fleet_line({"Quessari Raider #7", 2, ""}), fleet_line({"Ozmari Raider #9", 3, ""})});
    }

private:
    fs::path path_;
};

// ---- running the dump ----------------------------------------------------

struct Result {
    int exitCode = -1;     // -1 when the dump did not exit normally
    int signal = 0;
    bool timedOut = false;
    bool startFailed = false;  // the dump could not be started at all
    long peakKiB = 0;
    double seconds = 0;
    std::string out;       // standard output
    std::string err;       // standard error
    std::map<std::string, std::vector<std::string>> sections;

    const std::vector<std::string>& section(const std::string& name) const {
        static const std::vector<std::string> none;
        const auto it = sections.find(name);
        return it == sections.end() ? none : it->second;
    }
    // Rows of a table section, the heading row included.
    std::size_t rows(const std::string& name) const { return section(name).size(); }
    // The first line of a section that starts with the prefix, else empty.
    std::string row(const std::string& name, const std::string& prefix) const {
        for (const auto& line : section(name))
            if (line.starts_with(prefix)) return line;
        return {};
    }
};

// Read in one piece: the output of a dump of 50 MB lines, read a character at a
// time, took the test longer than the dump took to write it.
std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::string bytes(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

void split_sections(Result& r) {
    std::vector<std::string>* current = nullptr;
    std::size_t start = 0;
    while (start < r.out.size()) {
        std::size_t end = r.out.find('\n', start);
        if (end == std::string::npos) end = r.out.size();
        std::string line = r.out.substr(start, end - start);
        if (line.starts_with("## ")) current = &r.sections[line.substr(3)];
        else if (current) current->push_back(std::move(line));
        start = end + 1;
    }
}

struct RunOptions {
    bool asNobody = false;        // drop to user and group 65534 before starting the dump
    bool noRuntimeDir = false;    // without XDG_RUNTIME_DIR, as under cron
};

// Runs the dump with the arguments; standard output and error go to files in the
// folder. The dump is started by the small measuring helper, in a process group
// of its own so that a hung run can be ended whole.
Result dump(const Folder& folder, const std::vector<std::string>& args, RunOptions options = {}) {
    const std::string outPath = folder / "stdout.txt", errPath = folder / "stderr.txt";
    const std::string reportPath = folder / "measure.txt";
    {
        // Created here, writable by anybody: the helper may run as another user.
        std::ofstream{reportPath, std::ios::trunc};
        fs::permissions(reportPath, fs::perms::all & ~(fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec));
    }
    std::vector<std::string> argv{kMeasure, reportPath, kDump};
    if (options.asNobody) {
        // The build folder may lie where that user cannot reach (under /root): copies in the case's folder.
        for (std::size_t k : {0u, 2u}) {
            const std::string copy = folder / fs::path(argv[k]).filename().string();
            fs::copy_file(argv[k], copy, fs::copy_options::overwrite_existing);
            argv[k] = copy;
        }
    }
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> cargv;
    for (auto& a : argv) cargv.push_back(a.data());
    cargv.push_back(nullptr);

    const auto started = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        setpgid(0, 0);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(126);
        if (options.asNobody && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) _exit(125);
        if (options.noRuntimeDir) unsetenv("XDG_RUNTIME_DIR");
        execv(argv[0].c_str(), cargv.data());
        _exit(127);
    }
    Result r;
    int status = 0;
    for (;;) {
        if (waitpid(pid, &status, WNOHANG) == pid) break;
        if (std::chrono::steady_clock::now() - started > std::chrono::seconds(kTimeoutSeconds)) {
            kill(-pid, SIGKILL);
            waitpid(pid, &status, 0);
            r.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    r.out = slurp(outPath);
    r.err = slurp(errPath);
    if (!r.timedOut && WIFEXITED(status) && WEXITSTATUS(status) != 0) {
        r.startFailed = true;  // the helper could not be started, or could not report
        return r;
    }
    std::istringstream report(slurp(reportPath));
    std::string word;
    int value = 0;
    while (report >> word >> value) {
        if (word == "exit") r.exitCode = value;
        if (word == "signal") r.signal = value;
        if (word == "maxrss") r.peakKiB = value;
    }
    if (r.exitCode == 127 && r.out.empty()) r.startFailed = true;  // the dump itself could not be started
    split_sections(r);
    return r;
}

// What every run must satisfy: it ended by itself, normally, with no sanitizer report.
void expect_sound(const Result& r) {
    ASSERT_FALSE(r.startFailed) << "the dump could not be started: " << r.err;
    EXPECT_FALSE(r.timedOut) << "the dump hung (killed after " << kTimeoutSeconds << " s)";
    EXPECT_EQ(r.signal, 0) << "the dump was killed by signal " << r.signal << "\n" << r.err.substr(0, 4000);
    for (const char* mark : {"Sanitizer", "runtime error:", "terminate called"})
        EXPECT_EQ(r.err.find(mark), std::string::npos) << r.err.substr(0, 4000);
}

void report_memory(const std::string& what, const Result& r) {
    std::cout << "[ memory   ] " << what << ": peak " << r.peakKiB / 1024 << " MiB, " << r.seconds << " s\n";
    ::testing::Test::RecordProperty("peak_memory_kib", std::to_string(r.peakKiB));
}

// Standard error holds the message (the dump writes each error on its own line).
void expect_error(const Result& r, const std::string& message) {
    EXPECT_NE(r.err.find(message), std::string::npos) << "expected on standard error: " << message << "\ngot: "
                                                      << r.err.substr(0, 2000);
}

// ---- line limit of the tables ---------------------------------------------

struct LimitCase {
    const char* name;
    bool report;        // the first report is the long file, else the MAP
    std::size_t lines;  // in the file, heading included
};

class LineLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(LineLimit, StopsAtTheTableLimitWithItsMessage) {
    const LimitCase& c = GetParam();
    Folder f;
    std::vector<std::string> args;
    std::string longFile;
    if (c.report) {
        longFile = f.report("LONG.F1", c.lines, "Vorlani", 1);
        args = {f.map("GAME.MAP"), longFile};
    } else {
        longFile = f.map("LONG.MAP", c.lines);
        args = {longFile};
    }
    const Result r = dump(f, args);
    expect_sound(r);
    report_memory(std::string(c.name) + " (" + std::to_string(c.lines) + " lines)", r);
    const char* table = c.report ? "fleets" : "planets";
    // The rows up to the limit are read either way: 65,534 data rows below the heading.
    EXPECT_EQ(r.rows(table), 65535u);
    const std::string message = "File \"" + longFile + "\"" + kLimitMessage;
    if (c.lines <= 65535) {
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.section("messages"), std::vector<std::string>{});
        if (c.report) {
            EXPECT_EQ(r.rows("fleets-by-position"), 65535u);
        }
    } else {
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, message + "\n");
        EXPECT_EQ(r.section("messages").back(), "error\t" + message);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, LineLimit,
                         ::testing::Values(LimitCase{"Map65535", false, 65535}, LimitCase{"Map65536", false, 65536},
                                           LimitCase{"Map70000", false, 70000},
                                           LimitCase{"Report65535", true, 65535},
                                           LimitCase{"Report65536", true, 65536},
                                           LimitCase{"Report70000", true, 70000}),
                         [](const auto& info) { return std::string(info.param.name); });

// An ally's report of 70,000 lines: too many new fleets for the table is refused
// whole; the same lines all passed over are simply counted.
TEST(AllyReport, SeventyThousandLines) {
    Folder f;
    const std::string ally = f.report("ALLY.F2", 70001, "Quessari", 2);
    const std::vector<std::string> base{"--own-race", "Vorlani", f.map("GAME.MAP"), f.ownReport()};

    auto args = base;
    args.insert(args.end(), {"--ally", ally, "--owner", "Quessari"});
    Result r = dump(f, args);
    expect_sound(r);
    report_memory("ally report, 70,000 new fleets", r);
    EXPECT_EQ(r.exitCode, 1);
    const std::string refused = "The fleet table cannot hold the 70000 fleets of this report: a table holds at most "
                                "65535 rows.\\rThe report \"ALLY.F2\" was not merged; nothing has changed.";
    EXPECT_EQ(r.section("status"), std::vector<std::string>{"error\t" + refused});
    EXPECT_EQ(r.rows("fleets"), 4u) << "the fleet table is as before the merge";
    EXPECT_EQ(r.section("report-owners"), std::vector<std::string>{});

    args = base;
    args.insert(args.end(), {"--ally", ally, "--owner", "Quessari", "--ignore-owner"});
    r = dump(f, args);
    expect_sound(r);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.section("status"), std::vector<std::string>{"done\t0 fleet(s) added out of 70000 processed."});
    EXPECT_EQ(r.rows("fleets"), 4u);
}

// ---- very long lines -------------------------------------------------------

TEST(LongLines, FiftyMegabyteLines) {
    Folder f;
    const std::string huge(kLongLine, 'x');
    const std::string map = f.write("GAME.MAP", {"#\tX\tY\tName", "1\t1100\t1100\tP1", "2\t1200\t1200\tP" + huge});

    // In a MAP a planet name of any length is kept whole.
    Result r = dump(f, {map});
    expect_sound(r);
    report_memory("MAP with a 50 MB line", r);
    EXPECT_EQ(r.exitCode, 0) << r.err.substr(0, 2000);
    ASSERT_EQ(r.rows("planets"), 3u);
    EXPECT_EQ(r.section("planets")[2], "2\t1200\t1200\tP" + huge);

    // In the first report fields 0..27 are cut to 255 characters and field 28 is kept whole;
    // the statistics then meet a Bomber count that is no number and say so briefly.
    Fleet longTail{"Vorlani Scout #2"};
    longTail.tail = huge;
    const std::string first = f.write(
        "GAME.F1", {kReportHeading, fleet_line({"Vorlani Scout #1"}), fleet_line({"Vorlani " + huge}), fleet_line(longTail)});
    r = dump(f, {map, first});
    expect_sound(r);
    report_memory("first report with two 50 MB lines", r);
    EXPECT_EQ(r.exitCode, 1);
    expect_error(r, "' is not a valid integer value");
    EXPECT_LT(r.err.size(), 1000u) << "an error message quotes a long text shortened";
    ASSERT_EQ(r.rows("fleets"), 4u);
    EXPECT_TRUE(r.section("fleets")[2].starts_with(("Vorlani " + huge).substr(0, 255) + "\t"));
    EXPECT_NE(r.section("fleets")[3].find('\t' + huge + '\t'), std::string::npos) << "field 28 kept whole";

    // An ally's report: the long name is cut like any other; whatever happens to the
    // long tail, the merge ends and every message stays short.
    Fleet allyTail{"Quessari Scout #3", 2};
    allyTail.tail = huge;
    const std::string ally =
        f.write("ALLY.F2", {kReportHeading, fleet_line({"Quessari " + huge, 2}), fleet_line(allyTail)});
    const std::string firstShort = f.write("GAME.F1", {kReportHeading, fleet_line({"Vorlani Scout #1"})});
    r = dump(f, {"--own-race", "Vorlani", map, firstShort, "--ally", ally, "--owner", "Quessari"});
    expect_sound(r);
    report_memory("ally report with two 50 MB lines", r);
    EXPECT_LT(r.err.size(), 1000u);
    EXPECT_EQ(r.section("status"), std::vector<std::string>{"done\t0 fleet(s) deleted. 2 fleet(s) added out of 2 processed."});
    ASSERT_EQ(r.rows("fleets"), 4u);
    EXPECT_TRUE(r.section("fleets")[2].starts_with(("Quessari " + huge).substr(0, 255) + "*\t"));
    EXPECT_TRUE(r.section("fleets")[3].starts_with("Quessari Scout #3*\t"));
}

// ---- files of NUL bytes ------------------------------------------------------

TEST(NulBytes, FilesOfZeros) {
    Folder f;
    const std::string zeros = f.writeBytes("ZEROS.F2", std::string(1u << 20, '\0'));

    // As a MAP: one heading line without TABs, so no planets.
    Result r = dump(f, {zeros});
    expect_sound(r);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.rows("planets"), 2u);
    EXPECT_EQ(r.section("planets")[1], "\t\t\t");

    // As a first report: not a report.
    const std::string map = f.map("GAME.MAP");
    r = dump(f, {map, zeros});
    expect_sound(r);
    EXPECT_EQ(r.exitCode, 1);
    expect_error(r, "File \"" + zeros + "\" is not a fleet report");

    // As an ally's report: a line that is no heading is taken as a fleet, cut to 255 characters.
    r = dump(f, {"--own-race", "Vorlani", map, f.ownReport(), "--ally", zeros, "--owner", "Quessari", "--no-delete"});
    expect_sound(r);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.section("status"), std::vector<std::string>{"done\t1 fleet(s) added out of 1 processed."});
    ASSERT_EQ(r.rows("fleets"), 5u);
    EXPECT_LT(r.section("fleets")[4].size(), 1024u) << "the row holds no more than cut cells";
}

// ---- numbers past 64 bits ---------------------------------------------------

struct NumberCase {
    const char* name;
    int detail;  // index into Fleet::details
    const char* value;
    bool accepted;
};

class DetailNumbers : public ::testing::TestWithParam<NumberCase> {};

// With overwrite the detail values of a matched fleet are converted: the largest
// 64-bit value upgrades the row, anything past 64 bits stops the merge unchanged.
TEST_P(DetailNumbers, OverwriteConvertsOrRefusesWhole) {
    const NumberCase& c = GetParam();
    Folder f;
    Fleet seen{"Ozmari Raider #9", 3};
    seen.details[static_cast<std::size_t>(c.detail)] = c.value;
    const std::string ally =
        f.write("ALLY.F2", {kReportHeading, fleet_line({"Quessari Scout #1", 2}), fleet_line(seen)});
    const Result r = dump(f, {"--own-race", "Vorlani", f.map("GAME.MAP"), f.ownReport(), "--ally", ally, "--owner",
                              "Quessari", "--overwrite"});
    expect_sound(r);
    ASSERT_EQ(r.rows("fleets"), 4u);
    const std::string ozmari = r.row("fleets", "Ozmari Raider #9");
    if (c.accepted) {
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.section("status"),
                  std::vector<std::string>{"done\t1 fleet(s) deleted. 1 fleets replaced. 1 fleet(s) added out of 2 processed."});
        EXPECT_TRUE(ozmari.starts_with("Ozmari Raider #9(*)\t")) << ozmari;
        EXPECT_NE(ozmari.find(std::string("\t") + c.value + "\t"), std::string::npos);
    } else {
        EXPECT_EQ(r.exitCode, 1);
        const std::string message = "File \"ALLY.F2\", line 3: '" + std::string(c.value) + "' is not a valid integer value";
        expect_error(r, message);
        ASSERT_EQ(r.section("status").size(), 1u);
        EXPECT_EQ(r.section("status")[0],
                  "error\t" + message + "\\rThe report \"ALLY.F2\" was not merged; nothing has changed.");
        EXPECT_TRUE(ozmari.starts_with("Ozmari Raider #9\t")) << "row not upgraded: " << ozmari;
        EXPECT_NE(r.row("fleets", "Quessari Raider #7\t"), "") << "nothing deleted";
    }
}

INSTANTIATE_TEST_SUITE_P(Values, DetailNumbers,
                         ::testing::Values(NumberCase{"SweepLargest", 3, "9223372036854775807", true},
                                           NumberCase{"SweepPast63Bits", 3, "9223372036854775808", false},
                                           NumberCase{"SweepBelowSmallest", 3, "-9223372036854775809", false},
                                           NumberCase{"ScanPast64Bits", 0, "18446744073709551616", false},
                                           NumberCase{"MiningHuge", 2, "99999999999999999999999999999999", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Number fields of the first report past 64 bits stop the import with the conversion message.
TEST(ReportNumbers, OwnerNumberPast64Bits) {
    Folder f;
    Fleet fleet{"Vorlani Scout #1"};
    std::string line = fleet_line(fleet);
    // Owner is field 12.
    std::size_t pos = 0;
    for (int k = 0; k < 12; ++k) pos = line.find('\t', pos) + 1;
    line.replace(pos, line.find('\t', pos) - pos, "340282366920938463463374607431768211456");
    const Result r = dump(f, {f.map("GAME.MAP"), f.write("GAME.F1", {kReportHeading, line})});
    expect_sound(r);
    EXPECT_EQ(r.exitCode, 1);
    expect_error(r, "'340282366920938463463374607431768211456' is not a valid integer value");
}

// ---- files that cannot be read ------------------------------------------------

enum class Role { Map, FirstReport, Ally };

struct Unreadable {
    const char* name;
    Role role;
    // "directory", "locked" (mode 000), "failing" (opens, then every read fails),
    // "pipe" (no writer: opening it would wait for ever) or "device" (/dev/zero never ends)
    const char* kind;
};

class UnreadableFiles : public ::testing::TestWithParam<Unreadable> {};

TEST_P(UnreadableFiles, EndWithTheSystemsMessage) {
    const Unreadable& c = GetParam();
    Folder f;
    const std::string kind = c.kind;
    std::string path;
    std::string reason;
    RunOptions options;
    if (kind == "directory") {
        path = f / "FOLDER.F2";
        fs::create_directory(path);
        reason = "Cannot open file \"" + path + "\": Is a directory";
    } else if (kind == "locked") {
        path = f.report("LOCKED.F2", 3, "Quessari", 2);
        fs::permissions(path, fs::perms::none);
        // Root reads any file whatever its mode: run the dump as the unprivileged user instead.
        options.asNobody = geteuid() == 0;
        reason = "Cannot open file \"" + path + "\": Permission denied";
    } else if (kind == "pipe" || kind == "device") {
        path = kind == "pipe" ? f / "PIPE.F2" : std::string("/dev/zero");
        if (kind == "pipe") mkfifo(path.c_str(), 0644);
        reason = "Cannot open file \"" + path + "\": not a regular file";
    } else {
        // /proc/self/mem opens for anybody, and reading it from offset 0 fails with an I/O error.
        path = "/proc/self/mem";
        reason = "Cannot read file \"" + path + "\": Input/output error";
    }
    std::vector<std::string> args;
    const std::string map = f.map("GAME.MAP");
    switch (c.role) {
        case Role::Map: args = {path}; break;
        case Role::FirstReport: args = {map, path}; break;
        case Role::Ally:
            args = {"--own-race", "Vorlani", map, f.write("GAME.F1", {kReportHeading, fleet_line({"Vorlani Scout #1"})}),
                    "--ally", path, "--owner", "Quessari"};
            break;
    }
    const Result r = dump(f, args, options);
    expect_sound(r);
    if (c.role == Role::Ally && kind == "directory") {
        // A folder is no file: the load is refused before anything is read.
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.section("status"), std::vector<std::string>{"refused\tFile" + path + " does not exist!"});
        return;
    }
    EXPECT_EQ(r.exitCode, 1);
    expect_error(r, reason);
    if (c.role == Role::Ally) {
        EXPECT_EQ(r.section("status"),
                  std::vector<std::string>{"error\t" + reason + "\\rThe report \"" + fs::path(path).filename().string() +
                                           "\" was not merged; nothing has changed."});
        EXPECT_EQ(r.rows("fleets"), 2u) << "the own report stays as it was";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableFiles,
    ::testing::Values(Unreadable{"DirectoryAsMap", Role::Map, "directory"},
                      Unreadable{"DirectoryAsReport", Role::FirstReport, "directory"},
                      Unreadable{"DirectoryAsAlly", Role::Ally, "directory"},
                      Unreadable{"LockedMap", Role::Map, "locked"},
                      Unreadable{"LockedReport", Role::FirstReport, "locked"},
                      Unreadable{"LockedAlly", Role::Ally, "locked"},
                      Unreadable{"FailingMap", Role::Map, "failing"},
                      Unreadable{"FailingReport", Role::FirstReport, "failing"},
                      Unreadable{"FailingAlly", Role::Ally, "failing"},
                      Unreadable{"PipeAsMap", Role::Map, "pipe"},
                      Unreadable{"PipeAsReport", Role::FirstReport, "pipe"},
                      Unreadable{"PipeAsAlly", Role::Ally, "pipe"},
                      Unreadable{"DeviceAsReport", Role::FirstReport, "device"},
                      Unreadable{"DeviceAsAlly", Role::Ally, "device"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- command line -------------------------------------------------------------

TEST(CommandLine, EachValueGivenOnce) {
    Folder f;
    const std::string map = f.map("GAME.MAP"), first = f.ownReport();
    const std::string ally = f.report("ALLY.F2", 3, "Quessari", 2);
    const std::string usage = "usage: trevanor-dump [--own-race NAME] MAP_FILE [FIRST_REPORT [ALLY ...] [SHOW ...]]\n";
    struct Case {
        const char* what;
        std::vector<std::string> args;
        int exitCode;
    };
    const Case cases[] = {
        {"one owner per ally", {map, first, "--ally", ally, "--owner", "Quessari", "--ally", ally, "--owner", "Ozmari"}, 0},
        {"a second owner for one ally", {map, first, "--ally", ally, "--owner", "Quessari", "--owner", "Ozmari"}, 2},
        {"a second owner after the flags", {map, first, "--ally", ally, "--owner", "Quessari", "--no-delete", "--owner", "Quessari"}, 2},
        {"an empty owner given again", {map, first, "--ally", ally, "--owner", "", "--owner", "Quessari"}, 2},
        {"a second own race", {"--own-race", "Vorlani", "--own-race", "Ozmari", map}, 2},
        {"particulars without a report", {map, "--particulars", "Vorlani Scout #1"}, 2},
        {"a spot without its Y", {map, first, "--group", "1100"}, 2},
        {"particulars of a fleet not there", {map, first, "--particulars", "Nobody", "--group", "1", "1"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Result r = dump(f, c.args);
        expect_sound(r);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        if (c.exitCode == 2) {
            // The word refused, on a line of its own, then the usage.
            EXPECT_TRUE(r.err.starts_with("trevanor-dump: ")) << r.err;
            EXPECT_NE(r.err.find("\n" + usage), std::string::npos) << r.err;
            EXPECT_EQ(r.out, "");
        }
    }
}

// Each word the dump cannot take ends it with status 2 and a first line on
// standard error that names the word; nothing goes to standard output.
TEST(CommandLine, RefusedWordsAreNamed) {
    Folder f;
    const std::string map = f.map("GAME.MAP"), first = f.ownReport(), picture = f / "map.png";
    const std::string ally = f.report("ALLY.F2", 3, "Quessari", 2);
    struct Case {
        std::vector<std::string> args;  // after the MAP and the first report
        const char* word;               // named on the first line; null: the words are taken
    };
    const Case cases[] = {
        {{"--picture", picture, "--routes", "all"}, "\"all\""},
        {{"--picture", picture, "--routes", "Nobody"}, "\"Nobody\""},
        {{"--picture", picture, "--routes", "_all"}, "\"_all\""},
        {{"--picture", picture, "--zoom", "huge"}, "\"huge\""},
        {{"--picture", picture, "--zoom", "999"}, "\"999\""},
        {{"--picture", picture, "--names", "some"}, "\"some\""},
        {{"--picture", picture, "--jumps", "0"}, "\"0\""},
        {{"--picture", picture, "--jumps", "x"}, "\"x\""},
        {{"--picture"}, "--picture"},
        {{"--picture", picture, "--zoom"}, "--zoom"},
        {{"--zoom", "200"}, "--zoom"},
        {{"--frobnicate"}, "\"--frobnicate\""},
        {{"extra"}, "\"extra\""},
        {{"--ally", ally}, "--owner"},
        {{"--ally", ally, "--owner", "Quessari", "--earlier-ally", ally}, "--earlier-ally"},
        {{"--earlier", first, "--earlier-ally", ally, "--overwrite"}, "--overwrite"},
        {{"--group", "1"}, "--group"},
        {{"--history", map, "--trail", "x", "--turns", "1"}, "\"1\""},
        {{"--history", map, "--trail", "x", "--turns", "21"}, "\"21\""},
        {{"--reach", "x", "1100"}, "\"x\""},
        {{"--reach", "1100", "1200"}, "\"1200\""},  // outside the universe of the one planet at 1100, 1100
        {{"--reach", "1100", "1100", "--reach-planet", "P1"}, "--reach-planet"},
        {{"--reach-planet", "Nowhere"}, "\"Nowhere\""},
        {{"--reach-planet", "P1", "--years", "10"}, "\"10\""},
        {{"--years", "3"}, "--years"},
        {{"--routes", "_All"}, "--routes"},
        // What the map's route filter offers is taken.
        {{"--picture", picture, "--routes", "_All", "--zoom", "1500", "--names", "50", "--jumps", "9"}, nullptr},
        {{"--picture", picture, "--routes", "Quessari"}, nullptr},
        {{"--picture", picture, "--routes", "_Only own"}, nullptr},
        {{"--reach", "1100", "1100", "--years", "9", "--routes", "Quessari"}, nullptr},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{map, first};
        args.insert(args.end(), c.args.begin(), c.args.end());
        SCOPED_TRACE(c.word ? c.word : c.args.back());
        const Result r = dump(f, args);
        expect_sound(r);
        if (!c.word) {
            EXPECT_EQ(r.exitCode, 0) << r.err;
            continue;
        }
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.out, "");
        const std::string firstLine = r.err.substr(0, r.err.find('\n'));
        EXPECT_TRUE(firstLine.starts_with("trevanor-dump: ")) << r.err;
        EXPECT_NE(firstLine.find(c.word), std::string::npos) << r.err;
    }
}

// Kept turns that cannot be read are no answer: the dump says why, naming
// the folder, and exits 1. --help is an answer.
TEST(History, WhatCannotBeReadIsNoAnswer) {
    Folder f;
    const std::string map = f.map("GAME.MAP"), first = f.ownReport(), kept = f / "kept";
    ASSERT_EQ(dump(f, {map, first, "--keep-history", kept}).exitCode, 0);
    fs::copy_file(map, f / "OTHER.MAP");
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string said;  // on standard error, or for status 0 the start of standard output
    };
    const Case cases[] = {
        {{"--help"}, 0, "usage: trevanor-dump [--own-race NAME]"},
        {{map, "-h"}, 0, "usage: trevanor-dump [--own-race NAME]"},
        {{map, "--history", f / "none"}, 1, "The folder of kept turns \"" + f / "none" + "\" does not exist."},
        {{map, "--history", map}, 1, "\"" + map + "\" is a file, not a folder of kept turns."},
        {{f / "OTHER.MAP", "--history", kept}, 1, "No kept turn of OTHER.MAP could be read from \"" + kept + "\"."},
        {{map, first, "--history", kept, "--trail", "Vorlani Scout #1"}, 0, "## messages"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        const Result r = dump(f, c.args);
        expect_sound(r);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        if (c.exitCode == 0) EXPECT_TRUE(r.out.starts_with(c.said)) << r.out.substr(0, 200);
        else expect_error(r, c.said);
    }
    const Result other = dump(f, {f / "OTHER.MAP", "--history", kept});
    EXPECT_NE(other.row("messages", "warning").find("was read for GAME.MAP, not for OTHER.MAP"), std::string::npos);
}

// Qt, started for the picture, says nothing of its own on standard error,
// also without XDG_RUNTIME_DIR (as under cron).
TEST(Picture, StandardErrorHoldsOnlyTheDumpsOwnMessages) {
    Folder f;
    const Result r = dump(f, {f.map("GAME.MAP"), f.ownReport(), "--picture", f / "map.png", "--names", "100"},
                          {.noRuntimeDir = true});
    expect_sound(r);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(fs::exists(f / "map.png"));
}

}  // namespace
