#pragma once
// Shared pieces of the model tests: a scratch folder for files, and a
// Session wired to an in-memory store and a recording prompter.

#include <filesystem>
#include <string>

#include "model/model.h"
#include "support/failing_store.h"
#include "support/recording_prompter.h"
#include "support/report_lines.h"

namespace trevanor::test {

class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    // Writes the bytes to a file of that name in the folder; returns its path.
    std::string write(const std::string& name, const std::string& bytes) const;
    std::string path(const std::string& name) const { return (dir_ / name).string(); }

private:
    std::filesystem::path dir_;
};

struct Rig {
    Rig();
    FailingStore store;
    RecordingPrompter prompter;
    struct Hooks : WindowHooks {
        std::vector<int> ownRaceCalls;
        void own_race_showmodal(int player) override { ownRaceCalls.push_back(player); }
    } hooks;
    Model model{store, prompter, hooks};
    Session& session = model.session;
    Settings& settings = model.settings;
    MainCommands& commands = model.commands;
    FleetReportReader& reports = model.commands.reports();
    AllyMerge& merge = model.merge;
};


}  // namespace trevanor::test
