#pragma once
// The choices of the "Adding another report" window for one ally's report.

#include <string>

namespace trevanor {

struct MergeOptions {
    std::string reportOwner;
    bool ignoreOwn = true;
    bool ignoreOwner = false;
    bool deleteMode = true;  // only while ignoreOwner is off
    bool allowOverwrite = false;
    bool operator==(const MergeOptions&) const = default;
};

}  // namespace trevanor
