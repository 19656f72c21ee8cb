#include "test_support.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <vector>

namespace trevanor::test {

ScratchDir::ScratchDir() {
    static std::atomic<int> counter{0};
    dir_ = std::filesystem::temp_directory_path() /
           ("trevanor-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(dir_);
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

std::string ScratchDir::write(const std::string& name, const std::string& bytes) const {
    const auto file = dir_ / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
}

Rig::Rig() {
    session.Default_colors = kDefaultColors;
    settings.onFatal = [] { throw RegistryFatal(); };
}

std::string fleet_line(std::initializer_list<std::pair<int, std::string>> fields) {
    std::vector<std::string> cells(29);
    for (const auto& [c, text] : fields) cells[static_cast<std::size_t>(c)] = text;
    std::string line;
    for (std::size_t c = 0; c < cells.size(); ++c) line += (c ? "\t" : "") + cells[c];
    return line;
}

const std::string kFleetHeading = [] {
    std::string h = "Fleet Name";
    for (int c = 1; c < 29; ++c) h += "\tH" + std::to_string(c);
    return h;
}();

}  // namespace trevanor::test
