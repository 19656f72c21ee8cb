#pragma once
// The game's text is 8-bit, code page 1252: case-insensitive comparison of it
// (byte-wise on lower-cased text), and texts as messages show them.

#include <array>
#include <string>
#include <string_view>

namespace trevanor {

// Lower case of one code page 1252 byte (ASCII and the accented letters).
constexpr unsigned char lower_byte_of(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<unsigned char>(c + 16);
    if (c == 0x9F) return 0xFF;
    return c;
}
extern const std::array<unsigned char, 256> kLowerBytes;
inline unsigned char lower_byte(unsigned char c) { return kLowerBytes[c]; }

std::string to_lower(std::string_view text);

// Byte-wise comparison of the lower-cased texts: <0, 0, >0.
int compare_ci(std::string_view a, std::string_view b);
bool equal_ci(std::string_view a, std::string_view b);

// The first n bytes of a text.
inline std::string_view left(std::string_view text, std::size_t n) {
    return text.substr(0, n < text.size() ? n : text.size());
}

// A text as a message shows it: control bytes written as \xNN, and a long
// text cut after 60 characters with "..." (a damaged cell may hold megabytes).
std::string visible_text(std::string_view text);

}  // namespace trevanor
