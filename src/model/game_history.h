#pragma once
// The turns of one game kept in the program's own data folder, so that last
// year is still there after the game has overwritten its reports. Each turn
// is a folder holding the MAP, the first report and the allies' reports that
// were read for it, packed with gzip (bytes unchanged once unpacked), and a description (turn.txt): the
// files' modification times and sizes, the merge options of each ally's
// report, the own race, and the statistics of every race seen.
//
// A turn is kept once per distinct content of its MAP and first report;
// allies merged later are added to it. A turn is written into a folder of
// another name that is renamed once its description is written last: a
// folder without a whole description,
// or whose files are missing or of another size, is damaged and left out
// with a message. The oldest turns go first once more than the cap are kept.

#include <cstdint>
#include <string>
#include <vector>

#include "session.h"
#include "statistics.h"
#include "turn_reads.h"

namespace trevanor {

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
};

// A kept turn's copies unpacked into a folder of their own under their
// names, for the readers; the folder goes with it. Throws FileError when a
// copy cannot be unpacked.
class UnpackedTurn {
public:
    explicit UnpackedTurn(const KeptTurn& turn);
    ~UnpackedTurn();
    UnpackedTurn(const UnpackedTurn&) = delete;
    UnpackedTurn& operator=(const UnpackedTurn&) = delete;

    std::string path(const KeptFile& file) const;

private:
    std::string folder_;
};

class GameHistory {
public:
    static constexpr int kDefaultCap = 200;

    // `folder` holds this game's turns; it is made when the first turn is kept.
    explicit GameHistory(std::string folder, int cap = kDefaultCap);

    // The folder of a game's turns inside the program's data folder: one
    // per MAP file name.
    static std::string folder_for(const std::string& dataFolder, const std::string& mapPath);

    // Keeps the turn that `reads` describe, with what `session` made of it.
    // True when something was written; false when this content was kept
    // already (with these allies or more). Throws FileError when a file
    // cannot be read or written; what was kept before stays.
    bool keep(const TurnReads& reads, const Session& session);

    struct Listing {
        std::vector<KeptTurn> turns;        // oldest first
        std::vector<std::string> skipped;   // a message per damaged turn
    };
    Listing turns() const;

    // Deletes every kept turn of the game.
    void forget();
    std::uint64_t size_on_disk() const;
    const std::string& folder() const { return folder_; }

private:
    std::string folder_;
    int cap_;
};

// The open turn's label and up to `count` kept turns before it, newest
// first. The open turn is the kept one of the same content when there is
// one, else it is labelled by its first report's modification time; the
// turns before it are the others kept no later than it.
struct TurnsBefore {
    std::string openLabel;
    std::vector<KeptTurn> turns;
};
TurnsBefore turns_before(const std::vector<KeptTurn>& kept, const TurnReads& open, std::size_t count);

// The label of a modification time: local date and time to the minute.
std::string turn_label(std::int64_t time);
// A file's modification time in seconds since 1970; 0 when it cannot be read.
std::int64_t modification_time(const std::string& path);

}  // namespace trevanor
