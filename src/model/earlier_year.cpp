#include "earlier_year.h"

#include "errors.h"
#include "files.h"
#include "own_race.h"
#include "settings_keys.h"

namespace trevanor {

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
    m.commands.reports().read(files.firstReport);
    load_own_race(m.session, m.settings);
    for (const Ally& ally : files.allies) {
        MergeOptions options;
        options.reportOwner = ally.owner;
        if (!m.merge.may_load(options) || !m.merge.load_report(ally.path, options))
            throw MergeError("The earlier report \"" + shown_path(ally.path) + "\" was not merged.");
    }
    year->name_ = file_name_part(files.firstReport);
    return year;
}

}  // namespace trevanor
