#pragma once
// Merging the fleet reports that allies hand over into the fleet table:
// lines of the user's own race or of the report owner may be passed over,
// fleets the table already holds are recognised by name, or by ID and owner
// word, and left alone or upgraded with the details the report gives; the
// others are appended, marked with a trailing "*".

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core.h"

namespace trevanor {

struct MergeOptions {
    std::string reportOwner;
    bool ignoreOwn = true;
    bool ignoreOwner = false;
    bool deleteMode = true;  // only while ignoreOwner is off
    bool allowOverwrite = false;
};

struct MergeCounts {
    int deleted = 0, processed = 0, added = 0, replaced = 0;
};

// How a merge reports its progress: status texts and a bar.
struct MergeProgress {
    std::function<void(const std::string&)> status;
    std::function<void(int position, int maximum)> bar;
};

// The text of a fleet name before its first blank (the whole name without one).
std::string owner_word(const std::string& name);

class AllyReport {
public:
    AllyReport(Session& session, Prompter& prompter, Settings& settings, Core& core, WindowHooks& hooks);

    // The refusal of a second load from an accepted report owner whose
    // fleets are neither ignored nor deleted first; true when it may go on.
    bool may_load(const MergeOptions& options);
    // The checks of the chosen file, the merge, and the owner accepted.
    // False when the file was refused.
    bool load_report(const std::string& path, const MergeOptions& options);
    void read_ally_fleet_file(const std::string& path, const MergeOptions& options);
    int delete_owner_fleets(const std::string& raceName);

    int player_index_of(const std::string& raceName) const;

    MergeProgress progress;
    TextTable staging{kFleetColumns};  // Added_Fleet_GR
    MergeCounts counts;
    std::string lastStatus;

private:
    void setStatus(const std::string& text);
    void setBar(int position, int maximum);

    // The rows of the fleet table by name and by ID with owner word, so that a
    // fleet is found without a walk over the table.
    struct Finder {
        std::unordered_map<std::string, std::vector<int>> byName, byIdOwner;
        void build(const TextTable& fleets);
        void add(const TextTable& fleets, int row);
        void remove(const TextTable& fleets, int row);
        int find(const std::string& name, const std::string& id, const std::string& owner, int first, int last) const;
    };
    int search(const Finder& finder, const std::string& name, const std::string& owner, bool& unlistedOwner) const;

    Session& s_;
    Prompter& prompter_;
    Settings& settings_;
    Core& core_;
    WindowHooks& hooks_;
};

}  // namespace trevanor
