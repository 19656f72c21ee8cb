#pragma once
// The players of the game as the reports show them: race names taken from
// fleet names, looked up by name.

#include <string>
#include <string_view>
#include <vector>

#include "session.h"

namespace trevanor {

// The owner word of a fleet name: the text before its first blank (the whole
// name without one). In a Kelvra fleet name it is the owner's race name.
std::string owner_word(std::string_view fleetName);

// The first player number 1..16 whose race name equals `name` exactly; 0 when none.
int player_index_of(const Session& session, std::string_view name);

// The numbers of the players seen so far (a non-empty race name), ascending.
std::vector<int> named_players(const Session& session);
// Their race names, in the same order.
std::vector<std::string> race_names(const Session& session);

// The race name of a player number; empty for one that is no player's.
std::string race_name_of(const Session& session, int player);

// The colour a fleet of this owner is drawn in; white for an owner that is no
// player of the game.
ColorValue owner_color(const Session& session, int owner);

}  // namespace trevanor
