#pragma once
// Which player the user is: the own race, the one place it changes, and the
// own race menu of the main window that shows it.

#include <string>
#include <string_view>

#include "session.h"
#include "settings.h"

namespace trevanor {

// The own race when the user has chosen to be none of the players.
inline constexpr std::string_view kNoRace = "_none_";

// How the own race came to change, which decides whether it is stored.
enum class OwnRaceChange {
    Chosen,  // in the own race menu or the own race window: stored for the open MAP
    Picked,  // in the map's or the ally window's own race list: in memory only
    Loaded,  // read from the settings of the open MAP: already stored
};

// The one entry point that changes the own race: sets it, stores it when it
// was chosen, and rebuilds the own race menu.
void set_own_race(Session& session, Settings& settings, const std::string& name, OwnRaceChange how);

// Takes the own race stored for the open MAP; false when none is stored.
bool load_own_race(Session& session, Settings& settings);

// True when an own race other than "_none_" is chosen.
bool own_race_chosen(const Session& session);

// Rebuilds the own race menu from the players and the own race.
void update_race_list(Session& session);

}  // namespace trevanor
