#pragma once
// Shared pieces of the model tests: a scratch folder for files, and a
// Session wired to an in-memory store and a recording prompter.

#include <filesystem>
#include <string>

#include "model/core.h"
#include "model/memory_settings.h"

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
    Session session;
    MemorySettings store;
    RecordingPrompter prompter;
    Settings settings{session, store, prompter};
    struct Hooks : WindowHooks {
        std::vector<int> ownRaceCalls;
        void own_race_showmodal(int player) override { ownRaceCalls.push_back(player); }
    } hooks;
    Core core{session, prompter, settings, hooks};
};

// A fleet report line of 29 fields; `fields` gives the cells by column.
std::string fleet_line(std::initializer_list<std::pair<int, std::string>> fields);
extern const std::string kFleetHeading;

}  // namespace trevanor::test
