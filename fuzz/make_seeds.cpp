// trevanor-fuzz-seeds OUTDIR: writes the harnesses' seed inputs, a handful of
// small files each, into OUTDIR/<harness>/ (fuzz/corpus/ holds its output):
// the first lines of the demo game (samples/) in its three line-end forms,
// and small generated games.

#include <array>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "game_generator.h"
#include "model/packed_copy.h"

namespace {

namespace fs = std::filesystem;

std::string read(const std::string& name) {
    std::ifstream in(std::string(TREVANOR_SAMPLES_DIR) + "/" + name, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    if (!in && !in.eof()) throw std::runtime_error("cannot read " + name);
    return out.str();
}

// The first `count` lines, CR LF as in the game's files.
std::string head(const std::string& text, int count) {
    std::size_t end = 0;
    for (int k = 0; k < count && end != std::string::npos; ++k) {
        end = text.find('\n', end);
        if (end != std::string::npos) ++end;
    }
    return text.substr(0, end);
}

// The same lines ended by `lineEnd` instead of CR LF.
std::string relined(const std::string& text, const std::string& lineEnd) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += lineEnd;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

void write(const fs::path& dir, const std::string& name, const std::string& bytes) {
    fs::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary) << bytes;
}

// The merge harness's four option bytes before a report.
std::string options(std::array<unsigned char, 4> bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: trevanor-fuzz-seeds OUTDIR\n";
        return 2;
    }
    const fs::path out = argv[1];
    const std::string map = read("DEMO.MAP"), f1 = read("DEMO.F1"), f2 = read("DEMO.F2"), f4 = read("DEMO.F4");

    trevanor::gen::MaxGameOptions small;
    small.players = 4;
    small.fleetsPerPlayer = 5;
    small.planets = 12;
    small.renamedShare = 0.4;
    small.allyReports = 1;
    const trevanor::gen::GameFiles game = trevanor::gen::make_max_game(7, small);

    const fs::path maps = out / "map_reader";
    write(maps, "demo_crlf", head(map, 40));
    write(maps, "demo_lf", relined(head(map, 20), "\n"));
    write(maps, "demo_cr", relined(head(map, 20), "\r"));
    write(maps, "gen_small", game.map);

    const fs::path first = out / "first_report";
    write(first, "demo_f1_crlf", head(f1, 30));
    write(first, "demo_f1_lf", relined(head(f1, 12), "\n"));
    write(first, "demo_f2", head(f2, 20));
    write(first, "gen_small_f1", game.reports.at(0).second);

    const fs::path ally = out / "ally_merge";
    write(ally, "demo_f2_delete", options({1, 1 | 4, 1, 1 | 2}) + head(f2, 30));
    write(ally, "demo_f4_overwrite", options({3, 1 | 8 | 16, 3, 1 | 4 | 128}) + head(f4, 30));
    write(ally, "demo_f2_keep_lf", options({1, 1, 2, 8}) + relined(head(f2, 15), "\n"));
    write(ally, "gen_small_f2", options({0, 0, 1, 4}) + game.reports.at(1).second);

    // A kept turn: its description, then its copies, parted by "@@" lines; the copies'
    // figures left for the harness to fill in, or given, the copies packed or not.
    const auto description = [](const std::string& mapName, const std::string& figures) {
        return "Trevanor turn 1\nlabel\t2026-01-01 00:00\ntime\t1767225600\nkey\t0123456789abcdef\n"
               "own-race\tVorlani\nmap\t" + mapName + "\t1767225600\t{size}\t{key}\t{stored}\n"
               "first\tDEMO.F1\t1767225600\t{size}\t{key}\t{stored}\n"
               "ally\tally-1/DEMO.F2\t1767225600\t{size}\t{key}\t{stored}\tQuessari\t1010\nfleets\t10\n"
               "race\t1\tVorlani\t255\t" + figures + "\nend\n";
    };
    const std::string figures = "5\t9\t1\t2\t3\t0\t1\t400\t9\t10\t20\t30\t0";
    const std::string files = "\n@@\n" + game.map + "\n@@\n" + game.reports.at(0).second + "\n@@\n" + game.reports.at(1).second;
    const fs::path kept = out / "kept_turn";
    write(kept, "whole", description("DEMO.MAP", figures) + files);
    write(kept, "packed", description("DEMO.MAP", figures) + "\n@@\n" + trevanor::packed(game.map) + "\n@@\n" +
                              trevanor::packed(game.reports.at(0).second));
    write(kept, "outside", description("/tmp/trevanor-fuzz-outside/DEMO.MAP", figures) + files);
    write(kept, "figures", description("DEMO.MAP", "-5\t9\t1\t2\t3\t0\t1\t2147483648\t9\t10\t20\t30\t0") + files);

    const fs::path settings = out / "settings";
    write(settings, "written",
          "[General]\nAutoload_MAP=dword:00000001\nAutoload_map_file=sz:/games/DEMO.MAP\nskip_conf=dword:00000000\n"
          "rfile1=sz:/games/DEMO.MAP\nrfile2=sz:\nrfile3=sz:\nrfile4=sz:\n\n"
          "[GAME.MAP]\nautoload_fleet=dword:00000001\nfirst_report=sz:/games/DEMO.F1\nOwn_race=sz:Vorlani\n"
          "p1=dword:00808000\np2=dword:00008000\np3=dword:00008080\np4=dword:0000ff00\np5=dword:00003f00\n"
          "p6=dword:0000ffff\np7=dword:003f7fff\np8=dword:00ffff00\np9=dword:00ff0000\np10=dword:00ff7f7f\n"
          "p11=dword:00800000\np12=dword:00ff00ff\np13=dword:00800080\np14=dword:007f7f7f\np15=dword:000000ff\n"
          "p16=dword:00000080\n");
    write(settings, "wrong_types",
          "[General]\nAutoload_MAP=sz:1\nAutoload_map_file=dword:00000001\nskip_conf=yes\nrfile1=dword:00000002\n"
          "[GAME.MAP]\nautoload_fleet=sz:\nfirst_report=dword:0000000g\nOwn_race=\"a, b\"\np1=dword:1\n");
    write(settings, "hand_edited",
          "; edited by hand\n[general]\nAUTOLOAD_MAP=dword:00000000\nautoload_map=dword:00000001\n"
          "RFILE1=/games/A|2FB.MAP\n[game.map]\nP1=dword:ffffffff\n[GAME.MAP]\nown_race=sz:_none_\n[broken\n"
          "[GAME.MAP/sub]\nx=1\n");
    write(settings, "named_map", ";A|B/C.MAP\n[A|7CB|2FC.MAP]\nOwn_race=sz:Quessari\n[C.MAP]\np16=dword:00000001\n");
    // Values of other types, as QSettings writes them: an image, a font, bytes, nothing.
    write(settings, "variants",
          R"ini([General]
Autoload_MAP=@Variant(\0\0\0\x41\0\0\0\x1\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x2\0\0\0\x2\b\x2\0\0\0\xfd\xd4\x9as\0\0\0\tpHYs\0\0\xe\xc4\0\0\xe\xc4\x1\x95+\xe\x1b\0\0\0\x16IDAT\b\x99\x63\xfc\xcf\xc0\xc0\xc0\xc0\xc0\xc4\xc0\xc0\xc0\xc0\xc0\0\0\r\x1d\x1\x3\f\xc7\xe7\x89\0\0\0\0IEND\xae\x42`\x82)
rfile1=@Variant(\0\0\0@\0\0\0\f\0T\0\x61\0h\0o\0m\0\x61@(\0\0\0\0\0\0\xff\xff\xff\xff\x5\x1\0\x32\x10)
[GAME.MAP]
Own_race=@ByteArray(Vorlani)
p1=@Invalid()
)ini");
    // Lists that claim far more elements than the file holds: Qt reserves room for them first.
    write(settings, "huge_count", R"ini([General]
Autoload_MAP=@Variant(\0\0\0\t\x7f\xff\xff\xff)
rfile1=@Variant(\0\0\0\v\xf\xff\xff\xff)
)ini");
    std::cout << "seeds written to " << out.string() << "\n";
    return 0;
}
