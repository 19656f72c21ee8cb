#include "packed_copy.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

#include "errors.h"

namespace trevanor {

namespace {
constexpr int kGzip = 15 + 16;  // the largest window, with a gzip header and trailer
constexpr std::size_t kPiece = std::numeric_limits<uInt>::max() / 2;

[[noreturn]] void damaged(const std::string& name) {
    throw FileError("The kept copy of \"" + name + "\" is damaged: it cannot be unpacked.");
}
}  // namespace

std::string packed(std::string_view bytes) {
    z_stream z{};
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, kGzip, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw FileError("The copy cannot be packed: out of memory.");
    std::string out(deflateBound(&z, static_cast<uLong>(bytes.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    z.avail_in = static_cast<uInt>(bytes.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    if (result != Z_STREAM_END) throw FileError("The copy cannot be packed.");
    return out;
}

std::string unpacked(std::string_view bytes, const std::string& name, std::uint64_t size) {
    z_stream z{};
    if (bytes.size() > kPiece || inflateInit2(&z, kGzip) != Z_OK) damaged(name);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    z.avail_in = static_cast<uInt>(bytes.size());
    std::string out;
    // A damaged description may give any size: the room is made as the bytes come.
    out.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(size, 8 * std::uint64_t{bytes.size()} + 65536)));
    char buffer[1 << 16];
    int result = Z_OK;
    while (result == Z_OK && out.size() <= size) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        result = inflate(&z, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - z.avail_out);
        if (result == Z_BUF_ERROR && z.avail_in == 0) break;  // the data ended early
    }
    const bool whole = result == Z_STREAM_END && z.total_in == bytes.size() && out.size() == size;
    inflateEnd(&z);
    if (!whole) damaged(name);
    return out;
}

}  // namespace trevanor
