#pragma once
// What a kept turn's description (turn.txt) says: the turn's label and time,
// the content key of its MAP and first report, the own race, each file kept
// with its modification time, size, hash and packed size, each ally's merge
// options, and every race's figures. The description is written by the
// program, but read back from a disk where anything can happen to it: every
// line is checked, and a description that names a file by anything but a
// plain name, or gives a figure out of its range, is damaged.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "merge_options.h"
#include "session.h"
#include "statistics.h"

namespace trevanor {

// The largest file a turn keeps (unpacked): far beyond any report of the
// largest game, and a bound on what a damaged description can make the
// program unpack.
constexpr std::uint64_t kMaxKeptFile = std::uint64_t{256} << 20;

struct KeptFile {
    std::string name;           // in the turn's folder ("DEMO.F1", "ally-1/DEMO.F2"), packed as name + ".gz"
    std::int64_t modified = 0;  // the original file's modification time, seconds since 1970
    std::uint64_t size = 0;     // unpacked
    std::string key;            // a hash of its bytes
    std::uint64_t stored = 0;   // the packed copy's size
};

struct KeptAlly {
    KeptFile file;
    MergeOptions options;
};

// A race's figures in one turn, as the statistics give them.
struct KeptRace {
    int player = 0;
    std::string name;
    ColorValue color = 0;
    RaceStats stats;
};

struct KeptTurn {
    std::string folder;      // the turn's folder
    std::string label;       // the first report's modification time, "2026-12-08 17:35" (local time)
    std::int64_t time = 0;   // the same time, seconds since 1970
    std::string key;         // the hash of the MAP's and first report's bytes
    std::string ownRace;
    KeptFile map, firstReport;
    std::vector<KeptAlly> allies;
    int fleets = 0;                // rows of the merged fleet table
    std::vector<KeptRace> races;   // every race seen, by player number

    // The packed copy of a file.
    std::string path_of(const KeptFile& file) const;
    // The MAP, the first report and the allies' reports, in reading order.
    std::vector<const KeptFile*> files() const;
};

// The hash a kept file's bytes are known by (64-bit FNV-1a, in hex); the
// parts are hashed one after the other, each one closed.
std::string content_key(std::initializer_list<std::string_view> parts);

// True when every figure fits the description's range (0 to 2^31 - 1).
bool figures_in_range(const RaceStats& stats);

// The description's text.
std::string describe(const KeptTurn& turn);
// Reads a description into `turn`: empty when it is whole and sound, else
// why not ("line 7 of its description cannot be read").
std::string read_description(std::string_view text, KeptTurn& turn);

}  // namespace trevanor
