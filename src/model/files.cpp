#include "files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

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

std::filesystem::path file_path(const std::string& path) {
    try {
        return std::filesystem::path(std::u8string(path.begin(), path.end()));
    } catch (const std::exception&) {
        return std::filesystem::path(path);  // no UTF-8 (written by an older version): as it is
    }
}

std::string path_string(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();  // elsewhere than on Windows the bytes as they are
    return std::string(text.begin(), text.end());
}

std::string read_file_bytes(const std::string& path) {
    // A folder, a pipe or a device is no game file: a pipe would wait for a
    // writer for ever, a device like /dev/zero never ends.
    const std::filesystem::path at = file_path(path);
    std::error_code ec;
    const auto status = std::filesystem::status(at, ec);
    if (std::filesystem::is_directory(status)) fail("Cannot open file", path, EISDIR);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        fail("Cannot open file", path, "not a regular file");
    errno = 0;
    std::ifstream file(at, std::ios::binary);
    if (!file) fail("Cannot open file", path, errno ? errno : ENOENT);
    std::string bytes;
    char buffer[1 << 16];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0)
        bytes.append(buffer, static_cast<std::size_t>(file.gcount()));
    if (file.bad()) fail("Cannot read file", path, errno ? errno : EIO);
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
    const std::filesystem::path at = file_path(path);
    return !path.empty() && std::filesystem::exists(at, ec) && !std::filesystem::is_directory(at, ec);
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
