#pragma once
// Keeping a turn in the history on a thread of its own: reading its files
// again, hashing, packing and writing them never holds up the windows. One
// keeping runs at a time; whoever reads the history waits for the one under
// way first (finish), so what it finds is whole, and so does the program
// before it ends.

#include <functional>
#include <optional>
#include <string>

#include "app/beside_the_windows.h"

namespace trevanor {

class TurnKeeper {
public:
    struct Result {
        bool kept = false;   // something was written
        std::string error;   // why nothing could be kept
    };
    // Runs `keep` (true when it wrote something; it throws what stops it) on
    // a thread of its own, then `done` there too. A keeping under way is
    // finished first, and its result let go.
    void start(std::function<bool()> keep, std::function<void()> done);
    // True while a keeping runs.
    bool running() const { return keeping_.running(); }
    // The result of the keeping started last, once, waiting for it to end;
    // nothing when none was started since.
    std::optional<Result> finish() { return keeping_.finish(); }

private:
    BesideTheWindows<Result> keeping_;
};

}  // namespace trevanor
