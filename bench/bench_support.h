#pragma once
// What the benchmarks share: the program's data and routines without windows,
// and the largest game written to files once per run.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game_generator.h"
#include "model/ally_report.h"
#include "model/memory_settings.h"

namespace trevanor::bench {

struct Program {
    Session session;
    MemorySettings store;
    RecordingPrompter prompter;
    Settings settings{session, store, prompter};
    WindowHooks hooks;
    Core core{session, prompter, settings, hooks};
    AllyReport ally{session, prompter, settings, core, hooks};
    Program() { session.Default_colors = kDefaultColors; }
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

}  // namespace trevanor::bench
