#include "numbers.h"

#include <limits>
#include <string>

#include "errors.h"
#include "text.h"

namespace trevanor {

std::optional<std::int64_t> parse_int(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) return std::nullopt;
    std::uint64_t value = 0;
    const std::uint64_t limit = negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        const unsigned digit = static_cast<unsigned>(c - '0');
        if (value > (limit - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    if (negative) return value == (std::uint64_t{1} << 63) ? std::numeric_limits<std::int64_t>::min()
                                                           : -static_cast<std::int64_t>(value);
    return static_cast<std::int64_t>(value);
}

std::optional<std::int32_t> parse_int32(std::string_view text) {
    const auto v = parse_int(text);
    if (!v || *v < std::numeric_limits<std::int32_t>::min() || *v > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

void saturating_add(std::int64_t& sum, std::int64_t value) {
    if (__builtin_add_overflow(sum, value, &sum))
        sum = value > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
}

void not_an_integer(std::string_view text) {
    throw ConversionError("'" + visible_text(text) + "' is not a valid integer value");
}

std::int32_t to_int(std::string_view text) {
    if (const auto v = parse_int32(text)) return *v;
    not_an_integer(text);
}

std::int64_t to_int64(std::string_view text) {
    if (const auto v = parse_int(text)) return *v;
    not_an_integer(text);
}

std::int32_t to_int_def(std::string_view text, std::int32_t fallback) { return parse_int32(text).value_or(fallback); }

}  // namespace trevanor
