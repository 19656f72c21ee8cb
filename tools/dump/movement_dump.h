#pragma once
// The "movement" section of the dump (--earlier): the open game compared
// with an earlier year of it, a line per fleet.

#include <string>
#include <vector>

#include "model/earlier_year.h"
#include "model/model.h"

namespace trevanor {

struct EarlierRequest {
    std::string firstReport;  // empty: no comparison
    std::vector<AllyRead> allies;  // each with its owner as the report owner
};

// The section's lines: unique name, status, earlier X, Y, current X, Y, the
// distance (two decimals) and how the pair was made ("id" or "name"; empty
// for a new or gone fleet), TAB-joined; the open game's fleets in their
// position order, then the gone ones in the earlier year's. A read or merge
// of the earlier year that stops throws its error.
std::string dump_movement(Model& model, Prompter& prompter, const std::string& map, const EarlierRequest& request);

}  // namespace trevanor
