#pragma once
// The position order of the fleets: the position-sorted table holds the rows
// of the fleet table ordered by their position key (columns 1..30 each
// followed by a TAB, then column 0), compared case-insensitively, so fleets
// at one spot are adjacent rows. Equal keys keep their table order. The
// hidden sort list (Session::sortList) holds the fleet table's row numbers in
// that order.

#include <string>
#include <vector>

#include "session.h"

namespace trevanor {

// The position key of a fleet row.
std::string position_key(const std::vector<std::string>& row);

// Rows first..last of the fleet table in position order.
std::vector<int> position_order(const TextTable& fleets, int first, int last);
// The given rows in position order; rows of equal keys keep the order given.
std::vector<int> position_order(const TextTable& fleets, const std::vector<int>& rows);

// The sort list rebuilt from every row of the fleet table, then the
// position-sorted table filled from it.
void rebuild_position_table(Session& session);
// The position-sorted table filled with copies of the fleet rows of the sort
// list, in its order.
void copy_sorted_rows(Session& session);

}  // namespace trevanor
