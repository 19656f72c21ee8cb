#pragma once
// What the benchmarks share: the program's data and routines without windows,
// and the largest game written to files once per run.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game_generator.h"
#include "model/memory_settings.h"
#include "model/model.h"

namespace trevanor::bench {

// Messages are not looked at while measuring.
struct SilentPrompter : Prompter {
    void message(const std::string&) override {}
    void error(const std::string&) override {}
    void warning(const std::string&) override {}
    Answer confirm(const std::string&, bool) override { return Answer::No; }
};

struct Program {
    MemorySettings store;
    SilentPrompter prompter;
    WindowHooks hooks;
    Model model{store, prompter, hooks};
    Session& session = model.session;
    MainCommands& core = model.commands;
    AllyMerge& ally = model.merge;
    Program() { session.Default_colors = kDefaultColors; }
    void read_report(const std::string& path) { core.reports().read(path); }
};

// Writes the game's files into a folder of their own; returns the MAP's path
// and the reports' paths in the game's order.
inline std::vector<std::string> write_game(const gen::GameFiles& game, const std::string& folder) {
    const auto dir = std::filesystem::temp_directory_path() / folder;
    std::filesystem::create_directories(dir);
    std::vector<std::string> paths{(dir / "MAX.MAP").string()};
    std::ofstream(paths[0], std::ios::binary) << game.map;
    for (const auto& [player, text] : game.reports) {
        paths.push_back((dir / ("MAX.F" + std::to_string(player))).string());
        std::ofstream(paths.back(), std::ios::binary) << text;
    }
    return paths;
}

// The largest game with `allyReports` allies' reports, written once per run
// into `folder`: the MAP's path and each report's path with its reporter's race.
struct MaxGameFiles {
    std::string map;
    std::vector<std::pair<std::string, std::string>> reports;  // (path, race of its reporter)
};
inline MaxGameFiles write_max_game(std::uint64_t seed, int allyReports, const std::string& folder) {
    gen::MaxGameOptions o;
    o.allyReports = allyReports;
    const gen::GameFiles game = gen::make_max_game(seed, o);
    const auto paths = write_game(game, folder);
    MaxGameFiles out;
    out.map = paths[0];
    for (std::size_t k = 0; k < game.reports.size(); ++k) {
        const std::string& text = game.reports[k].second;
        const std::size_t start = text.find('\n') + 1;  // the first fleet's name starts with its race
        out.reports.emplace_back(paths[k + 1], text.substr(start, text.find(' ', start) - start));
    }
    return out;
}

}  // namespace trevanor::bench
