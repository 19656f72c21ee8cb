#pragma once
// The "particulars" section of the dump: the particulars window as it shows
// one fleet (--particulars NAME) or the fleets at one spot per owner
// (--group X Y), one line per control.

#include <string>
#include <vector>

#include "model/model.h"

namespace trevanor {

// A request as given: the option followed by its words.
using ParticularsRequest = std::vector<std::string>;

// The section's lines; a name or spot that matches no fleet is told through
// the prompter, and the next request follows.
std::string dump_particulars(Model& model, Prompter& prompter, const std::vector<ParticularsRequest>& requests);

}  // namespace trevanor
