#pragma once
// An earlier year of the open game, read beside it: its first report and its
// allies' reports, read by the program's own readers and merged by its own
// merge into a model of their own (settings in memory, window hooks that do
// nothing), so that reading it changes nothing of the running program: not
// the tables, not the recent files, not the own race. Once read, it stays as
// it is; a newer choice replaces it as a whole.

#include <memory>
#include <string>
#include <vector>

#include "game_history.h"
#include "memory_settings.h"
#include "model.h"
#include "window_hooks.h"

namespace trevanor {

class EarlierYear {
public:
    struct Files {
        std::string map;          // the open game's MAP
        std::string firstReport;  // the earlier first report
        std::vector<AllyRead> allies;
        std::string ownRace;      // the open game's own race, as the merges leave it out
        std::string name;         // what "since …" names; empty: the first report's file name
    };

    // Reads the files as the program reads them, telling `prompter` what the
    // readers tell. A file that is no fleet report, a read that stops or a
    // merge that stops or is refused throws the reader's message: no
    // earlier year is made.
    static std::unique_ptr<EarlierYear> read(const Files& files, Prompter& prompter);
    // A kept turn, read from its copies as it was read then.
    static std::unique_ptr<EarlierYear> read_kept(const KeptTurn& turn, Prompter& prompter);

    // The turn read and the open game change places: what the open game
    // showed becomes this year, named `name`, and the open game shows what
    // was read, its windows' own data (scanner lists, the own race, the
    // route filter's race) left as they were.
    void exchange_with(Session& open, const std::string& name);

    // The open turn's files read again as they were read (the game has
    // written a new turn into them) and put in the open turn's place; the
    // turn replaced is returned, named `replacedName`. A read that stops
    // throws its message, and the open game is as it was.
    static std::unique_ptr<EarlierYear> read_new_turn(Session& open, const std::string& replacedName,
                                                      Prompter& prompter);

    const Session& session() const { return model_.session; }
    // The first report's file name, as "since DEMO-1.F1" shows it.
    const std::string& name() const { return name_; }

private:
    explicit EarlierYear(Prompter& prompter);

    MemorySettings store_;
    WindowHooks hooks_;
    Model model_;
    std::string name_;
};

}  // namespace trevanor
