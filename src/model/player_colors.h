#pragma once
// Player colours: which player holds a colour, and giving a player a colour
// while the colours of named players stay distinct. Every change is written
// to the settings of the open MAP at once.

#include <array>
#include <cstdint>
#include <functional>

#include "session.h"
#include "settings.h"

namespace trevanor {

// One item of the colour menu.
struct ColorMenuItem {
    const char* caption;
    std::int32_t value;  // 0x00BBGGRR
};

// The colour menu in menu order (Olive Green before Lime Green, unlike the
// order of the default colours).
extern const std::array<ColorMenuItem, 16> kColorMenu;

// The lowest player number 1..16 whose colour equals `colour`, 0 when none.
int player_of_color(const Session& session, std::int32_t colour);

// Paints the colour bar of a player: hatched for a colour <= 0, else solid.
using PaintBar = std::function<void(int player, std::int32_t colour)>;

// Gives player k (1..16) the colour and saves the players' colours. A named
// player who held the colour before moves on to the first default colour,
// from its own position onwards, that no player holds; an unnamed one is
// left without a colour (0). Both bars are painted through `paintBar`.
void change_color(Session& session, Settings& settings, int k, std::int32_t colour, const PaintBar& paintBar);

}  // namespace trevanor
