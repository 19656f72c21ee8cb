#pragma once
// What moved since an earlier year of the open game. A fleet of the open
// game and one of the earlier year are the same fleet when their owner words
// and IDs are the same; fleets without an ID are the same when their unique
// names are, the merge's "*" marks aside.
//
// Where several fleets of either year share an ID, the closest two are
// paired first, then the closest two of the rest, and so on, however far
// apart (an ID is certain, and a stargate takes a fleet further than it
// flies). Fleets paired by name are never further apart than warp 10 covers
// between the two turns: 100 ly for each turn between them, the limit
// itself allowed. Where several share a name, as many pairs within the
// limit are made as can be, and of those pairings the one of least total
// distance is taken (on equal totals the earlier fleets of the open game's
// position order are paired, then those of the earlier year's); more than
// 400 fleets of one name within reach of each other in either year pair
// closest first instead. Each fleet of the open game has moved, stayed
// still or is new; each earlier fleet left without a match is gone.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "earlier_year.h"
#include "session.h"

namespace trevanor {

enum class MoveStatus { Moved, Still, New, Gone };
// "moved", "still", "new", "gone".
const char* status_word(MoveStatus status);

struct FleetMove {
    MoveStatus status = MoveStatus::New;
    std::string uniqueName;  // in the open game; in the earlier year for a gone fleet
    std::string owner;       // the owner word of its name
    int ownerNumber = 0;
    int currentRow = 0;      // position-sorted row in the open game; 0 for a gone fleet
    int earlierRow = 0;      // position-sorted row in the earlier year; 0 for a new fleet
    std::int32_t earlierX = 0, earlierY = 0, currentX = 0, currentY = 0;
    double distance = 0;     // light years from the earlier place; moved and still fleets
    bool byName = false;     // paired by its name alone (neither year gives an ID)
    bool hasEarlier() const { return status != MoveStatus::New; }
    bool hasCurrent() const { return status != MoveStatus::Gone; }
};

// A unique name without the merge's marks: "(*)" anywhere and a trailing "*".
std::string plain_name(std::string_view uniqueName);

// A fleet on the map as the pairing reads it.
struct YearFleet {
    int row;  // in the position-sorted table
    std::int32_t x, y;
    std::string key;  // "I", owner word and ID; or, without an ID, "N" and the plain unique name (TAB between)
    bool byName;      // the key is the name
};
// A year's fleets on the map (both coordinates numbers), in position order.
std::vector<YearFleet> year_fleets(const Session& s);

// The open game's fleets in position order, then the gone ones in the
// earlier year's position order. Rows without a position on the map are
// left out. `turnsBetween`: the turns from the earlier year to the open
// game, which set how far apart two fleets paired by name may be.
std::vector<FleetMove> compare_years(const Session& current, const Session& earlier, int turnsBetween = 1);

// What the map's tool tip and the particulars say of a fleet's move:
// "moved 123.4 ly since DEMO-1.F1", "still since …", "new since …", "gone since …";
// a pair made by name alone ends in " (by name)".
std::string move_text(const FleetMove& move, const std::string& since);

// The open game compared with an earlier year, worked out again whenever
// the open game's tables change.
class YearComparison {
public:
    // A newly read earlier year replaces the one held, `turnsBetween` turns
    // before the open game (see compare_years); forget() drops it.
    void set(std::unique_ptr<EarlierYear> year, int turnsBetween = 1);
    int turnsBetween() const { return turnsBetween_; }
    void forget();
    bool active() const { return year_ != nullptr; }
    const EarlierYear* earlier() const { return year_.get(); }

    const std::vector<FleetMove>& moves(const Session& current);
    // Changes whenever the moves may have: what draws them compares it.
    std::uint64_t generation(const Session& current);
    // The move of a fleet of the open game by its unique name; null for none.
    const FleetMove* move_of(const Session& current, const std::string& uniqueName);
    // move_text of a fleet of the open game, since the earlier year's first
    // report; empty when nothing is compared or the fleet is not on the map.
    std::string text_of(const Session& current, const std::string& uniqueName);
    // The gone fleets last seen at (x, y).
    std::vector<const FleetMove*> gone_at(const Session& current, std::int32_t x, std::int32_t y);

private:
    void update(const Session& current);

    std::unique_ptr<EarlierYear> year_;
    int turnsBetween_ = 1;
    std::vector<FleetMove> moves_;
    std::uint64_t comparedRevision_ = 0;
    std::uint64_t generation_ = 0;
};

}  // namespace trevanor
