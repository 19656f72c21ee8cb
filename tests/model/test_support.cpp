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

}  // namespace trevanor::test
