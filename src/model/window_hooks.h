#pragma once
// What the logic asks of the windows in the middle of an operation. The
// defaults do nothing, as a program without windows (the dump tool) needs.

#include <functional>

namespace trevanor {

class WindowHooks {
public:
    virtual ~WindowHooks() = default;
    // The own race window, shown modally, with a suggested player (0: none).
    virtual void own_race_showmodal(int /*player*/) {}
    // The ally report window with its progress at 0 and an empty status line.
    virtual void show_ally_report() {}
    // Empties the calculator's four coordinate fields.
    virtual void clear_calculator() {}
    // A MAP change: the tool windows (all but the main window and the fleet
    // particulars) are destroyed, then created anew in their order; the map
    // window's creation runs `mapCreation` (it reads the new MAP).
    virtual void destroy_tool_windows() {}
    virtual void create_tool_windows(const std::function<void()>& mapCreation) { mapCreation(); }
    // The map's route filter is refilled (players or allies changed).
    virtual void refresh_route_race() {}
    // The player colour window, for new players still without a colour.
    virtual void show_player_colors() {}
};

}  // namespace trevanor
