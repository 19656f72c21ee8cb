#include "map/scene.h"

#include <algorithm>
#include <climits>
#include <exception>
#include <iterator>
#include <thread>
#include <optional>

#include "model/locate.h"
#include "model/numbers.h"
#include "model/players.h"

namespace trevanor {

namespace {
constexpr ColorValue kWhite = 0xFFFFFF;

// A cell of a row; empty past its end (a row written through row() may be short).
const std::string& at(const std::vector<std::string>& row, int column) {
    static const std::string kEmpty;
    return static_cast<std::size_t>(column) < row.size() ? row[static_cast<std::size_t>(column)] : kEmpty;
}

std::vector<ScenePlanet> read_planets(const TextTable& planets) {
    std::vector<ScenePlanet> out;
    out.reserve(static_cast<std::size_t>(planets.lastRow()));
    const auto& rows = planets.rows();
    for (int r = 1; r <= planets.lastRow(); ++r) {
        const auto& row = rows[static_cast<std::size_t>(r)];
        const auto x = parse_int32(at(row, planet_col::X)), y = parse_int32(at(row, planet_col::Y));
        // A blank or damaged MAP line has no place on the map.
        if (x && y) out.push_back({*x, *y, r, at(row, planet_col::Name)});
    }
    return out;
}

// The spot of position-sorted rows [first, first + count): colour, mixed
// flag and both labels.
SceneSpot make_spot(const Session& session, const SpotRows& spot) {
    const TextTable& t = session.fleetsByPos;
    const auto& rows = t.rows();
    const auto& a = rows[static_cast<std::size_t>(spot.first)];
    SceneSpot s;
    s.x = *parse_int32(at(a, col::X));
    s.y = *parse_int32(at(a, col::Y));
    // An owner that is no number is no player: drawn in white.
    s.color = owner_color(session, to_int_def(at(a, col::Owner), 0));
    s.fleets = spot.count;
    s.row = spot.first;
    const auto row = [&](int k) -> const std::vector<std::string>& { return rows[static_cast<std::size_t>(spot.first + k)]; };
    // Owners compare as the cells read: the same text is the same owner.
    for (int k = 1; k < spot.count && !s.mixed; ++k) s.mixed = at(row(k), col::Owner) != at(a, col::Owner);
    const std::string& name = at(a, col::Name);
    s.ownRace = std::string_view(name).substr(0, name.find(' ')) == session.Own_race_name;  // the owner word

    // A damaged ship count counts as none; 32-bit counts cannot overflow their 64-bit sum.
    const auto ships = [&](int k) -> std::int64_t { return parse_int32(at(row(k), col::Ships)).value_or(0); };
    std::int64_t count = ships(0);
    if (spot.count > 1) {
        count = 0;
        if (!s.mixed)
            for (int k = 0; k < spot.count; ++k) count += ships(k);
    }
    s.countIsZero = count == 0;
    s.countLabel = count != 0 ? std::to_string(count) : "m";

    if (spot.count >= 2) {
        s.numberLabel.assign(1, 'm');
    } else {
        const std::string& id = at(a, col::Id);
        if (!id.empty()) s.numberLabel.append(1, '#').append(id);
        if (!name.empty() && name.back() == '*') s.numberLabel += '*';
    }
    return s;
}

// The rows lie apart in memory: the cells a spot reads are asked for some
// rows ahead, so that they arrive together instead of one after the other,
// and the texts kept outside the cells (long names) once the cells are there.
class RowsAhead {
public:
    RowsAhead(const TextTable& t, int first, int last) : rows_(t.rows()), last_(last), cells_(first), texts_(first) {}
    void before(int row) {
        for (; cells_ <= std::min(row + 2 * kAhead, last_); ++cells_)
            for (const int c : {col::Name, col::X, col::Ships, col::Owner, col::Id})
                if (const std::string* cell = at(cells_, c)) __builtin_prefetch(cell);
        for (; texts_ <= std::min(row + kAhead, last_); ++texts_)
            if (const std::string* name = at(texts_, col::Name)) __builtin_prefetch(name->data());
    }

private:
    static constexpr int kAhead = 12;
    const std::string* at(int row, int column) const {
        const auto& cells = rows_[static_cast<std::size_t>(row)];
        return static_cast<std::size_t>(column) < cells.size() ? &cells[static_cast<std::size_t>(column)] : nullptr;
    }
    const std::vector<std::vector<std::string>>& rows_;
    int last_;
    int cells_, texts_;
};

// The spots whose rows stand on the map among rows [from, to), `from` the
// first of its spot, in position order.
std::vector<SceneSpot> read_spots(const Session& session, int from, int to) {
    const TextTable& t = session.fleetsByPos;
    std::vector<SceneSpot> out;
    RowsAhead ahead(t, from, to - 1);
    for (int r = from; r < to;) {
        ahead.before(r);
        if (!on_map(t, r, col::X, col::Y)) {
            ++r;
            continue;
        }
        const SpotRows spot = spot_from(session, r);  // the walk goes on after the spot before
        out.push_back(make_spot(session, spot));
        r = spot.first + spot.count;
    }
    return out;
}

// Every spot, in position order. A large table is read in two halves at
// once, on two threads, split where a spot begins.
std::vector<SceneSpot> read_spots(const Session& session) {
    constexpr int kRowsForTwo = 4096;
    const int last = session.fleetsByPos.lastRow();
    const int split = last >= kRowsForTwo ? spot_of(session, last / 2).first : 0;
    if (split <= 1) return read_spots(session, 1, last + 1);
    std::vector<SceneSpot> later;
    std::exception_ptr failed;
    std::thread other([&] {
        try {
            later = read_spots(session, split, last + 1);
        } catch (...) {
            failed = std::current_exception();
        }
    });
    std::vector<SceneSpot> out;
    try {
        out = read_spots(session, 1, split);
    } catch (...) {
        other.join();
        throw;
    }
    other.join();
    if (failed) std::rethrow_exception(failed);
    out.insert(out.end(), std::make_move_iterator(later.begin()), std::make_move_iterator(later.end()));
    return out;
}
}  // namespace

MapScene::Source MapScene::source_of(const Session& session) {
    Source s;
    s.planets = session.planets.revision();
    s.fleets = session.fleetsByPos.revision();
    for (std::size_t p = 0; p < session.Players.size(); ++p) s.colors[p] = session.Players[p].Color;
    s.ownRace = session.Own_race_name;
    return s;
}

bool MapScene::update(const Session& session) {
    Source now = source_of(session);
    if (built_ && now == source_) return false;
    build(session);
    source_ = std::move(now);
    built_ = true;
    ++generation_;
    return true;
}

void MapScene::build(const Session& session) {
    // Imports and merges change the fleets, seldom the planets.
    if (!built_ || session.planets.revision() != source_.planets) planets_ = read_planets(session.planets);
    spots_ = read_spots(session);
}

void draw_stars(Canvas& canvas, MapView& view, const MapScene& scene) {
    set_zoom(view, view.zoom);
    size_surface(canvas, view);
    if (view.names != NameDensity::None) {
        canvas.state.fontColor = kWhite;
        canvas.state.brushClear = true;
        const int step = view.names == NameDensity::Half ? 2 : view.names == NameDensity::Quarter ? 4 : 1;
        const int first = step > 1 && view.Name_phase ? 2 : 1;
        for (const ScenePlanet& p : scene.planets()) {
            if (p.row < first || (p.row - first) % step != 0) continue;
            const int x = view.pixel_x(p.x);
            const int y = view.pixel_y(p.y);
            canvas.textOut(x - canvas.textWidth(p.name) / 2, y + 3, p.name);
        }
    }

    canvas.state.penColor = kWhite;
    canvas.state.penStyle = PenStyle::Solid;
    canvas.state.brushColor = kWhite;
    canvas.state.brushClear = false;
    for (const ScenePlanet& p : scene.planets()) {
        const int x = view.pixel_x(p.x);
        const int y = view.pixel_y(p.y);
        canvas.ellipse(x - 2, y - 2, x + 2, y + 2);
    }
}

namespace {
void centred_above(Canvas& canvas, int x, int y, const std::string& label) {
    canvas.textOut(x - canvas.textWidth(label) / 2, y - canvas.textHeight(label) - 1, label);
}

void draw_spot(Canvas& canvas, const MapView& view, const SceneSpot& s, std::vector<Point>& diamond) {
    const int x = view.pixel_x(s.x);
    const int y = view.pixel_y(s.y);
    canvas.state.penColor = s.mixed ? kWhite : s.color;
    const bool hidden = view.hideOwn && !s.mixed && s.ownRace;
    if (!hidden) {
        diamond = {{x - 3, y}, {x, y + 3}, {x + 3, y}, {x, y - 3}};
        canvas.polygon(diamond);
        diamond = {{x - 4, y}, {x, y + 4}, {x + 4, y}, {x, y - 4}};
        canvas.polygon(diamond);
    }
    canvas.state.fontColor = s.color;
    if (hidden) return;
    if (view.labels == FleetLabels::ShipCount) {
        if (s.countIsZero) canvas.state.fontColor = kWhite;
        centred_above(canvas, x, y, s.countLabel);
    } else if (view.labels == FleetLabels::Numbers) {
        canvas.state.fontColor = s.mixed ? kWhite : s.color;
        if (s.fleets >= 2) canvas.textOut(x - 2, y - 15, s.numberLabel);
        else if (!s.numberLabel.empty()) centred_above(canvas, x, y, s.numberLabel);
    }
}
}  // namespace

void draw_fleets(Canvas& canvas, const MapView& view, const MapScene& scene) {
    canvas.state.brushClear = true;
    canvas.state.penStyle = PenStyle::Solid;
    std::vector<Point> diamond(4);
    for (const SceneSpot& s : scene.spots()) draw_spot(canvas, view, s, diamond);
}

}  // namespace trevanor
