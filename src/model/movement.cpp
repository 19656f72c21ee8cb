#include "movement.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numeric>
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

std::vector<YearFleet> year_fleets(const Session& s) {
    const TextTable& t = s.fleetsByPos;
    std::vector<YearFleet> out;
    out.reserve(static_cast<std::size_t>(std::max(0, t.lastRow())));
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

namespace {

// How far a fleet paired by name may be from its earlier place: warp 10
// covers 100 ly a turn. Counts past any kept history are capped, which
// keeps the squared limit exact in 64 bits.
constexpr std::int64_t kLightYearsPerTurn = 100;
constexpr int kMaxTurnsBetween = 1'000'000;
std::int64_t name_limit(int turnsBetween) {
    return kLightYearsPerTurn * std::clamp(turnsBetween, 1, kMaxTurnsBetween);
}

// Whether two places are at most `limit` light years apart (a pair exactly
// at the limit is), decided on whole numbers.
bool within(const YearFleet& a, const YearFleet& b, std::int64_t limit) {
    const std::int64_t dx = std::int64_t{a.x} - b.x, dy = std::int64_t{a.y} - b.y;
    return dx >= -limit && dx <= limit && dy >= -limit && dy <= limit && dx * dx + dy * dy <= limit * limit;
}

// Pairs by ID have no limit.
constexpr std::int64_t kNoLimit = 0;
bool allowed(const YearFleet& a, const YearFleet& b, std::int64_t limit) {
    return limit == kNoLimit || within(a, b, limit);
}

constexpr std::size_t kUnpaired = ~std::size_t{0};
// More candidate pairs than this in one group (a thousand fleets of one
// key in each year) are not weighed: that group pairs in position order
// (by name only where the two are within the limit).
constexpr std::size_t kMaxCandidates = std::size_t{1} << 20;
// A part of a name group with more fleets than this in either year is
// paired closest first instead of solved as an assignment (O(n³)).
constexpr std::size_t kMaxAssigned = 400;
constexpr double kLengthScale = 65536.0;  // a Cost's length unit: 1/65536 ly

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

// The fleets of one key in both years, each year's in position order.
struct Group {
    std::span<const std::size_t> now, before;  // indices into the years' fleets
    const std::vector<YearFleet>& nowFleets;
    const std::vector<YearFleet>& beforeFleets;
    std::vector<std::size_t>& pairedWith;
    const YearFleet& a(std::size_t i) const { return nowFleets[now[i]]; }
    const YearFleet& b(std::size_t j) const { return beforeFleets[before[j]]; }
    void pair(std::size_t i, std::size_t j) const { pairedWith[now[i]] = before[j]; }
};

struct Candidate {
    double squared;             // the squared distance, exact for coordinates of a map's size
    std::uint32_t now, before;  // indices within the group, in position order
    bool operator<(const Candidate& o) const {
        return squared != o.squared ? squared < o.squared : now != o.now ? now < o.now : before < o.before;
    }
};

double squared_distance(const YearFleet& a, const YearFleet& b) {
    const double dx = static_cast<double>(std::int64_t{a.x} - b.x), dy = static_cast<double>(std::int64_t{a.y} - b.y);
    return dx * dx + dy * dy;
}

// The group's pairs within `limit` (every pair for none), closest first
// (ties: the earlier of the open game's, then of the earlier year's position order).
void list_candidates(const Group& g, std::int64_t limit, std::vector<Candidate>& candidates) {
    candidates.clear();
    for (std::uint32_t i = 0; i < g.now.size(); ++i)
        for (std::uint32_t j = 0; j < g.before.size(); ++j)
            if (allowed(g.a(i), g.b(j), limit)) candidates.push_back({squared_distance(g.a(i), g.b(j)), i, j});
    std::sort(candidates.begin(), candidates.end());
}

// Pairs the closest two of the candidates whose open fleet `take` accepts,
// then the closest two of the rest, and so on.
template <class Take>
void pair_closest_first(const Group& g, const std::vector<Candidate>& candidates, Take take) {
    std::vector<bool> nowTaken(g.now.size()), beforeTaken(g.before.size());
    for (const Candidate& c : candidates) {
        if (nowTaken[c.now] || beforeTaken[c.before] || !take(c.now)) continue;
        nowTaken[c.now] = beforeTaken[c.before] = true;
        g.pair(c.now, c.before);
    }
}

// The k-th fleet of either year with the k-th, where a group is too large to weigh.
void pair_in_order(const Group& g, std::int64_t limit) {
    for (std::size_t k = 0; k < std::min(g.now.size(), g.before.size()); ++k)
        if (allowed(g.a(k), g.b(k), limit)) g.pair(k, k);
}

// What the assignment of a part's fleets minimises, summed over the
// fleets of its smaller year and compared field by field in this order:
//  1. `unpaired`: 1 for a fleet given one beyond the limit (no pair), so
//     the most pairs within the limit are made: a pair is never given up
//     for a shorter total;
//  2. `length`: the distance of each pair (not its square) in 1/65536 ly,
//     so of those pairings the one of least total distance is taken;
//  3. `order`: i × 400² + j for each pair, i and j the fleets' places in
//     the part's position orders of the open game and of the earlier year,
//     so of equal totals the earlier fleets of the open game are paired,
//     then those of the earlier year;
//  4. `crossing`: −i × j for each pair, so the earlier goes with the earlier.
struct Cost {
    std::int64_t unpaired = 0, length = 0, order = 0, crossing = 0;
    auto operator<=>(const Cost&) const = default;
    Cost& operator+=(const Cost& o) {
        unpaired += o.unpaired, length += o.length, order += o.order, crossing += o.crossing;
        return *this;
    }
    Cost& operator-=(const Cost& o) {
        unpaired -= o.unpaired, length -= o.length, order -= o.order, crossing -= o.crossing;
        return *this;
    }
    Cost operator-(const Cost& o) const { return Cost(*this) -= o; }
};

// The column given to each row of a rows × cols table of costs (rows <=
// cols), every row one of its own, at the least total: shortest augmenting
// paths with row and column potentials, O(rows² × cols).
std::vector<std::size_t> assign(std::size_t rows, std::size_t cols, const std::vector<Cost>& costs) {
    constexpr Cost kEndless{std::numeric_limits<std::int64_t>::max() / 4};
    std::vector<Cost> u(rows + 1), v(cols + 1), least(cols + 1);
    std::vector<std::size_t> rowOf(cols + 1, 0), via(cols + 1, 0);  // rows and columns counted from 1; 0: none
    std::vector<bool> reached(cols + 1);
    for (std::size_t row = 1; row <= rows; ++row) {
        rowOf[0] = row;
        std::size_t col = 0;
        std::fill(least.begin(), least.end(), kEndless);
        std::fill(reached.begin(), reached.end(), false);
        do {  // grow the tree of shortest paths from `row` until it reaches a free column
            reached[col] = true;
            const std::size_t from = rowOf[col];
            Cost step = kEndless;
            std::size_t next = 0;
            for (std::size_t c = 1; c <= cols; ++c) {
                if (reached[c]) continue;
                const Cost reduced = costs[(from - 1) * cols + c - 1] - u[from] - v[c];
                if (reduced < least[c]) {
                    least[c] = reduced;
                    via[c] = col;
                }
                if (least[c] < step) {
                    step = least[c];
                    next = c;
                }
            }
            for (std::size_t c = 0; c <= cols; ++c) {
                if (!reached[c]) {
                    least[c] -= step;
                    continue;
                }
                u[rowOf[c]] += step;
                v[c] -= step;
            }
            col = next;
        } while (rowOf[col] != 0);
        for (std::size_t back = via[col]; col != 0; col = back, back = via[col]) rowOf[col] = rowOf[back];
    }
    std::vector<std::size_t> colOf(rows);
    for (std::size_t c = 1; c <= cols; ++c)
        if (rowOf[c] != 0) colOf[rowOf[c] - 1] = c - 1;
    return colOf;
}

// The fleets of a group that pairs within the limit may join, each year's
// in position order (indices within the group).
struct Part {
    std::vector<std::uint32_t> now, before;
};

// The group split where no pair within the limit links it; parts of one
// year alone are left out (they have nothing to pair).
std::vector<Part> parts_of(const Group& g, const std::vector<Candidate>& candidates) {
    const auto n = static_cast<std::uint32_t>(g.now.size());
    std::vector<std::uint32_t> up(n + g.before.size());  // the open game's fleets first
    std::iota(up.begin(), up.end(), 0u);
    const auto root = [&](std::uint32_t k) {
        while (up[k] != k) k = up[k] = up[up[k]];
        return k;
    };
    for (const Candidate& c : candidates) {
        const std::uint32_t a = root(c.now), b = root(n + c.before);
        up[std::max(a, b)] = std::min(a, b);
    }
    std::vector<Part> parts;
    std::vector<std::uint32_t> partOf(up.size(), UINT32_MAX);
    for (const Candidate& c : candidates)
        if (const std::uint32_t r = root(c.now); partOf[r] == UINT32_MAX) {
            partOf[r] = static_cast<std::uint32_t>(parts.size());
            parts.emplace_back();
        }
    for (std::uint32_t k = 0; k < up.size(); ++k)
        if (const std::uint32_t part = partOf[root(k)]; part != UINT32_MAX)
            k < n ? parts[part].now.push_back(k) : parts[part].before.push_back(k - n);
    return parts;
}

// Pairs a part's fleets at the least Cost: the smaller year's fleets
// assigned to the larger's, a pair beyond the limit left unpaired.
void pair_part(const Group& g, const Part& p, std::int64_t limit) {
    const bool nowRows = p.now.size() <= p.before.size();
    const std::size_t rows = nowRows ? p.now.size() : p.before.size(), cols = nowRows ? p.before.size() : p.now.size();
    constexpr auto kOrderScale = static_cast<std::int64_t>(kMaxAssigned * kMaxAssigned);
    std::vector<Cost> costs(rows * cols);
    for (std::size_t r = 0; r < rows; ++r)
        for (std::size_t c = 0; c < cols; ++c) {
            const std::size_t i = nowRows ? r : c, j = nowRows ? c : r;
            const YearFleet &a = g.a(p.now[i]), &b = g.b(p.before[j]);
            Cost& cost = costs[r * cols + c];
            if (!within(a, b, limit)) {
                cost.unpaired = 1;
                continue;
            }
            const auto si = static_cast<std::int64_t>(i), sj = static_cast<std::int64_t>(j);
            cost = {0, std::llround(std::sqrt(squared_distance(a, b)) * kLengthScale), si * kOrderScale + sj, -si * sj};
        }
    const std::vector<std::size_t> colOf = assign(rows, cols, costs);
    for (std::size_t r = 0; r < rows; ++r) {
        if (costs[r * cols + colOf[r]].unpaired != 0) continue;
        if (nowRows) g.pair(p.now[r], p.before[colOf[r]]);
        else g.pair(p.now[colOf[r]], p.before[r]);
    }
}

// Fleets of one name: the most pairs within the limit, at the least total
// distance, per part; a part too large for that pairs closest first.
void pair_by_name(const Group& g, std::int64_t limit, std::vector<Candidate>& candidates) {
    if (g.now.size() * g.before.size() > kMaxCandidates) return pair_in_order(g, limit);
    list_candidates(g, limit, candidates);
    std::vector<bool> large(g.now.size());
    for (const Part& p : parts_of(g, candidates)) {
        if (p.now.size() <= kMaxAssigned && p.before.size() <= kMaxAssigned) {
            pair_part(g, p, limit);
            continue;
        }
        for (const std::uint32_t i : p.now) large[i] = true;
    }
    pair_closest_first(g, candidates, [&](std::uint32_t i) { return large[i]; });
}

// Fleets of one ID: the closest pair first, whatever the distance (a
// stargate may take a fleet further than it flies).
void pair_by_id(const Group& g, std::vector<Candidate>& candidates) {
    if (g.now.size() * g.before.size() > kMaxCandidates) return pair_in_order(g, kNoLimit);
    list_candidates(g, kNoLimit, candidates);
    pair_closest_first(g, candidates, [](std::uint32_t) { return true; });
}

// For each fleet of the open game, the index of the earlier fleet it is
// paired with, or kUnpaired.
std::vector<std::size_t> pair_years(const std::vector<YearFleet>& now, const std::vector<YearFleet>& before,
                                    int turnsBetween) {
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
        const Group g{std::span(a).subspan(i, iEnd - i), std::span(b).subspan(j, jEnd - j), now, before, pairedWith};
        if (now[a[i]].byName) pair_by_name(g, name_limit(turnsBetween), candidates);
        else pair_by_id(g, candidates);
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

std::vector<FleetMove> compare_years(const Session& current, const Session& earlier, int turnsBetween) {
    const std::vector<YearFleet> now = year_fleets(current), before = year_fleets(earlier);
    const std::vector<std::size_t> pairedWith = pair_years(now, before, turnsBetween);
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

void YearComparison::set(std::unique_ptr<EarlierYear> year, int turnsBetween) {
    year_ = std::move(year);
    turnsBetween_ = turnsBetween;
    moves_.clear();
    comparedRevision_ = 0;
    ++generation_;
}

void YearComparison::forget() { set(nullptr); }

void YearComparison::update(const Session& current) {
    if (!year_ || comparedRevision_ == current.fleetsByPos.revision()) return;
    moves_ = compare_years(current, year_->session(), turnsBetween_);
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
