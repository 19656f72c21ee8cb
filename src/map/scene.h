#pragma once
// What the map draws of planets and fleets, read from the tables once per
// change of the data instead of at every redraw: planets with their positions
// and names, and the fleets gathered into spots (the runs of the
// position-sorted table at one place) with their owner colour, mixed flag and
// the texts of both label modes. Positions stay in light years, so one scene
// serves every zoom.
//
// The scene notices changes itself: it remembers the revisions of the planet
// and position-sorted tables, the players' colours and the own race name it
// was built from, and update() rebuilds it when any of them moved on.

#include <cstdint>
#include <string>
#include <vector>

#include "map/canvas.h"
#include "map/map_view.h"
#include "model/session.h"

namespace trevanor {

struct ScenePlanet {
    std::int32_t x = 0, y = 0;  // light years
    int row = 0;                // row of the planet table (names go by row)
    std::string name;
};

struct SceneSpot {
    std::int32_t x = 0, y = 0;  // light years
    ColorValue color = 0;       // the first fleet's owner's colour
    int fleets = 0;             // rows in the spot
    int row = 0;                // the first of them in the position-sorted table
    bool mixed = false;         // owners differ
    bool ownRace = false;       // the first fleet's name starts with the own race name
    std::string countLabel;     // "Show ship count": the count, or "m" when it is 0
    bool countIsZero = false;   // ... then drawn in white
    std::string numberLabel;    // "Show fleet's numbers": "m", "#ID" and "*", or empty
};

class MapScene {
public:
    MapScene() = default;
    explicit MapScene(const Session& session) { update(session); }

    // Reads the tables again when the data changed since the last build;
    // true when it did.
    bool update(const Session& session);
    // Changes with every rebuild: what is drawn from the scene compares it.
    std::uint64_t generation() const { return generation_; }

    const std::vector<ScenePlanet>& planets() const { return planets_; }
    const std::vector<SceneSpot>& spots() const { return spots_; }

private:
    struct Source {
        std::uint64_t planets = 0, fleets = 0;
        ColorArray colors{};
        std::string ownRace;
        bool operator==(const Source&) const = default;
    };
    static Source source_of(const Session& session);
    void build(const Session& session);

    bool built_ = false;
    Source source_;
    std::uint64_t generation_ = 0;
    std::vector<ScenePlanet> planets_;
    std::vector<SceneSpot> spots_;
};

// The same pictures as draw_stars and draw_fleets over the session's tables,
// drawn from the scene: the same primitives in the same order and state.
void draw_stars(Canvas& canvas, MapView& view, const MapScene& scene);
void draw_fleets(Canvas& canvas, const MapView& view, const MapScene& scene);

}  // namespace trevanor
