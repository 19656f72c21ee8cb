#include "players.h"

namespace trevanor {

std::string owner_word(std::string_view fleetName) { return std::string(fleetName.substr(0, fleetName.find(' '))); }

int player_index_of(const Session& session, std::string_view name) {
    for (int p = 1; p <= kPlayers; ++p)
        if (session.Players[static_cast<std::size_t>(p)].Name == name) return p;
    return 0;
}

std::vector<int> named_players(const Session& session) {
    std::vector<int> numbers;
    for (int p = 1; p <= kPlayers; ++p)
        if (!session.Players[static_cast<std::size_t>(p)].Name.empty()) numbers.push_back(p);
    return numbers;
}

std::vector<std::string> race_names(const Session& session) {
    std::vector<std::string> names;
    for (const int p : named_players(session)) names.push_back(session.Players[static_cast<std::size_t>(p)].Name);
    return names;
}

std::string race_name_of(const Session& session, int player) {
    return player >= 1 && player <= kPlayers ? session.Players[static_cast<std::size_t>(player)].Name : std::string();
}

ColorValue owner_color(const Session& session, int owner) {
    constexpr ColorValue kWhite = 0xFFFFFF;
    return owner >= 1 && owner <= kPlayers ? session.Players[static_cast<std::size_t>(owner)].Color : kWhite;
}

}  // namespace trevanor
