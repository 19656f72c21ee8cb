#include "scanner_list.h"

#include "numbers.h"

namespace trevanor {

StoredRange ScannerList::at(int row) const {
    StoredRange r;
    r.name = t_.cell(scan_col::Name, row);
    r.nonPenetrating = to_int_def(t_.cell(scan_col::NonPenetrating, row), 0);
    r.penetrating = to_int_def(t_.cell(scan_col::Penetrating, row), 0);
    const std::string& kind = t_.cell(scan_col::Kind, row);
    r.kind = kind.empty() ? RangeKind::Fleet : static_cast<RangeKind>(kind[0]);
    r.x = to_int_def(t_.cell(scan_col::X, row), 0);
    r.y = to_int_def(t_.cell(scan_col::Y, row), 0);
    r.color = static_cast<ColorValue>(parse_int(t_.cell(scan_col::Color, row)).value_or(0));
    return r;
}

std::vector<StoredRange> ScannerList::entries() const {
    std::vector<StoredRange> out;
    if (empty()) return out;
    for (int r = 1; r <= t_.lastRow(); ++r) out.push_back(at(r));
    return out;
}

int ScannerList::find(const std::string& name) const {
    if (empty()) return 0;
    for (int r = 1; r <= t_.lastRow(); ++r)
        if (t_.cell(scan_col::Name, r) == name) return r;
    return 0;
}

ScannerList::Change ScannerList::add_or_replace(const StoredRange& range, Prompter& prompter) {
    Change change;
    if (const int r = find(range.name)) {
        const char* what = range.kind == RangeKind::Planet ? "Planet: " : "Fleet: ";
        if (prompter.confirm(std::string(what) + "\"" + range.name + "\" has already been set scanners range. Overwrite?",
                             false) != Answer::Yes)
            return change;
        change.erased = at(r);
        t_.setCell(scan_col::NonPenetrating, r, std::to_string(range.nonPenetrating));
        t_.setCell(scan_col::Penetrating, r, std::to_string(range.penetrating));
        change.drawn = at(r);
        return change;
    }
    if (!t_.cell(scan_col::Name, t_.lastRow()).empty()) t_.setRowCount(t_.rowCount() + 1);
    const int r = t_.lastRow();
    t_.row(r) = {range.name,
                 std::to_string(range.nonPenetrating),
                 std::to_string(range.penetrating),
                 std::string(1, static_cast<char>(range.kind)),
                 std::to_string(range.x),
                 std::to_string(range.y),
                 std::to_string(range.color)};
    change.drawn = range;
    change.added = true;
    return change;
}

void ScannerList::remove(int row) {
    if (!empty()) t_.removeRow(row);
}

std::vector<StoredRange> ScannerList::clear() {
    std::vector<StoredRange> held = entries();
    t_.clearRows();
    return held;
}

}  // namespace trevanor
