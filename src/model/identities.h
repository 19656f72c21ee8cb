#pragma once
// Fleet identities: IDs taken from names, missing own IDs filled in, unique
// names for fleets that share a name, the check of positions against the
// planets, and the index of owner blocks.

#include <string>
#include <string_view>

#include "prompter.h"
#include "session.h"

namespace trevanor {

constexpr int kHighestId = 512;

// The text after the last "#" of the name when it is a number of at most
// three characters not above 512; empty otherwise. The text is kept as found.
std::string retrieve_fleet_Id(std::string_view name);

// Fills missing IDs of the own block (the first run of rows with a task)
// inside first..last and gives the block's fleets that share a name their
// unique names. A duplicated unique name is reported, not changed.
void interpole_id_and_unique_names(TextTable& fleets, int first, int last, Prompter& prompter);

// True when the fleets after row `after` that sit at planets agree with the
// planet table (at most three matches are looked at).
bool validate_fleet_vs_planets(const TextTable& fleets, const TextTable& planets, int after);

// Rebuilds the owner blocks from the owner column. Entries no row sets keep
// their value; rows whose owner is not a number 1..16 are skipped.
void index_fleet_gr(const TextTable& fleets, FleetIndex& index);

}  // namespace trevanor
