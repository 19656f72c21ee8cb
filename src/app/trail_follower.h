#pragma once
// Following every fleet of the open game back through the kept turns on a
// thread of its own: each kept turn is unpacked, read and matched (some 30 ms
// a turn on the largest game), which the windows never wait for. It works on
// a copy of the open game, so the windows may change theirs meanwhile; what
// a kept turn that cannot be read warns of is handed back to be said on the
// windows' thread.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/beside_the_windows.h"
#include "model/fleet_trails.h"
#include "model/session.h"

namespace trevanor {

class TrailFollower {
public:
    struct Result {
        std::unique_ptr<FleetTrails> trails;  // null when the following stopped
        std::vector<std::string> warnings;    // and errors, as the prompter would have shown them
    };
    // Follows the fleets of `open` back through `earlier` (newest first, see
    // FleetTrails::build), then runs `done` on that thread. A following under
    // way is finished first, and its result let go.
    void start(Session open, std::string openLabel, std::vector<KeptTurn> earlier, std::function<void()> done);
    // True while a following runs.
    bool running() const { return following_.running(); }
    // The result of the following started last, once, waiting for it to
    // end; nothing when none was started since.
    std::optional<Result> finish() { return following_.finish(); }

private:
    BesideTheWindows<Result> following_;
};

}  // namespace trevanor
