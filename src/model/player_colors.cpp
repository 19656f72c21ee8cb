#include "player_colors.h"

#include <cstddef>

namespace trevanor {

const std::array<ColorMenuItem, 16> kColorMenu = {{
    {"Teal", 0x808000},
    {"Green", 0x008000},
    {"Lime Green", 0x00FF00},
    {"Olive Green", 0x008080},
    {"Dark Green", 0x003F00},
    {"Yellow", 0x00FFFF},
    {"Orange", 0x3F7FFF},
    {"Aqua", 0xFFFF00},
    {"Blue", 0xFF0000},
    {"Sky Blue", 0xFF7F7F},
    {"Navy Blue", 0x800000},
    {"Fuchsia", 0xFF00FF},
    {"Purple", 0x800080},
    {"Gray", 0x7F7F7F},
    {"Red", 0x0000FF},
    {"Maroon", 0x000080},
}};

namespace {

std::int32_t colorOf(const Player& p) { return static_cast<std::int32_t>(p.Color); }

// The first default colour after position c (wrapping from 16 to 1, position
// c itself last) that no player holds. Each position is tried once, so odd
// stored colours cannot keep the search going; when every default colour is
// taken the player gets none (0).
std::int32_t first_free_default(const Session& s, int c) {
    for (int step = 1; step <= kPlayers; ++step) {
        const int pos = (c - 1 + step) % kPlayers + 1;
        const auto candidate = static_cast<std::int32_t>(s.Default_colors[static_cast<std::size_t>(pos)]);
        if (player_of_color(s, candidate) == 0) return candidate;
    }
    return 0;
}

}  // namespace

int player_of_color(const Session& session, std::int32_t colour) {
    for (int p = 1; p <= kPlayers; ++p)
        if (colorOf(session.Players[static_cast<std::size_t>(p)]) == colour) return p;
    return 0;
}

void change_color(Session& session, Settings& settings, int k, std::int32_t colour, const PaintBar& paintBar) {
    if (k < 1 || k > kPlayers) return;
    if (paintBar) paintBar(k, colour);
    const int c = player_of_color(session, colour);
    session.Players[static_cast<std::size_t>(k)].Color = static_cast<ColorValue>(colour);
    settings.save_players_to_reg();
    if (c == 0 || c == k || colour <= 0) return;

    // Player c gives the colour up. The new colour is held by no player (or
    // is 0), so the call for c changes nobody else.
    const Player& loser = session.Players[static_cast<std::size_t>(c)];
    const std::int32_t next = loser.Name.empty() ? 0 : first_free_default(session, c);
    change_color(session, settings, c, next, paintBar);
}

}  // namespace trevanor
