#pragma once
// Numbers held as text in the tables: decimal integers with an optional sign.

#include <cstdint>
#include <optional>
#include <string_view>

namespace trevanor {

// An optional sign followed by decimal digits, nothing else; nullopt for any
// other text and for values outside the 64-bit range.
std::optional<std::int64_t> parse_int(std::string_view text);
// The same within the 32-bit range: a cell's number, nullopt for a blank or
// damaged cell.
std::optional<std::int32_t> parse_int32(std::string_view text);

// The value as a 32-bit (to_int) or 64-bit (to_int64) number; a text that is
// not one throws not_an_integer's error.
std::int32_t to_int(std::string_view text);
std::int64_t to_int64(std::string_view text);

// The value, or `fallback` when the text is not a 32-bit integer.
std::int32_t to_int_def(std::string_view text, std::int32_t fallback);

// sum + value, stopping at the nearest 64-bit limit instead of wrapping.
void saturating_add(std::int64_t& sum, std::int64_t value);

// The conversion error naming the text as a message shows it:
// "'12a' is not a valid integer value".
[[noreturn]] void not_an_integer(std::string_view text);

}  // namespace trevanor
