#include "movement.h"

#include <cmath>
#include <cstdio>
#include <unordered_map>

#include "calculator.h"
#include "numbers.h"
#include "players.h"

namespace trevanor {

const char* status_word(MoveStatus status) {
    switch (status) {
    case MoveStatus::Moved: return "moved";
    case MoveStatus::Still: return "still";
    case MoveStatus::New: return "new";
    case MoveStatus::Gone: break;
    }
    return "gone";
}

std::string plain_name(std::string_view uniqueName) {
    std::string name(uniqueName);
    for (auto at = name.find("(*)"); at != std::string::npos; at = name.find("(*)")) name.erase(at, 3);
    while (!name.empty() && (name.back() == '*' || name.back() == ' ')) name.pop_back();
    return name;
}

namespace {

// A fleet of one year, as the matching reads it.
struct YearFleet {
    int row;
    std::int32_t x, y;
    std::string key;  // owner word and ID, or the plain unique name
};

std::vector<YearFleet> fleets_of(const Session& s) {
    const TextTable& t = s.fleetsByPos;
    std::vector<YearFleet> out;
    out.reserve(static_cast<std::size_t>(t.lastRow()));
    for (int r = 1; r <= t.lastRow(); ++r) {
        // Only fleets on the map (both coordinates numbers), each read once.
        const auto x = parse_int32(t.cell(col::X, r)), y = parse_int32(t.cell(col::Y, r));
        if (!x || !y) continue;
        const std::string& id = t.cell(col::Id, r);
        std::string key;
        if (id.empty()) {
            key = plain_name(t.cell(col::UniqueName, r));
            key.insert(0, "N\t");
        } else {
            const std::string owner = owner_word(t.cell(col::Name, r));
            key.reserve(3 + owner.size() + id.size());
            key.append("I\t").append(owner).append(1, '\t').append(id);
        }
        out.push_back({r, *x, *y, std::move(key)});
    }
    return out;
}

FleetMove move_of_row(const Session& s, int row, MoveStatus status) {
    const TextTable& t = s.fleetsByPos;
    FleetMove m;
    m.status = status;
    m.uniqueName = t.cell(col::UniqueName, row);
    m.owner = owner_word(t.cell(col::Name, row));
    m.ownerNumber = to_int_def(t.cell(col::Owner, row), 0);
    return m;
}

}  // namespace

std::vector<FleetMove> compare_years(const Session& current, const Session& earlier) {
    const std::vector<YearFleet> now = fleets_of(current), before = fleets_of(earlier);
    // Earlier fleets by key, in their order: the same key twice pairs in order.
    std::unordered_multimap<std::string, std::size_t> byKey;
    for (std::size_t i = before.size(); i-- > 0;) byKey.emplace(before[i].key, i);
    std::vector<bool> matched(before.size(), false);
    std::vector<FleetMove> moves;
    moves.reserve(now.size() + before.size() / 8);
    for (const YearFleet& f : now) {
        std::size_t found = before.size();
        for (auto [it, end] = byKey.equal_range(f.key); it != end; ++it)
            if (!matched[it->second] && (found == before.size() || it->second < found)) found = it->second;
        if (found == before.size()) {
            FleetMove m = move_of_row(current, f.row, MoveStatus::New);
            m.currentRow = f.row;
            m.currentX = f.x;
            m.currentY = f.y;
            moves.push_back(std::move(m));
            continue;
        }
        matched[found] = true;
        const YearFleet& e = before[found];
        const std::int64_t dx = std::int64_t{f.x} - e.x, dy = std::int64_t{f.y} - e.y;
        FleetMove m = move_of_row(current, f.row, dx == 0 && dy == 0 ? MoveStatus::Still : MoveStatus::Moved);
        m.currentRow = f.row;
        m.earlierRow = e.row;
        m.currentX = f.x;
        m.currentY = f.y;
        m.earlierX = e.x;
        m.earlierY = e.y;
        m.distance = distance_of(dx, dy);
        moves.push_back(std::move(m));
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (matched[i]) continue;
        FleetMove m = move_of_row(earlier, before[i].row, MoveStatus::Gone);
        m.earlierRow = before[i].row;
        m.earlierX = before[i].x;
        m.earlierY = before[i].y;
        moves.push_back(std::move(m));
    }
    return moves;
}

std::string move_text(const FleetMove& move, const std::string& since) {
    if (move.status != MoveStatus::Moved) return std::string(status_word(move.status)) + " since " + since;
    char text[48];
    std::snprintf(text, sizeof text, "moved %.1f ly since ", move.distance);
    return text + since;
}

void YearComparison::set(std::unique_ptr<EarlierYear> year) {
    year_ = std::move(year);
    moves_.clear();
    comparedRevision_ = 0;
    ++generation_;
}

void YearComparison::forget() { set(nullptr); }

void YearComparison::update(const Session& current) {
    if (!year_ || comparedRevision_ == current.fleetsByPos.revision()) return;
    moves_ = compare_years(current, year_->session());
    comparedRevision_ = current.fleetsByPos.revision();
    ++generation_;
}

const std::vector<FleetMove>& YearComparison::moves(const Session& current) {
    update(current);
    return moves_;
}

std::uint64_t YearComparison::generation(const Session& current) {
    update(current);
    return generation_;
}

const FleetMove* YearComparison::move_of(const Session& current, const std::string& uniqueName) {
    for (const FleetMove& m : moves(current))
        if (m.hasCurrent() && m.uniqueName == uniqueName) return &m;
    return nullptr;
}

std::string YearComparison::text_of(const Session& current, const std::string& uniqueName) {
    const FleetMove* move = year_ ? move_of(current, uniqueName) : nullptr;
    return move ? move_text(*move, year_->name()) : std::string();
}

std::vector<const FleetMove*> YearComparison::gone_at(const Session& current, std::int32_t x, std::int32_t y) {
    std::vector<const FleetMove*> out;
    for (const FleetMove& m : moves(current))
        if (m.status == MoveStatus::Gone && m.earlierX == x && m.earlierY == y) out.push_back(&m);
    return out;
}

}  // namespace trevanor
