#pragma once
// The merge of an ally's fleet report into the fleet table: lines of the
// user's own race or of the report owner may be passed over, fleets the table
// already holds are recognised by name, or by ID and owner word, and left
// alone or upgraded with the details the report gives; the others are
// appended, marked with a trailing "*". The lists derived from the fleet
// table follow, and players seen for the first time are registered.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "merge_options.h"
#include "prompter.h"
#include "session.h"
#include "window_hooks.h"

namespace trevanor {

struct MergeCounts {
    int deleted = 0, processed = 0, added = 0, replaced = 0;
};

// How a merge reports its progress: status texts and a bar.
struct MergeProgress {
    std::function<void(const std::string&)> status;
    std::function<void(int position, int maximum)> bar;
};

class AllyMerge {
public:
    AllyMerge(Session& session, Prompter& prompter, WindowHooks& hooks);

    // The refusal of a second load from an accepted report owner whose
    // fleets are neither ignored nor deleted first; true when it may go on.
    bool may_load(const MergeOptions& options);
    // The checks of the chosen file, the merge, and the owner accepted. A
    // merge that stops leaves everything as it was and throws MergeError.
    // False when the file was refused.
    bool load_report(const std::string& path, const MergeOptions& options);
    // The merge itself.
    void read_ally_fleet_file(const std::string& path, const MergeOptions& options);
    int delete_owner_fleets(const std::string& raceName);

    MergeProgress progress;
    TextTable staging{kFleetColumns};  // Added_Fleet_GR
    MergeCounts counts;
    std::string lastStatus;

private:
    // The rows of the fleet table by name and by ID with owner word, so that a
    // fleet is found without a walk over the table.
    struct Finder {
        std::unordered_map<std::string, std::vector<int>> byName, byIdOwner;
        void build(const TextTable& fleets);
        void add(const TextTable& fleets, int row);
        void remove(const TextTable& fleets, int row);
        int find(const std::string& name, const std::string& id, const std::string& owner, int first, int last) const;
    };
    // What the pass over the report's lines collects.
    struct Pass {
        Finder finder;
        std::vector<std::vector<std::string>> staged;  // fleets to append, in report order
        bool idMissing = false, unlistedOwner = false;
    };

    void setStatus(const std::string& text);
    void setBar(int position, int maximum);
    int search(const Finder& finder, const std::string& name, const std::string& owner, bool& unlistedOwner) const;
    void process_lines(const std::vector<std::string_view>& lines, const std::string& path,
                       const MergeOptions& options, bool deleteMode, Pass& pass);
    void stage_fleet(std::vector<std::string>& fields, Pass& pass);
    void consider_upgrade(int row, const std::vector<std::string>& fields, Pass& pass);
    void append_staged(const Pass& pass, int base);
    void update_fleet_lists(int base, bool everyRow);
    void extend_trailing_block(int base);
    void register_new_players();
    std::string summary(const MergeOptions& options, bool deleteMode) const;

    Session& s_;
    Prompter& prompter_;
    WindowHooks& hooks_;
};

}  // namespace trevanor
