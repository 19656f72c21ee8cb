#pragma once
// The kept copies of the game's files, packed with gzip: a report of the
// largest game shrinks about six times, so that 200 turns of it take about a
// hundred megabytes instead of six hundred and fifty. A copy unpacks to the
// very bytes read (any gzip tool unpacks it too).

#include <cstdint>
#include <string>
#include <string_view>

namespace trevanor {

std::string packed(std::string_view bytes);
// Unpacks a copy known to hold `size` bytes: unpacking stops as soon as it
// would give more. Throws FileError naming `name` when the bytes are no
// whole gzip data, or unpack to another size.
std::string unpacked(std::string_view bytes, const std::string& name, std::uint64_t size);

}  // namespace trevanor
