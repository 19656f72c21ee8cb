// A kept turn as the program finds it in its data folder, damaged or crafted
// in any way: its description (turn.txt) and the packed copies of the files
// it names, listed and read back as the program lists and reads them. The
// input is the description, then each copy, parted by a line "@@". In the
// description's file lines "{size}", "{stored}" and "{key}" stand for the
// copy's own figures, so that inputs reach past the checks of sizes and
// hashes; a copy that is no gzip data is packed before it is written. Rules:
// a turn listed names its files by plain names only (or "ally-N/" and one),
// and reading it either gives a fleet table or stops with one of the
// model's errors; nothing is left in the folder it was unpacked into.

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <regex>
#include <string_view>

#include "fuzz_support.h"
#include "model/earlier_year.h"
#include "model/game_history.h"
#include "model/packed_copy.h"
#include "model/race_series.h"

using namespace trevanor;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> parts_of(std::string_view input) {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t at = input.find("\n@@\n", start);
        parts.emplace_back(input.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos) return parts;
        start = at + 4;
    }
}

void replace_all(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// What gzip data unpacks to, up to 64 MB; empty when it is no whole gzip data.
std::string gunzip(const std::string& copy) {
    z_stream z{};
    if (inflateInit2(&z, 15 + 16) != Z_OK) return {};
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(copy.data()));
    z.avail_in = static_cast<uInt>(copy.size());
    std::string out;
    char buffer[1 << 16];
    int result = Z_OK;
    while (result == Z_OK && out.size() < (std::size_t{64} << 20)) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        result = inflate(&z, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - z.avail_out);
        if (result == Z_BUF_ERROR && z.avail_in == 0) break;
    }
    inflateEnd(&z);
    return result == Z_STREAM_END ? out : std::string();
}

// A name the harness may write under the turn's folder: what the program writes.
bool writable_name(const std::string& name) {
    static const std::regex plain(R"((ally-[1-9][0-9]{0,3}/)?[A-Za-z0-9._ -]{1,64})");
    return std::regex_match(name, plain) && name.find("..") == std::string::npos;
}

// The description with each file line's placeholders filled in from its copy,
// and the copies as they are written; the names the file lines give.
std::string fill_in(const std::string& description, std::vector<std::string>& copies, std::vector<std::string>& names) {
    std::string out;
    std::size_t file = 0;
    for (std::size_t start = 0; start < description.size();) {
        std::size_t end = description.find('\n', start);
        if (end == std::string::npos) end = description.size();
        std::string line = description.substr(start, end - start);
        start = end + 1;
        const bool fileLine = line.starts_with("map\t") || line.starts_with("first\t") || line.starts_with("ally\t");
        if (fileLine && file < copies.size()) {
            std::string& copy = copies[file++];
            const std::string bytes = copy.starts_with("\x1f\x8b") ? gunzip(copy) : copy;
            if (!copy.starts_with("\x1f\x8b")) copy = packed(copy);
            replace_all(line, "{size}", std::to_string(bytes.size()));
            replace_all(line, "{stored}", std::to_string(copy.size()));
            replace_all(line, "{key}", content_key({bytes}));
            names.push_back(line.substr(line.find('\t') + 1, line.find('\t', line.find('\t') + 1) - line.find('\t') - 1));
        }
        out += line + '\n';
    }
    return out;
}

void read_turn(const KeptTurn& turn) {
    for (const KeptFile* f : turn.files())
        if (!writable_name(f->name)) fuzz::broken("a kept turn naming \"" + f->name + "\" was listed");
    fuzz::SilentPrompter prompter;
    try {
        const auto year = EarlierYear::read_kept(turn, prompter);
        fuzz::check_position_table(year->session(), "reading a kept turn");
    } catch (const FileError&) {
    } catch (const MergeError&) {
    } catch (const ConversionError&) {
    } catch (const TableLimitError&) {
    } catch (const RegistryFatal&) {
    }
}

}  // namespace

// Kept turns are unpacked under the system's temp folder: here, the scratch folder's.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fs::create_directories(fuzz::scratch_dir() / "tmp");
    setenv("TMPDIR", (fuzz::scratch_dir() / "tmp").c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> parts = parts_of({reinterpret_cast<const char*>(data), size});
    std::vector<std::string> copies(parts.begin() + 1, parts.end()), names;
    const std::string description = fill_in(parts[0], copies, names);
    const fs::path game = fuzz::scratch_dir() / "history" / "DEMO.MAP";
    const fs::path folder = game / "20260101-000000-0123456789abcdef";
    std::error_code ec;
    fs::remove_all(game, ec);
    fs::create_directories(folder / "ally-1");
    fuzz::write_file("history/DEMO.MAP/20260101-000000-0123456789abcdef/turn.txt",
                     reinterpret_cast<const std::uint8_t*>(description.data()), description.size());
    for (std::size_t k = 0; k < names.size() && k < copies.size(); ++k) {
        if (!writable_name(names[k])) continue;
        fs::create_directories((folder / (names[k] + ".gz")).parent_path(), ec);
        std::ofstream(folder / (names[k] + ".gz"), std::ios::binary) << copies[k];
    }
    const GameHistory::Listing listing = GameHistory(game.string(), GameHistory::kDefaultCap, "DEMO.MAP").turns();
    for (const KeptTurn& turn : listing.turns) read_turn(turn);
    RaceSeries::build(listing.turns, Measure::Ships);
    for (const auto& entry : fs::directory_iterator(fuzz::scratch_dir() / "tmp", ec))
        fuzz::broken("a kept turn read left " + entry.path().string() + " behind");
    return 0;
}
