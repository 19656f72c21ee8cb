#include "map/hit_test.h"

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

MapHit hit_test(const Session& session, const MapView& view, int pixelX, int pixelY) {
    MapHit hit;
    hit.click = pixel_to_map(view, pixelX, pixelY);
    hit.xText = "X:" + std::string(left(std::to_string(hit.click.x), 4));
    hit.yText = "Y:" + std::string(left(std::to_string(hit.click.y), 4));
    if (const int g = fleet_near(session, hit.click.x, hit.click.y)) {
        fleet_hit(session, view, g, hit);
        return hit;
    }
    if (const int r = planet_near(session, hit.click.x, hit.click.y)) {
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
        return hit;
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

}  // namespace trevanor
