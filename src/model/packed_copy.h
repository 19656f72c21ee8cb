#pragma once
// The kept copies of the game's files, packed with gzip: a report of the
// largest game shrinks about six times, so that 200 turns of it take about a
// hundred megabytes instead of six hundred and fifty. A copy unpacks to the
// very bytes read (any gzip tool unpacks it too).

#include <string>
#include <string_view>

namespace trevanor {

std::string packed(std::string_view bytes);
// Throws FileError naming `name` when the bytes are no whole gzip data.
std::string unpacked(std::string_view bytes, const std::string& name);

}  // namespace trevanor
