#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "model/player_colors.h"
#include "test_support.h"

using namespace trevanor;

namespace {

using Painted = std::vector<std::pair<int, std::int32_t>>;

// A MAP just read: every player in its default colour; 1, 3, 5, 12 named.
struct ColorRig : test::Rig {
    ColorRig(const std::map<int, std::int32_t>& changed = {}) {
        session.Map_name = "GAME.MAP";
        for (int p = 1; p <= kPlayers; ++p) session.Players[p].Color = kDefaultColors[p];
        for (int p : {1, 3, 5, 12}) session.Players[p].Name = "Race" + std::to_string(p);
        for (auto [p, c] : changed) session.Players[p].Color = static_cast<ColorValue>(c);
    }
    std::int32_t color(int p) const { return static_cast<std::int32_t>(session.Players[p].Color); }
    Painted change(int k, std::int32_t colour) {
        Painted painted;
        change_color(session, settings, k, colour, [&](int p, std::int32_t c) { painted.emplace_back(p, c); });
        return painted;
    }
};

}  // namespace

TEST(PlayerColors, ChangeColorKeepsNamedPlayersDistinct) {
    const struct {
        const char* name;
        std::map<int, std::int32_t> before;  // colours other than the defaults
        int k;
        std::int32_t colour;
        Painted painted;  // bars painted, in order: every colour that changes
    } cases[] = {
        {"named holder takes the next free default", {{7, 0}}, 3, 0x003F00, {{3, 0x003F00}, {5, 0x3F7FFF}}},
        {"the free default right after the holder's place", {{6, 0}, {7, 0}}, 3, 0x003F00, {{3, 0x003F00}, {5, 0x00FFFF}}},
        {"search wraps from 16 to 1", {{2, 0}}, 3, 0x003F00, {{3, 0x003F00}, {5, 0x008000}}},
        {"same colour again", {}, 3, 0x008080, {{3, 0x008080}}},
        {"colour nobody holds", {{2, 0}}, 1, 0x008000, {{1, 0x008000}}},
        {"unnamed holder is left without a colour", {}, 3, 0x800080, {{3, 0x800080}, {13, 0}}},
        {"zero: hatched, no exchange", {{9, 0}}, 3, 0, {{3, 0}}},
        {"negative: hatched, no exchange", {{9, -1}}, 5, -1, {{5, -1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ColorRig rig(c.before);
        std::array<std::int32_t, 17> expected{};
        for (int p = 1; p <= kPlayers; ++p) expected[p] = rig.color(p);
        for (auto [p, v] : c.painted) expected[p] = v;

        EXPECT_EQ(rig.change(c.k, c.colour), c.painted);
        for (int p = 1; p <= kPlayers; ++p) {
            EXPECT_EQ(rig.color(p), expected[p]) << "player " << p;
            EXPECT_EQ(rig.store.readInt("GAME.MAP", "p" + std::to_string(p)), expected[p]) << "stored p" << p;
        }
    }
}

TEST(PlayerColors, NoFreeDefaultLeavesTheHolderWithoutAColour) {
    ColorRig rig;
    rig.session.Default_colors.fill(kDefaultColors[1]);  // odd defaults: all alike and held
    EXPECT_EQ(rig.change(3, 0x003F00), (Painted{{3, 0x003F00}, {5, 0}}));
}

TEST(PlayerColors, MenuHoldsTheDefaultColoursWithThirdAndFourthSwapped) {
    for (int i = 0; i < 16; ++i) {
        const int pos = i == 2 ? 4 : i == 3 ? 3 : i + 1;
        EXPECT_EQ(kColorMenu[i].value, static_cast<std::int32_t>(kDefaultColors[pos])) << kColorMenu[i].caption;
    }
    EXPECT_STREQ(kColorMenu[2].caption, "Lime Green");
}
