#include "earlier_year.h"

#include <algorithm>

#include "errors.h"
#include "files.h"
#include "fleet_report_reader.h"
#include "own_race.h"
#include "settings_keys.h"

namespace trevanor {

namespace {

// A report the game is still writing is no turn: nothing of it is read.
void refuse_if_not_whole(const std::string& path) {
    if (const std::string problem = report_not_whole(path, read_file_bytes(path)); !problem.empty())
        throw FileError(problem + " Nothing was read.");
}

}  // namespace

EarlierYear::EarlierYear(Prompter& prompter) : model_(store_, prompter, hooks_) {}

std::unique_ptr<EarlierYear> EarlierYear::read(const Files& files, Prompter& prompter) {
    std::unique_ptr<EarlierYear> year(new EarlierYear(prompter));
    Model& m = year->model_;
    m.commands.FormCreate();
    if (!files.ownRace.empty())
        year->store_.writeText(file_name_part(files.map), setting::Own_race.name, files.ownRace);
    m.commands.read_MAP_file(files.map);
    if (!report_file_acceptable(files.firstReport, prompter))
        throw FileError("\"" + shown_path(files.firstReport) + "\" cannot be read as an earlier report.");
    refuse_if_not_whole(files.firstReport);
    for (const AllyRead& ally : files.allies) refuse_if_not_whole(ally.path);
    m.commands.reports().read(files.firstReport);
    load_own_race(m.session, m.settings);
    for (const AllyRead& ally : files.allies) {
        if (!m.merge.may_load(ally.options) || !m.merge.load_report(ally.path, ally.options))
            throw MergeError("The earlier report \"" + shown_path(ally.path) + "\" was not merged.");
    }
    year->name_ = files.name.empty() ? file_name_part(files.firstReport) : files.name;
    return year;
}

std::unique_ptr<EarlierYear> EarlierYear::read_kept(const KeptTurn& turn, Prompter& prompter) {
    const UnpackedTurn copies(turn);
    Files files{copies.path(turn.map), copies.path(turn.firstReport), {}, turn.ownRace, turn.label};
    for (const KeptAlly& ally : turn.allies) files.allies.push_back({copies.path(ally.file), ally.options});
    return read(files, prompter);
}

std::unique_ptr<EarlierYear> EarlierYear::read_new_turn(Session& open, const std::string& replacedName,
                                                        Prompter& prompter) {
    const TurnReads& reads = open.reads;
    std::unique_ptr<EarlierYear> year = read({reads.map, reads.firstReport, reads.allies, open.Own_race_name, {}}, prompter);
    year->exchange_with(open, replacedName);
    update_race_list(open);
    return year;
}

void EarlierYear::exchange_with(Session& open, const std::string& name) {
    Session& read = model_.session;
    std::swap(open.planets, read.planets);
    std::swap(open.fleets, read.fleets);
    std::swap(open.fleetsByPos, read.fleetsByPos);
    std::swap(open.Players, read.Players);
    for (std::size_t p = 1; p < open.Players.size(); ++p) open.Players[p].Color = read.Players[p].Color;  // the player's own colours
    std::swap(open.Fleet_index, read.Fleet_index);
    std::swap(open.sortList, read.sortList);
    open.placeList1.exchange(read.placeList1);
    open.placeList2.exchange(read.placeList2);
    open.mapFleetList.exchange(read.mapFleetList);
    std::swap(open.acceptedReportOwners, read.acceptedReportOwners);
    std::swap(open.planetPlacesListed, read.planetPlacesListed);
    const std::uint64_t revision = std::max(open.reads.revision, read.reads.revision) + 1;
    std::swap(open.reads, read.reads);
    open.reads.revision = read.reads.revision = revision;
    name_ = name;
}

}  // namespace trevanor
