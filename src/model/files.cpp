#include "files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <algorithm>
#include <memory>

#include "errors.h"

namespace trevanor {

namespace {
PathDecoder pathDecoder = nullptr;

[[noreturn]] void fail(const char* what, const std::string& path, const std::string& reason) {
    throw FileError(std::string(what) + " \"" + shown_path(path) + "\": " + reason);
}
[[noreturn]] void fail(const char* what, const std::string& path, int err) { fail(what, path, std::strerror(err)); }
}  // namespace

void set_path_decoder(PathDecoder decoder) { pathDecoder = decoder; }

std::string shown_path(const std::string& path) { return pathDecoder ? pathDecoder(path) : path; }

std::string read_file_bytes(const std::string& path) {
    // A folder, a pipe or a device is no game file: a pipe would wait for a
    // writer for ever, a device like /dev/zero never ends.
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (std::filesystem::is_directory(status)) fail("Cannot open file", path, EISDIR);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        fail("Cannot open file", path, "not a regular file");
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) fail("Cannot open file", path, errno);
    std::string bytes;
    char buffer[1 << 16];
    for (;;) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, file.get());
        bytes.append(buffer, n);
        if (n < sizeof buffer) {
            if (std::ferror(file.get())) fail("Cannot read file", path, errno ? errno : EIO);
            break;
        }
    }
    return bytes;
}

std::vector<std::string_view> split_lines(std::string_view bytes) {
    // One pass over the bytes: a large report is cut into lines in a small
    // part of its import.
    std::vector<std::string_view> lines;
    lines.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        std::size_t next = end + 1;
        if (end < bytes.size() && bytes[end] == '\r' && next < bytes.size() && bytes[next] == '\n') ++next;
        lines.push_back(bytes.substr(start, end - start));
        start = next;
    }
    if (lines.empty()) lines.emplace_back();
    return lines;
}

bool file_exists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::exists(path, ec) && !std::filesystem::is_directory(path, ec);
}

std::string file_name_part(std::string_view path) {
    const auto pos = path.find_last_of("/\\");
    return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::string file_extension(std::string_view path) {
    const std::string name = file_name_part(path);
    const auto pos = name.rfind('.');
    return pos == std::string::npos ? std::string() : name.substr(pos);
}

}  // namespace trevanor
