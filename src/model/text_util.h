#pragma once
// Small text helpers shared by the readers: integers in cell texts,
// case-insensitive comparison of 8-bit (code page 1252) text, file names.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trevanor {

// An optional sign followed by decimal digits, nothing else; nullopt for any
// other text and for values outside the 64-bit range.
std::optional<std::int64_t> parse_int(std::string_view text);

// The same, as a 32-bit value; throws ConversionError naming the text
// ("'12a' is not a valid integer value") when it is not one.
std::int32_t to_int(std::string_view text);
// The same for a 64-bit value.
std::int64_t to_int64(std::string_view text);

// A text as a message shows it: control bytes written as \xNN, and a long
// text cut after 60 characters with "..." (a damaged cell may hold megabytes).
std::string visible_text(std::string_view text);

// The value, or `fallback` when the text is not a 32-bit integer.
std::int32_t to_int_def(std::string_view text, std::int32_t fallback);

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

// The file name part of a path (after the last '/' or '\').
std::string file_name_part(std::string_view path);

// The extension including its dot ("" when the name has none).
std::string file_extension(std::string_view path);

// The first n bytes of a text.
inline std::string_view left(std::string_view text, std::size_t n) {
    return text.substr(0, n < text.size() ? n : text.size());
}

}  // namespace trevanor
