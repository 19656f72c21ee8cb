#pragma once
// Storing a fleet's scanner ranges from the particulars window or the fleet
// scanner window: the entry of one fleet (kind "F", centred on the fleet), or
// the compound entry of one owner's fleets at a spot (kind "M", centred on the
// spot named in the entry's name).

#include <string>

#include "prompter.h"
#include "scanner_list.h"
#include "session.h"

namespace trevanor {

// "Compound scanners of " + race + " fleet at: " + position (a planet name,
// or "space: X,Y").
std::string compound_entry_name(const std::string& race, const std::string& position);

// A range as the particulars show it: a trailing "*" marker goes before the
// number is read. Throws the conversion error for a text that is no number.
int shown_range(std::string text);

// The entry to store: owner 0 for one fleet found by its unique name (its
// owner's colour; not found: the lookup's message and centre 0, 0 in white),
// else the compound entry of that player's fleets.
StoredRange fleet_range_entry(const Session& session, const std::string& name, int nonPenetrating, int owner,
                              int penetrating, Prompter& prompter);

}  // namespace trevanor
