#include "map/hit_test.h"

#include <algorithm>
#include <cstdlib>

#include "model/locate.h"
#include "model/numbers.h"
#include "model/players.h"
#include "model/text.h"

namespace trevanor {

namespace {
constexpr ColorValue kWhite = 0xFFFFFF;

SelectedObject marker_at(const MapView& view, const std::string& x, const std::string& y, ColorValue colour) {
    SelectedObject m;
    m.Pixel_x = view.pixel_x(parse_int(x).value_or(0));
    m.Pixel_y = view.pixel_y(parse_int(y).value_or(0));
    m.color = colour;
    return m;
}

void fleet_hit(const Session& s, const MapView& view, int g, MapHit& hit) {
    const TextTable& t = s.fleetsByPos;
    hit.row = g;
    if (spot_of(s, g).group()) {
        hit.what = MapHit::What::Group;
        hit.line1 = "Multi-fleets";
        hit.color = kButtonFaceColor;
        hit.jumpFleet = t.cell(col::UniqueName, g + 1);
    } else {
        hit.what = MapHit::What::Fleet;
        hit.line1 = t.cell(col::UniqueName, g);
        hit.color = owner_color(s, to_int_def(t.cell(col::Owner, g), 0));
        hit.jumpFleet = hit.line1;
    }
    hit.xText = "X:" + t.cell(col::X, g);
    hit.yText = "Y:" + t.cell(col::Y, g);
    hit.line2 = t.cell(col::Planet, g);
    hit.marker = marker_at(view, t.cell(col::X, g), t.cell(col::Y, g), hit.color);
}
}  // namespace

namespace {
void planet_hit(const Session& session, const MapView& view, int r, MapHit& hit) {
    const TextTable& planets = session.planets;
    const std::string& x = planets.cell(planet_col::X, r);
    const std::string& y = planets.cell(planet_col::Y, r);
    hit.what = MapHit::What::Planet;
    hit.row = r;
    hit.line2 = planets.cell(planet_col::Name, r);
    hit.xText = "X:" + x;
    hit.yText = "Y:" + y;
    hit.color = kWhite;
    hit.marker = marker_at(view, x, y, kWhite);
}

// What is drawn at the pixel: the nearest fleet diamond (4 pixels around its
// centre, as drawn) or planet dot; fleets first on a tie.
void drawn_hit(const Session& session, const MapView& view, const MapScene& scene, int px, int py, MapHit& hit) {
    constexpr int kDiamond = 4, kDot = 2;
    long best = -1;
    int fleetRow = 0, planetRow = 0;
    const auto consider = [&](std::int32_t x, std::int32_t y, bool diamond, int row) {
        const int dx = view.pixel_x(x) - px, dy = view.pixel_y(y) - py;
        const bool inside = diamond ? std::abs(dx) + std::abs(dy) <= kDiamond : std::max(std::abs(dx), std::abs(dy)) <= kDot;
        const long d = static_cast<long>(dx) * dx + static_cast<long>(dy) * dy;
        if (!inside || (best >= 0 && d >= best)) return;
        best = d;
        fleetRow = diamond ? row : 0;
        planetRow = diamond ? 0 : row;
    };
    for (const SceneSpot& s : scene.spots())
        if (!(view.hideOwn && s.ownRace && !s.mixed)) consider(s.x, s.y, true, s.row);
    for (const ScenePlanet& p : scene.planets()) consider(p.x, p.y, false, p.row);
    if (fleetRow) fleet_hit(session, view, fleetRow, hit);
    else if (planetRow) planet_hit(session, view, planetRow, hit);
}
}  // namespace

MapHit hit_test(const Session& session, const MapView& view, int pixelX, int pixelY, const MapScene* scene) {
    MapHit hit;
    hit.click = pixel_to_map(view, pixelX, pixelY);
    hit.xText = "X:" + std::string(left(std::to_string(hit.click.x), 4));
    hit.yText = "Y:" + std::string(left(std::to_string(hit.click.y), 4));
    if (const int g = fleet_near(session, hit.click.x, hit.click.y)) {
        fleet_hit(session, view, g, hit);
        return hit;
    }
    if (const int r = planet_near(session, hit.click.x, hit.click.y)) {
        planet_hit(session, view, r, hit);
        return hit;
    }
    if (scene) {
        drawn_hit(session, view, *scene, pixelX, pixelY, hit);
        if (hit.what != MapHit::What::DeepSpace) return hit;
    }
    hit.line1 = "Deep Space";
    return hit;
}

int convert_pos2id(const Session& session, int sortedRow, Prompter& prompter) {
    const TextTable& t = session.fleetsByPos;
    const std::string& name = t.cell(col::UniqueName, sortedRow);
    const int owner = to_int_def(t.cell(col::Owner, sortedRow), 0);
    if (const int row = find_fleet_row(session, owner, name)) return row;
    prompter.message("Convert of \"" + name + "\" (no: " + std::to_string(sortedRow) + ") impossible");
    return 0;
}

HoverInfo hover_info(const Session& session, const MapView& view, const MapScene& scene, int pixelX, int pixelY) {
    HoverInfo info;
    const MapHit hit = hit_test(session, view, pixelX, pixelY, &scene);
    if (hit.what == MapHit::What::DeepSpace) return info;
    info.planet = hit.line2;
    if (hit.what == MapHit::What::Planet) return info;
    const SpotRows spot = spot_of(session, hit.row);
    const TextTable& t = session.fleetsByPos;
    for (int r = spot.first; r < spot.first + spot.count; ++r) {
        if (static_cast<int>(info.fleets.size()) == kHoverFleets) {
            info.more = spot.first + spot.count - r;
            break;
        }
        info.fleets.push_back({t.cell(col::UniqueName, r), owner_color(session, to_int_def(t.cell(col::Owner, r), 0))});
    }
    return info;
}

}  // namespace trevanor
