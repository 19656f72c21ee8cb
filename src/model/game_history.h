#pragma once
// The turns of one game kept in the program's own data folder, so that last
// year is still there after the game has overwritten its reports. Each turn
// is a folder holding the MAP, the first report and the allies' reports that
// were read for it, packed with gzip (bytes unchanged once unpacked), and a description (turn.txt): the
// files' modification times and sizes, the merge options of each ally's
// report, the own race, and the statistics of every race seen.
//
// A turn is kept once per distinct content of its MAP and first report;
// allies merged later are added to it (an ally's newer report replaces the
// one of the same owner). A turn is written into a folder of another name
// that is renamed once its description is written last. What is read back
// is input like any file: a folder without a whole and sound description,
// whose copies are missing, of another size, unpack to other bytes than
// were kept, or that was read for another MAP, is left out with a message;
// so is a folder the program stopped writing. A report the game is still
// writing is not kept. The oldest turns go first once more than the cap are
// kept.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "session.h"
#include "turn_description.h"
#include "turn_reads.h"

namespace trevanor {

// A kept turn's copies unpacked into a folder of their own under their
// names, for the readers; the folder goes with it. Throws FileError when a
// copy cannot be unpacked to the size and bytes the description gives.
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

    // `folder` holds this game's turns; it is made when the first turn is
    // kept. Turns read for another MAP file than `mapName` are left out
    // (any MAP while it is empty).
    explicit GameHistory(std::string folder, int cap = kDefaultCap, std::string mapName = {});

    // The folder of a game's turns inside the program's data folder: one
    // per MAP file name.
    static std::string folder_for(const std::string& dataFolder, const std::string& mapPath);

    // Keeps the turn that `reads` describe, with what `session` made of it.
    // True when something was written; false when this content was kept
    // already (with these allies or more). Throws FileError when a file
    // cannot be read or written, or a report is not whole; what was kept
    // before stays.
    bool keep(const TurnReads& reads, const Session& session);
    // The same in two steps: the turn's files and the session's figures
    // taken as the turn was read (before the game writes the next one), then
    // kept, which reads no session and may run on a thread of its own.
    struct Reading;
    static std::shared_ptr<Reading> read_turn(const TurnReads& reads, const Session& session);
    bool keep(Reading& reading);

    struct Listing {
        std::vector<KeptTurn> turns;        // oldest first
        std::vector<std::string> skipped;   // a message per turn left out
        std::string problem;                // why the folder could not be listed; empty when it was
        bool absent = false;                // the folder does not exist: no turn was kept yet
    };
    Listing turns() const;

    // Deletes every kept turn of the game.
    void forget();
    std::uint64_t size_on_disk() const;
    const std::string& folder() const { return folder_; }

private:
    // The turns as their descriptions give them; turns() tells their labels apart.
    Listing stored() const;
    std::vector<std::filesystem::path> folders(Listing& listing) const;

    std::string folder_;
    int cap_;
    std::string mapName_;
};

// The open turn's label and up to `count` kept turns before it, newest
// first. The open turn is the kept one of the same content when there is
// one, else it is labelled by its first report's modification time; the
// turns before it are the others kept no later than it.
struct TurnsBefore {
    std::string openLabel;
    std::int64_t openTime = 0;
    std::vector<KeptTurn> turns;
};
TurnsBefore turns_before(const std::vector<KeptTurn>& kept, const TurnReads& open, std::size_t count);

// The label of a modification time: local date and time to the minute, or
// to the second.
std::string turn_label(std::int64_t time, bool seconds = false);
// Turns whose labels are the same minute are labelled to the second.
void tell_labels_apart(std::vector<KeptTurn>& turns);
// The own race, the fleets and every race's figures of the merged table,
// as the statistics give them; none where the statistics refuse the table
// or a figure is out of a description's range.
void take_figures(KeptTurn& turn, const Session& session);
// A turn holding only those figures.
KeptTurn figures_of(const Session& session);
// The kept copy of a file unpacked, checked against its size and hash;
// throws FileError when it is damaged.
std::string unpacked_copy(const KeptTurn& turn, const KeptFile& file);
// A file's modification time in seconds since 1970; 0 when it cannot be read.
std::int64_t modification_time(const std::string& path);

}  // namespace trevanor
