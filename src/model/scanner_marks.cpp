#include "scanner_marks.h"

#include "locate.h"
#include "numbers.h"
#include "players.h"
#include "report_format.h"
#include "text.h"

namespace trevanor {

std::string compound_entry_name(const std::string& race, const std::string& position) {
    return "Compound scanners of " + race + " fleet at: " + position;
}

int shown_range(std::string text) {
    if (text.find('*') != std::string::npos) text.pop_back();
    return to_int(text);
}

StoredRange fleet_range_entry(const Session& session, const std::string& name, int nonPenetrating, int owner,
                              int penetrating, Prompter& prompter) {
    StoredRange entry;
    entry.name = name;
    entry.nonPenetrating = nonPenetrating;
    entry.penetrating = penetrating;
    if (owner == 0) {
        const Located at = locate_object(session, ObjectKind::Fleet, name, &prompter);
        entry.kind = RangeKind::Fleet;
        entry.x = at.x;
        entry.y = at.y;
        entry.color = at.color;
        return entry;
    }
    entry.kind = RangeKind::FleetGroup;
    entry.color = owner_color(session, owner);
    std::string rest(left(name, kCellLimit));
    if (const auto at = rest.find("fleet at: "); at != std::string::npos) rest.erase(0, at + 10);
    if (rest.find("space: ") != std::string::npos) rest.erase(0, 7);
    if (rest.find(',') != std::string::npos && rest.size() == 9) {
        entry.x = to_int(rest.substr(0, 4));
        entry.y = to_int(rest.substr(5, 4));
    } else {
        const Located at = locate_object(session, ObjectKind::Planet, rest, &prompter);
        entry.x = at.x;
        entry.y = at.y;
    }
    return entry;
}

}  // namespace trevanor
