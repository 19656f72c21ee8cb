// trevanor-gen: writes a sample Kelvra game (MAP file and fleet reports) into a folder.
#include "game_generator.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>

namespace {

constexpr const char* kUsage =
    "usage: trevanor-gen [--seed N] [--years N] [--max [--fleets-per-player K]] OUTDIR\n"
    "  --years N  write N consecutive years (1..20, default 1); the reports of k years\n"
    "             before the last are named STEM-k.F<player>\n";

int usage_error(const std::string& message) {
    std::cerr << "trevanor-gen: " << message << "\n" << kUsage;
    return 2;
}

template <class T>
bool parse_number(const std::string& text, T& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

bool write_file(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    if (out) return true;
    std::cerr << "trevanor-gen: cannot write " << path.string() << "\n";
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t seed = 1;
    bool max = false;
    bool fleetsGiven = false;
    int fleetsPerPlayer = 0;
    int years = 1;
    std::string outDir;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--seed" || arg == "--fleets-per-player" || arg == "--years") {
            if (i + 1 >= argc) return usage_error(arg + " needs a value");
            const std::string value = argv[++i];
            fleetsGiven = fleetsGiven || arg == "--fleets-per-player";
            const bool ok = arg == "--seed"                ? parse_number(value, seed)
                            : arg == "--fleets-per-player" ? parse_number(value, fleetsPerPlayer)
                                                           : parse_number(value, years);
            if (!ok) return usage_error("bad value for " + arg + ": '" + value + "'");
        } else if (arg == "--max") {
            max = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usage_error("unknown option " + arg);
        } else if (!outDir.empty()) {
            return usage_error("only one OUTDIR may be given");
        } else {
            outDir = arg;
        }
    }
    if (outDir.empty()) return usage_error("OUTDIR missing");
    if (fleetsGiven && !max) return usage_error("--fleets-per-player needs --max");

    trevanor::gen::GameFiles files;
    try {
        if (max) {
            trevanor::gen::MaxGameOptions options;
            if (fleetsGiven) options.fleetsPerPlayer = fleetsPerPlayer;
            options.years = years;
            files = trevanor::gen::make_max_game(seed, options);
        } else {
            files = trevanor::gen::make_demo_game(seed, years);
        }
    } catch (const std::exception& e) {
        return usage_error(e.what());
    }

    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    if (ec) {
        std::cerr << "trevanor-gen: cannot create " << outDir << ": " << ec.message() << "\n";
        return 1;
    }
    const std::string stem = max ? "MAX" : "DEMO";
    const std::filesystem::path dir(outDir);
    if (!write_file(dir / (stem + ".MAP"), files.map)) return 1;
    auto write_reports = [&](const std::string& name, const trevanor::gen::Reports& reports) {
        for (const auto& [player, report] : reports)
            if (!write_file(dir / (name + ".F" + std::to_string(player)), report)) return false;
        return true;
    };
    if (!write_reports(stem, files.reports)) return 1;
    for (std::size_t k = 1; k <= files.earlier.size(); ++k)
        if (!write_reports(stem + "-" + std::to_string(k), files.earlier[k - 1])) return 1;
    return 0;
}
