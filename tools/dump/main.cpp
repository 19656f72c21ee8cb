// trevanor-dump MAP_FILE [FLEET_REPORT]
//
// Runs the program's import headless (the MAP with colours from an empty
// settings store, then the first fleet report with IDs, unique names,
// position order, player names, validation and index) and prints the result
// as sections "## NAME" with one TAB-joined line per row.

#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>

#include "model/core.h"
#include "model/memory_settings.h"

using namespace trevanor;

namespace {

void print_table(std::ostream& out, const char* name, const TextTable& table) {
    out << "## " << name << '\n';
    for (int r = 0; r < table.rowCount(); ++r) {
        const auto& row = table.row(r);
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c) out << '\t';
            out << row[c];
        }
        out << '\n';
    }
}

std::string escape_cr(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\r') out += "\\r";
        else out += c;
    }
    return out;
}

void print_all(std::ostream& out, const Session& s, const RecordingPrompter& prompter) {
    out << "## messages\n";
    for (const auto& m : prompter.shown) out << m.kind << '\t' << escape_cr(m.text) << '\n';
    print_table(out, "planets", s.planets);
    print_table(out, "fleets", s.fleets);
    print_table(out, "fleets-by-position", s.fleetsByPos);
    out << "## fleet-index\n";
    for (int e = 1; e <= kTrailingEntry; ++e) {
        const auto& entry = s.Fleet_index[static_cast<std::size_t>(e)];
        out << e << '\t' << entry.First_row << '\t' << entry.Last_row << '\n';
    }
    out << "## players\n";
    for (int p = 1; p <= kPlayers; ++p) {
        const Player& player = s.Players[static_cast<std::size_t>(p)];
        out << p << '\t' << player.Name << '\t' << static_cast<unsigned>(player.Number) << '\t' << player.Color << '\n';
    }
    out << "## places\n";
    for (const auto& item : s.placeList1.items()) out << item << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: trevanor-dump MAP_FILE [FLEET_REPORT]\n";
        return 2;
    }
    Session session;
    session.Default_colors = kDefaultColors;
    MemorySettings store;
    RecordingPrompter prompter;
    Settings settings(session, store, prompter);
    settings.onFatal = [] { throw RegistryFatal(); };
    WindowHooks hooks;
    Core core(session, prompter, settings, hooks);

    int status = 0;
    try {
        core.read_MAP_file(argv[1]);
        if (argc == 3) core.read_fleet_file(argv[2]);
    } catch (const std::exception& e) {
        prompter.error(e.what());
        std::cerr << e.what() << '\n';
        status = 1;
    }
    print_all(std::cout, session, prompter);
    std::cout.flush();
    return std::cout ? status : 1;
}
