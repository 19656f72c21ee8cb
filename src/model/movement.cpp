#include "movement.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <span>

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
    bool byName;      // the key is the name
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
        out.push_back({r, *x, *y, std::move(key), id.empty()});
    }
    return out;
}

constexpr std::size_t kUnpaired = ~std::size_t{0};
// More candidate pairs than this in one group (a thousand fleets of one
// name in each year) are not weighed: that group pairs in position order.
constexpr std::size_t kMaxCandidates = std::size_t{1} << 20;

// The fleets' indices sorted by key; fleets of one key stay in position order.
std::vector<std::size_t> by_key(const std::vector<YearFleet>& fleets) {
    std::vector<std::size_t> order(fleets.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int c = fleets[a].key.compare(fleets[b].key);
        return c != 0 ? c < 0 : a < b;
    });
    return order;
}

struct Candidate {
    double squared;             // the squared distance, exact for coordinates of a map's size
    std::uint32_t now, before;  // indices within the group, in position order
    bool operator<(const Candidate& o) const {
        return squared != o.squared ? squared < o.squared : now != o.now ? now < o.now : before < o.before;
    }
};

// Pairs the fleets of one key, the closest pair first (ties: the earlier
// of the open game's, then of the earlier year's position order).
void pair_group(std::span<const std::size_t> now, std::span<const std::size_t> before,
                const std::vector<YearFleet>& nowFleets, const std::vector<YearFleet>& beforeFleets,
                std::vector<std::size_t>& pairedWith, std::vector<Candidate>& candidates) {
    const std::size_t pairs = std::min(now.size(), before.size());
    if (now.size() * before.size() > kMaxCandidates) {
        for (std::size_t k = 0; k < pairs; ++k) pairedWith[now[k]] = before[k];
        return;
    }
    candidates.clear();
    for (std::uint32_t i = 0; i < now.size(); ++i)
        for (std::uint32_t j = 0; j < before.size(); ++j) {
            const YearFleet &a = nowFleets[now[i]], &b = beforeFleets[before[j]];
            const double dx = static_cast<double>(std::int64_t{a.x} - b.x),
                         dy = static_cast<double>(std::int64_t{a.y} - b.y);
            candidates.push_back({dx * dx + dy * dy, i, j});
        }
    std::sort(candidates.begin(), candidates.end());
    std::vector<bool> nowTaken(now.size()), beforeTaken(before.size());
    std::size_t made = 0;
    for (auto c = candidates.begin(); made < pairs; ++c) {
        if (nowTaken[c->now] || beforeTaken[c->before]) continue;
        nowTaken[c->now] = beforeTaken[c->before] = true;
        pairedWith[now[c->now]] = before[c->before];
        ++made;
    }
}

// For each fleet of the open game, the index of the earlier fleet it is
// paired with, or kUnpaired.
std::vector<std::size_t> pair_years(const std::vector<YearFleet>& now, const std::vector<YearFleet>& before) {
    std::vector<std::size_t> pairedWith(now.size(), kUnpaired);
    const std::vector<std::size_t> a = by_key(now), b = by_key(before);
    std::vector<Candidate> candidates;
    for (std::size_t i = 0, j = 0; i < a.size() && j < b.size();) {
        const std::string& key = now[a[i]].key;
        const int order = key.compare(before[b[j]].key);
        if (order < 0) {
            ++i;
            continue;
        }
        if (order > 0) {
            ++j;
            continue;
        }
        std::size_t iEnd = i + 1, jEnd = j + 1;
        while (iEnd < a.size() && now[a[iEnd]].key == key) ++iEnd;
        while (jEnd < b.size() && before[b[jEnd]].key == key) ++jEnd;
        pair_group(std::span(a).subspan(i, iEnd - i), std::span(b).subspan(j, jEnd - j), now, before, pairedWith,
                   candidates);
        i = iEnd;
        j = jEnd;
    }
    return pairedWith;
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

FleetMove paired_move(const Session& current, const YearFleet& f, const YearFleet& e) {
    const std::int64_t dx = std::int64_t{f.x} - e.x, dy = std::int64_t{f.y} - e.y;
    FleetMove m = move_of_row(current, f.row, dx == 0 && dy == 0 ? MoveStatus::Still : MoveStatus::Moved);
    m.earlierRow = e.row;
    m.earlierX = e.x;
    m.earlierY = e.y;
    m.distance = distance_of(dx, dy);
    m.byName = f.byName;
    return m;
}

}  // namespace

std::vector<FleetMove> compare_years(const Session& current, const Session& earlier) {
    const std::vector<YearFleet> now = fleets_of(current), before = fleets_of(earlier);
    const std::vector<std::size_t> pairedWith = pair_years(now, before);
    std::vector<bool> matched(before.size(), false);
    std::vector<FleetMove> moves;
    moves.reserve(now.size() + before.size() / 8);
    for (std::size_t i = 0; i < now.size(); ++i) {
        const YearFleet& f = now[i];
        const std::size_t e = pairedWith[i];
        FleetMove m =
            e == kUnpaired ? move_of_row(current, f.row, MoveStatus::New) : paired_move(current, f, before[e]);
        if (e != kUnpaired) matched[e] = true;
        m.currentRow = f.row;
        m.currentX = f.x;
        m.currentY = f.y;
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
    const char* const how = move.byName && move.hasEarlier() && move.hasCurrent() ? " (by name)" : "";
    if (move.status != MoveStatus::Moved) return std::string(status_word(move.status)) + " since " + since + how;
    char text[48];
    std::snprintf(text, sizeof text, "moved %.1f ly since ", move.distance);
    return text + since + how;
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
