#include "own_race.h"

#include "players.h"

namespace trevanor {

void set_own_race(Session& session, Settings& settings, const std::string& name, OwnRaceChange how) {
    session.Own_race_name = name;
    if (how == OwnRaceChange::Chosen) settings.save_own_race(name);
    if (how == OwnRaceChange::Loaded) session.mapRaceText = name;
    update_race_list(session);
}

bool load_own_race(Session& session, Settings& settings) {
    const auto stored = settings.stored_own_race();
    if (!stored) return false;
    set_own_race(session, settings, *stored, OwnRaceChange::Loaded);
    return true;
}

bool own_race_chosen(const Session& session) {
    return !session.Own_race_name.empty() && session.Own_race_name != kNoRace;
}

void update_race_list(Session& session) {
    MainWindowState& m = session.main;
    m.ownRaceItems.clear();
    for (const int p : named_players(session)) {
        const Player& player = session.Players[static_cast<std::size_t>(p)];
        const bool checked = player.Name == session.Own_race_name;
        if (checked) m.none1Checked = false;  // one radio group
        m.ownRaceItems.push_back({player.Name, "Menu_" + player.Name + std::to_string(p), checked});
        m.OwnRace1.enabled = true;
    }
    if (session.Own_race_name == kNoRace) {
        m.none1Checked = true;
        for (auto& item : m.ownRaceItems) item.checked = false;
    }
}

}  // namespace trevanor
