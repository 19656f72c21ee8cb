#pragma once
// What the player read for the open turn, in order: the MAP, the first
// report and each ally's report merged with its options. A new turn is read
// by doing the same again; the history keeps the same files.

#include <cstdint>
#include <string>
#include <vector>

#include "merge_options.h"

namespace trevanor {

struct AllyRead {
    std::string path;
    MergeOptions options;
    bool operator==(const AllyRead&) const = default;
};

struct TurnReads {
    std::string map;          // empty until a MAP is read
    std::string firstReport;  // empty until the first report is read
    std::vector<AllyRead> allies;
    // Counts every change, so that what keeps or watches the files notices one.
    std::uint64_t revision = 0;

    bool complete() const { return !map.empty() && !firstReport.empty(); }
};

}  // namespace trevanor
