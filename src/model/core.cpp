#include "core.h"

namespace trevanor {

void Core::update_race_list() {
    MainWindowState& m = s_.main;
    m.ownRaceItems.clear();
    for (int p = 1; p <= kPlayers; ++p) {
        const Player& player = s_.Players[static_cast<std::size_t>(p)];
        if (player.Name.empty()) continue;
        const bool checked = player.Name == s_.Own_race_name;
        if (checked) m.none1Checked = false;  // one radio group
        m.ownRaceItems.push_back({player.Name, "Menu_" + player.Name + std::to_string(p), checked});
        m.OwnRace1.enabled = true;
    }
    if (s_.Own_race_name == "_none_") {
        m.none1Checked = true;
        for (auto& item : m.ownRaceItems) item.checked = false;
    }
}

std::vector<std::string> Core::route_race_items() const {
    std::vector<std::string> items{"_All"};
    if (!s_.Own_race_name.empty() && s_.Own_race_name != "_none_") items.push_back("_Only own");
    if (!s_.acceptedReportOwners.empty()) {
        items.push_back("_Own and Allies");
        items.push_back("_Only allies");
    }
    for (int p = 1; p <= kPlayers; ++p)
        if (!s_.Players[static_cast<std::size_t>(p)].Name.empty()) items.push_back(s_.Players[static_cast<std::size_t>(p)].Name);
    return items;
}

void Core::race_check(std::size_t item) {
    MainWindowState& m = s_.main;
    if (item >= m.ownRaceItems.size()) return;
    for (std::size_t i = 0; i < m.ownRaceItems.size(); ++i) m.ownRaceItems[i].checked = i == item;
    m.none1Checked = false;
    s_.Own_race_name = m.ownRaceItems[item].caption;
    settings_.save_own_race(s_.Own_race_name);
}

void Core::none1Click() {
    MainWindowState& m = s_.main;
    for (auto& i : m.ownRaceItems) i.checked = false;
    m.none1Checked = true;
    s_.Own_race_name = "_none_";
    settings_.save_own_race(s_.Own_race_name);
}

}  // namespace trevanor
