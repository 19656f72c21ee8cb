#pragma once
// What the libFuzzer harnesses share: a scratch folder in memory (the readers
// take paths), the demo game's files, a silent prompter, and the checks that
// stop a run with a message when the model breaks a rule of its own.

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "model/errors.h"
#include "model/memory_settings.h"
#include "model/model.h"
#include "model/position_order.h"
#include "model/prompter.h"
#include "model/text.h"

#ifndef TREVANOR_SAMPLES_DIR
#error "TREVANOR_SAMPLES_DIR must name the samples folder"
#endif

namespace trevanor::fuzz {

// A finding: the message names the rule, then libFuzzer keeps the input.
[[noreturn]] inline void broken(const std::string& rule) {
    std::fprintf(stderr, "\n*** broken rule: %s\n", rule.c_str());
    std::abort();
}

// One folder per process under /dev/shm (memory) when there is one, removed at exit.
inline const std::filesystem::path& scratch_dir() {
    static const std::filesystem::path dir = [] {
        std::error_code ec;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, ec)) base = std::filesystem::temp_directory_path();
        // Folders of runs that ended without their exit handlers (a crash, a kill) go first.
        for (const auto& entry : std::filesystem::directory_iterator(base, ec)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind("trevanor-fuzz-", 0) == 0 &&
                !std::filesystem::exists("/proc/" + name.substr(std::string("trevanor-fuzz-").size()), ec))
                std::filesystem::remove_all(entry.path(), ec);
        }
        auto d = base / ("trevanor-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        std::atexit([] {
            std::error_code e;
            std::filesystem::remove_all(scratch_dir(), e);
        });
        return d;
    }();
    return dir;
}

// Writes the bytes to a file of that name in the scratch folder; returns its path.
inline std::string write_file(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const std::string path = (scratch_dir() / name).string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) broken("cannot write the scratch file " + path);
    if (size && std::fwrite(data, 1, size, f) != size) broken("cannot write the scratch file " + path);
    std::fclose(f);
    return path;
}

inline std::string sample(const std::string& name) { return std::string(TREVANOR_SAMPLES_DIR) + "/" + name; }

// Answers every question No, shows nothing.
class SilentPrompter : public Prompter {
public:
    void message(const std::string&) override {}
    void error(const std::string&) override {}
    void warning(const std::string&) override {}
    Answer confirm(const std::string&, bool) override { return Answer::No; }
};

// A model as the program builds one, over a settings store in memory; a
// fatal settings error ends the routine with RegistryFatal.
struct ModelRig {
    ModelRig() { model.settings.onFatal = [] { throw RegistryFatal(); }; }
    MemorySettings store;
    SilentPrompter prompter;
    WindowHooks hooks;
    Model model{store, prompter, hooks};
};

// The session after the main window's start and reading a MAP, then (when
// given) a first report.
inline Session game_session(const std::string& map, const std::string& firstReport) {
    ModelRig rig;
    rig.model.commands.FormCreate();
    rig.model.commands.read_MAP_file(map);
    if (!firstReport.empty()) rig.model.commands.reports().read(firstReport);
    return rig.model.session;
}

// The same for the demo game's MAP and (when asked) its first report.
inline Session demo_session(bool withFirstReport) {
    return game_session(sample("DEMO.MAP"), withFirstReport ? sample("DEMO.F1") : std::string());
}

// The position-sorted table holds the fleet table's rows, each once, in the
// order of the hidden sort list.
inline void check_position_table(const Session& s, const char* after) {
    const std::string where = std::string(" after ") + after;
    const TextTable& fleets = s.fleets;
    const TextTable& byPos = s.fleetsByPos;
    if (byPos.rowCount() != fleets.rowCount())
        broken("the position-sorted table has " + std::to_string(byPos.rowCount()) + " rows, the fleet table " +
               std::to_string(fleets.rowCount()) + where);
    if (s.sortList.size() != static_cast<std::size_t>(fleets.lastRow()))
        broken("the sort list has " + std::to_string(s.sortList.size()) + " entries for " +
               std::to_string(fleets.lastRow()) + " fleet rows" + where);
    std::vector<bool> seen(static_cast<std::size_t>(fleets.rowCount()), false);
    for (std::size_t k = 0; k < s.sortList.size(); ++k) {
        const int r = s.sortList[k];
        if (r < 1 || r > fleets.lastRow() || seen[static_cast<std::size_t>(r)])
            broken("the sort list is no order of the fleet rows (entry " + std::to_string(r) + ")" + where);
        seen[static_cast<std::size_t>(r)] = true;
        if (byPos.row(static_cast<int>(k) + 1) != fleets.row(r))
            broken("row " + std::to_string(k + 1) + " of the position-sorted table is not fleet row " +
                   std::to_string(r) + where);
    }
    std::string previous;
    for (int r = 1; r <= byPos.lastRow(); ++r) {
        std::string key = position_key(byPos.row(r));
        if (r > 1 && compare_ci(key, previous) < 0)
            broken("the position-sorted table is out of order at row " + std::to_string(r) + where);
        previous = std::move(key);
    }
}

}  // namespace trevanor::fuzz
