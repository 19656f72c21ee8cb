#include "particulars.h"

#include <cmath>
#include <cstdio>

#include "calculator.h"
#include "locate.h"
#include "numbers.h"
#include "players.h"
#include "report_format.h"
#include "text.h"

namespace trevanor {

namespace {
constexpr ColorValue kWhite = 0xFFFFFF, kBlack = 0;

std::int64_t number_or_zero(const std::string& text) { return parse_int(text).value_or(0); }

std::string with_two_decimals(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

int owner_of(const TextTable& t, int r) { return to_int_def(t.cell(col::Owner, r), 0) & 0xFF; }

void basic_figures(const Session& s, int r, FleetParticulars& p) {
    const TextTable& t = s.fleetsByPos;
    if (!t.cell(col::Planet, r).empty()) {
        p.position = t.cell(col::Planet, r);
        p.atPlanet = true;
        p.positionHint = "X:" + t.cell(col::X, r) + ",Y:" + t.cell(col::Y, r);
    } else {
        p.position = "space: " + t.cell(col::X, r) + "," + t.cell(col::Y, r);
    }
    const int owner = owner_of(t, r);
    p.ownerColor = owner_color(s, owner);
    p.ownerName = race_name_of(s, owner);
    p.name = t.cell(col::Name, r);
    p.uniqueName = t.cell(col::UniqueName, r);
    p.ships = t.cell(col::Ships, r);
    p.unarmed = t.cell(col::Unarmed, r);
    p.scout = t.cell(col::Scout, r);
    p.warship = t.cell(col::Warship, r);
    p.bomber = t.cell(col::Bomber, r);
    p.utility = t.cell(col::Utility, r);
    p.mass = t.cell(col::Mass, r);
    p.warp = t.cell(col::Warp, r) == "11" ? "SG" : t.cell(col::Warp, r);
}

using Details = FleetParticulars::Details;
using More = Details::More;

// The course and distance to an own fleet's destination; false when the
// destination matches nothing.
bool course_to_destination(const Session& s, int r, int x, int y, const std::string& cell, Details& out, More& more,
                           Prompter& prompter) {
    more.destinationColor = kBlack;
    const Destination d = parse_destination(cell, true);
    Located target;
    switch (d.kind) {
    case Destination::Kind::NoMove:
        out.course = "--";
        return true;
    case Destination::Kind::Special:
        out.course = cell == "-- " ? "--" : "?";
        return true;
    case Destination::Kind::Unreadable:
        not_an_integer(d.bad);
    case Destination::Kind::Point:
    case Destination::Kind::Heading:
        target.x = static_cast<int>(d.x);
        target.y = static_cast<int>(d.y);
        break;
    case Destination::Kind::Place:
        target = locate_destination(s, cell, race_name_of(s, owner_of(s.fleetsByPos, r)));
        if (!target.found()) {
            prompter.message("Fleet report(s) does not match MAP file or the file(s) is corrupted.");
            out.course = "?";
            out.fullEnabled = false;
            return false;
        }
        more.destinationColor = target.color;
        break;
    }
    const std::int64_t dx = std::int64_t{target.x} - x, dy = std::int64_t{target.y} - y;
    out.course = course_text(dx, dy);
    more.distanceHint = "Distance: " + with_two_decimals(distance_of(dx, dy)) + " ly";
    return true;
}

void full_data(Session& s, int r, int x, int y, const std::string& d, Details& out, Prompter& prompter) {
    const TextTable& t = s.fleetsByPos;
    out.fullData = true;
    out.fullCaption = "&Full";
    out.moreCaption = "More info";
    out.cargoShown = true;
    out.iron = t.cell(col::Ironium, r);
    out.boran = t.cell(col::Boranium, r);
    out.germ = t.cell(col::Germanium, r);
    out.pop = t.cell(col::Colonists, r);
    std::int64_t cargo = 0;
    for (const std::string* text : {&out.iron, &out.boran, &out.germ, &out.pop}) saturating_add(cargo, to_int64(*text));
    out.totalCargo = std::to_string(cargo);
    More more;
    if (!course_to_destination(s, r, x, y, d, out, more, prompter)) return;
    more.destination = t.cell(col::Destination, r);
    more.eta = t.cell(col::Eta, r);
    more.task = t.cell(col::Task, r);
    more.mining = t.cell(col::Mining, r);
    more.sweep = t.cell(col::Sweep, r);
    more.minelaying = t.cell(col::Minelaying, r);
    more.penScan = t.cell(col::PenScan, r);
    more.scan = t.cell(col::Scan, r);
    more.drawEnabled = number_or_zero(more.penScan) > 0 || number_or_zero(more.scan) > 0;
    more.cloak = t.cell(col::Cloak, r);
    more.terra = t.cell(col::Terraforming, r);
    more.fuel = t.cell(col::Fuel, r);
    out.more = more;
}

// A foreign fleet: what the scanners saw, and its heading.
void partial_data(const Session& s, int r, const std::string& d, Details& out, Prompter& prompter) {
    const TextTable& t = s.fleetsByPos;
    const int details[] = {col::Sweep, col::Mining, col::Minelaying, col::PenScan, col::Scan, col::Terraforming};
    bool someDetail = false;
    for (const int c : details) someDetail = someDetail || number_or_zero(t.cell(c, r)) > 0;
    const bool complete = t.cell(col::Name, r).find('+') == std::string::npos && someDetail;
    const std::string marker = complete ? "" : "*";
    out.fullCaption = complete ? "&Full" : "Mo&re";
    out.moreCaption = complete ? "More info" : "More info (partial)";
    out.accuracyNote = !complete;
    More more;
    more.cloak = complete ? t.cell(col::Cloak, r) : "?";
    more.destination = more.eta = more.task = more.fuel = "?";
    more.sweep = t.cell(col::Sweep, r) + marker;
    more.mining = t.cell(col::Mining, r) + marker;
    more.minelaying = t.cell(col::Minelaying, r) + marker;
    more.penScan = t.cell(col::PenScan, r) + marker;
    more.scan = t.cell(col::Scan, r) + marker;
    more.terra = t.cell(col::Terraforming, r) + marker;
    more.drawEnabled = number_or_zero(t.cell(col::PenScan, r)) > 0 || number_or_zero(t.cell(col::Scan, r)) > 0;
    out.more = more;
    // The heading: two numbers joined by ".", each stored plus 127. No move
    // at warp 0, or where the repair of an empty cell wrote "0.0".
    const Destination heading = parse_destination(d, false);
    if (t.cell(col::Warp, r) == "0" || heading.kind == Destination::Kind::NoMove) {
        out.course = "--";
        return;
    }
    if (heading.kind != Destination::Kind::Heading || !heading.dotted) {
        prompter.message("Fleet report file is corrupted!");
        out.course = "?";
        return;
    }
    out.course = course_text(heading.x, heading.y);
}
}  // namespace

std::string course_text(std::int64_t dx, std::int64_t dy) {
    if (dx == 0 && dy == 0) return "--";
    char text[16];
    std::snprintf(text, sizeof text, "%03d", static_cast<int>(std::round(angle(dx, dy))));
    return text;
}

FleetParticulars fleet_figures(const Session& s, int r) {
    FleetParticulars p;
    basic_figures(s, r, p);
    return p;
}

void add_fleet_details(Session& s, int r, FleetParticulars& p, FleetReportReader& reports, Prompter& prompter) {
    const TextTable& t = s.fleetsByPos;
    const auto x = parse_int(t.cell(col::X, r)), y = parse_int(t.cell(col::Y, r));
    if (!x || !y || std::llabs(*x) > INT32_MAX || std::llabs(*y) > INT32_MAX) {
        prompter.message("Fleet file is corrupt at line " + std::to_string(r) + "at X and/or Y.");
        return;
    }
    std::string d(left(t.cell(col::Destination, r), kCellLimit));
    if (d.empty()) {
        reports.fix_empty_destination(t.cell(col::Name, r));
        d = "0.0";
    }
    Details details;
    if (t.cell(col::Task, r).empty()) partial_data(s, r, d, details, prompter);
    else full_data(s, r, static_cast<int>(*x), static_cast<int>(*y), d, details, prompter);
    p.details = details;
}

FleetParticulars read_fleet_particulars(Session& s, int r, FleetReportReader& reports, Prompter& prompter) {
    FleetParticulars p = fleet_figures(s, r);
    add_fleet_details(s, r, p, reports, prompter);
    return p;
}

MultiTotals multifleet(const Session& s, int first, int count) {
    MultiTotals totals{};
    const TextTable& t = s.fleetsByPos;
    for (int r = first; r < first + count && r <= t.lastRow(); ++r) {
        const int owner = owner_of(t, r);
        if (owner < 1 || owner > kPlayers) continue;  // no player of the game
        OwnerTotals& o = totals[static_cast<std::size_t>(owner)];
        const auto add = [&](std::int64_t& sum, int c) { saturating_add(sum, to_int64(t.cell(c, r))); };
        ++o.Fleet_count;
        add(o.Ships, col::Ships);
        add(o.Unarmed, col::Unarmed);
        add(o.Scout, col::Scout);
        add(o.Warship, col::Warship);
        add(o.Bomber, col::Bomber);
        add(o.Utility, col::Utility);
        add(o.Mass, col::Mass);
        add(o.Ironium, col::Ironium);
        add(o.Boranium, col::Boranium);
        add(o.Germanium, col::Germanium);
        add(o.Colonists, col::Colonists);
        add(o.Sweep, col::Sweep);
        add(o.Mining, col::Mining);
        add(o.Minelaying, col::Minelaying);
        add(o.Terraform, col::Terraforming);
        add(o.Fuel, col::Fuel);
        const std::int64_t scan = to_int64(t.cell(col::Scan, r)), pen = to_int64(t.cell(col::PenScan, r));
        if (scan > o.Best_scan) o.Best_scan = scan;
        if (pen > o.Best_pen_scan) o.Best_pen_scan = pen;
        if (t.cell(col::Task, r).empty()) o.Full_data = false;
        bool someDetail = scan != 0 || pen != 0;
        for (const int c : {col::Sweep, col::Mining, col::Minelaying, col::Terraforming})
            someDetail = someDetail || to_int64(t.cell(c, r)) != 0;
        if (t.cell(col::Name, r).find('+') != std::string::npos || !someDetail) o.Exact = false;
    }
    return totals;
}

std::vector<std::string> group_owners(const Session& s, const MultiTotals& totals) {
    std::vector<std::string> names;
    for (int p = 1; p <= kPlayers; ++p)
        if (totals[static_cast<std::size_t>(p)].Fleet_count != 0) names.push_back(s.Players[static_cast<std::size_t>(p)].Name);
    return names;
}

GroupParticulars read_group_particulars(const Session& s, const MultiTotals& totals, const std::string& raceName) {
    GroupParticulars g;
    const int p = player_index_of(s, raceName);
    const OwnerTotals o = p == 0 ? OwnerTotals{} : totals[static_cast<std::size_t>(p)];
    g.caption = "Fleets of " + raceName;
    g.color = owner_color(s, p);
    g.colorHint = race_name_of(s, p);
    g.fleets = std::to_string(o.Fleet_count);
    g.ships = std::to_string(o.Ships);
    g.unarmed = std::to_string(o.Unarmed);
    g.scout = std::to_string(o.Scout);
    g.warship = std::to_string(o.Warship);
    g.bomber = std::to_string(o.Bomber);
    g.utility = std::to_string(o.Utility);
    g.mass = std::to_string(o.Mass);
    const bool partial = !o.Full_data && !o.Exact;
    g.particularsCaption = partial ? "Partial particulars" : "Full particulars";
    const std::string marker = partial ? "*" : "";
    if (partial)
        g.note = "* values may vary from real ones, but cannot be less the above given (note: PRT nor LRT scanner "
                 "modifiers never apply in report files)";
    g.cargoShown = o.Full_data;
    if (o.Full_data) {
        g.iron = std::to_string(o.Ironium);
        g.boran = std::to_string(o.Boranium);
        g.germ = std::to_string(o.Germanium);
        g.pop = std::to_string(o.Colonists);
        std::int64_t cargo = 0;
        for (const std::int64_t part : {o.Ironium, o.Boranium, o.Germanium, o.Colonists}) saturating_add(cargo, part);
        g.totalCargo = std::to_string(cargo);
    }
    g.fuel = o.Full_data ? std::to_string(o.Fuel) : "?";
    g.scan = std::to_string(o.Best_scan) + marker;
    g.penScan = std::to_string(o.Best_pen_scan) + marker;
    g.mining = std::to_string(o.Mining) + marker;
    g.terra = std::to_string(o.Terraform) + marker;
    g.sweep = std::to_string(o.Sweep) + marker;
    g.minelaying = std::to_string(o.Minelaying) + marker;
    g.drawEnabled = o.Best_pen_scan != 0 || o.Best_scan != 0;
    return g;
}

}  // namespace trevanor
