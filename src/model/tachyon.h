#pragma once
// Tachyon detectors against cloaking: each detector on the scanning ship
// takes a share off the enemy's cloaking, down to at most 81% of it left.

#include <string_view>

namespace trevanor {

struct TachyonEffect {
    int cloaking = 0;       // the cloaking worked with: 0..98
    bool cloakingCut = false;  // the text held more than 98, shown back as "98"
    int reduction = 100;    // the percentage of the cloaking that remains
    int efficiency = 100;   // the scan efficiency against that ship, in percent
};

// From the texts of the two fields: the number of detectors and the enemy's
// cloaking in percent (blanks trimmed; a text that is no number counts as 0).
TachyonEffect calc_eff(std::string_view detectors, std::string_view cloaking);

}  // namespace trevanor
