#pragma once
// The stored scanner-range list: every fleet or planet scanner range the user
// has applied, drawn on the map while its switch is on. Names are unique in
// it; entries keep the order in which they were added. Like the other tables
// it always has a data row: an empty list is one row with an empty name.

#include <optional>
#include <string>
#include <vector>

#include "prompter.h"
#include "session.h"

namespace trevanor {

// What an entry stands for.
enum class RangeKind : char { Fleet = 'F', FleetGroup = 'M', Planet = 'P' };

struct StoredRange {
    std::string name;
    int nonPenetrating = 0, penetrating = 0;  // light years
    RangeKind kind = RangeKind::Fleet;
    int x = 0, y = 0;  // the centre, light years
    ColorValue color = 0;
    bool operator==(const StoredRange&) const = default;
};

class ScannerList {
public:
    explicit ScannerList(TextTable& table) : t_(table) {}

    bool empty() const { return t_.cell(scan_col::Name, 1).empty(); }
    // Every entry in row order.
    std::vector<StoredRange> entries() const;
    // The row of the entry of that name (exact), or 0.
    int find(const std::string& name) const;

    // What adding an entry changed on the map: the circles to paint over and
    // those to draw; nothing when the user kept an existing entry.
    struct Change {
        std::optional<StoredRange> erased;
        std::optional<StoredRange> drawn;
        bool added = false;  // a new entry (the list was empty before, or grew)
    };
    // Adds the entry, or replaces the two ranges of an entry of the same name
    // after asking. A replaced entry keeps its kind, centre and colour: its
    // old circles are painted over and the new ones drawn where it stands.
    Change add_or_replace(const StoredRange& range, Prompter& prompter);

    // Removes the entry of that row; the rows below move up.
    void remove(int row);
    // Empties the list; returns what it held.
    std::vector<StoredRange> clear();

private:
    StoredRange at(int row) const;
    TextTable& t_;
};

}  // namespace trevanor
