#pragma once
// The game's files: reading them as lines of bytes, file names, and paths as
// messages show them.
//
// LF, CR LF and a CR alone each end a line. A line end at the very end of
// the file does not start another line, and an empty file reads as one empty
// line (its heading line).

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace trevanor {

// A path as the program keeps it turned into one the system opens. On Windows
// paths are kept as UTF-8, which std::filesystem takes only from char8_t (a
// plain char string it reads byte by byte, not as UTF-8, whatever the code
// page): so any folder name opens. Elsewhere the bytes pass unchanged.
std::filesystem::path file_path(const std::string& path);
// The other way: a path of the system as the program keeps it (UTF-8 on Windows).
std::string path_string(const std::filesystem::path& path);

// Throws FileError with the system's reason when the file cannot be opened or read.
std::string read_file_bytes(const std::string& path);

// The views point into `bytes`.
std::vector<std::string_view> split_lines(std::string_view bytes);

// True for an existing file (not a folder).
bool file_exists(const std::string& path);

// The file name part of a path (after the last '/' or '\').
std::string file_name_part(std::string_view path);

// The extension including its dot ("" when the name has none).
std::string file_extension(std::string_view path);

// How a path appears in a message. Paths are kept in the system's file-name
// encoding while messages are code page 1252 text; the program installs the
// conversion once at start (without one a path is shown as it is).
using PathDecoder = std::string (*)(const std::string& path);
void set_path_decoder(PathDecoder decoder);
std::string shown_path(const std::string& path);

}  // namespace trevanor
