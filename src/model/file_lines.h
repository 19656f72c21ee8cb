#pragma once
// Reading the game's text files as lines of bytes.
//
// LF ends a line and one CR directly before it is dropped; a CR elsewhere is
// text. A line end at the very end of the file does not start another line,
// and an empty file reads as one empty line (its heading line).

#include <string>
#include <string_view>
#include <vector>

namespace trevanor {

// Throws FileError with the system's reason when the file cannot be opened or read.
std::string read_file_bytes(const std::string& path);

// The views point into `bytes`.
std::vector<std::string_view> split_lines(std::string_view bytes);

bool file_exists(const std::string& path);

}  // namespace trevanor
