#pragma once
// The kept turns of a game in the dump: --keep-history keeps the turn just
// read, --history lists each kept turn's statistics, --trail follows one
// fleet back through the kept turns.

#include <string>

#include "model/model.h"

namespace trevanor {

struct HistoryRequest {
    std::string keepFolder;  // --keep-history: keep the turn read in this game folder
    std::string folder;      // --history: list this game folder's turns
    std::string trailName;   // --trail: a fleet of the open game
    int turns = 5;           // --turns
    // The folder the trail follows: --history's, else --keep-history's.
    const std::string& trailFolder() const { return folder.empty() ? keepFolder : folder; }
};

// Keeps the turn the model read; a file that cannot be read or written throws.
void keep_history(const Model& model, const std::string& folder);

// The "history" section's lines: per kept turn of the MAP `mapPath`, oldest
// first, and per race seen in it, the turn's label, TAB, that race's line of
// the statistics section. A turn left out (damaged, not written to its end,
// read for another MAP) is a warning to `prompter`; a folder that cannot be
// read, or of which no turn can be, throws FileError naming it.
std::string dump_history(const std::string& mapPath, const std::string& folder, Prompter& prompter);

// The "trail" section's lines: per turn, oldest first, the label, TAB, X,
// TAB, Y of the fleet (both empty where it was not seen). A name that is no
// fleet on the map gives no lines and a message.
std::string dump_trail(const Model& model, Prompter& prompter, const HistoryRequest& request);

}  // namespace trevanor
