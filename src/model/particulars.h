#pragma once
// The figures of the fleet particulars window: one fleet of the
// position-sorted table, or the totals per owner of the fleets at one spot.
// Fleets whose full data the reports carry (a task is given) show everything;
// foreign fleets show what the scanners saw, "?" for what is unknown and a
// trailing "*" on values that may be too low.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fleet_report_reader.h"
#include "prompter.h"
#include "session.h"

namespace trevanor {

// The course text of a bearing: whole degrees, halves away from zero, three
// digits ("007", "360"); "--" when there is no direction (no distance).
std::string course_text(std::int64_t dx, std::int64_t dy);

struct FleetParticulars {
    // Always shown.
    std::string position;        // planet name, or "space: X,Y"
    bool atPlanet = false;       // white, with the hint; else black without one
    std::string positionHint;    // "X:…,Y:…"
    ColorValue ownerColor = 0;
    std::string ownerName;
    std::string name, uniqueName;
    std::string ships, unarmed, scout, warship, bomber, utility, mass, warp;

    // Unset when the position is no number: the rest keeps what it showed.
    struct Details {
        bool fullData = false;            // the fleet's task is known
        std::string fullCaption;          // "&Full", or "Mo&re" for partial data
        std::string moreCaption;          // "More info" or "More info (partial)"
        bool accuracyNote = false;        // "*values may not be accurate"
        bool cargoShown = false;
        std::string iron, boran, germ, pop, totalCargo;
        bool fullEnabled = true;
        std::string course;
        // Unset when an own fleet's destination is nowhere to be found: the
        // "More info" texts keep what they showed.
        struct More {
            std::string destination;
            ColorValue destinationColor = 0;
            std::string distanceHint;  // "Distance: …" or empty for none
            std::string eta, task, mining, sweep, minelaying, penScan, scan, cloak, terra, fuel;
            bool drawEnabled = false;
        };
        std::optional<More> more;
    };
    std::optional<Details> details;
};

// The particulars of position-sorted row r. Messages (a damaged position, a
// destination that matches nothing, an unreadable heading) go to the prompter;
// an empty destination is repaired first.
FleetParticulars read_fleet_particulars(Session& session, int r, FleetReportReader& reports, Prompter& prompter);
// The figures shown before anything else (position, owner, name, ships,
// warp), without the details, which may stop with a message.
FleetParticulars fleet_figures(const Session& session, int r);
// The details added to those figures.
void add_fleet_details(Session& session, int r, FleetParticulars& p, FleetReportReader& reports, Prompter& prompter);

// The totals of one owner's fleets at a spot. Sums are 64-bit.
struct OwnerTotals {
    std::int64_t Fleet_count = 0, Ships = 0, Unarmed = 0, Scout = 0, Warship = 0, Bomber = 0, Utility = 0, Mass = 0,
                 Ironium = 0, Boranium = 0, Germanium = 0, Colonists = 0, Sweep = 0, Mining = 0, Minelaying = 0,
                 Terraform = 0, Best_scan = 0, Best_pen_scan = 0, Fuel = 0;
    bool Full_data = true;  // every fleet's task is known
    bool Exact = true;      // no "+" in a name, and every fleet shows some detail value
};
using MultiTotals = std::array<OwnerTotals, kPlayers + 1>;

// Sums position-sorted rows first .. first + count - 1 by owner. A summed
// cell that is no number throws the conversion error.
MultiTotals multifleet(const Session& session, int first, int count);
// The race names of the owners with fleets there, in player order.
std::vector<std::string> group_owners(const Session& session, const MultiTotals& totals);

struct GroupParticulars {
    std::string caption;  // "Fleets of " + race
    ColorValue color = 0;
    std::string colorHint;
    std::string fleets, ships, unarmed, scout, warship, bomber, utility, mass;
    std::string particularsCaption;  // "Full particulars" or "Partial particulars"
    std::string note;                // the asterisk note, or empty
    bool cargoShown = false;
    std::string iron, boran, germ, pop, totalCargo, fuel;
    std::string scan, penScan, mining, terra, sweep, minelaying;  // with the marker
    bool drawEnabled = false;
};
GroupParticulars read_group_particulars(const Session& session, const MultiTotals& totals,
                                            const std::string& raceName);

}  // namespace trevanor
