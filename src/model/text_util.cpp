#include "text_util.h"

#include <limits>

#include "errors.h"

namespace trevanor {

const std::array<unsigned char, 256> kLowerBytes = [] {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c) table[static_cast<std::size_t>(c)] = lower_byte_of(static_cast<unsigned char>(c));
    return table;
}();

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

static std::optional<std::int32_t> parse_int32(std::string_view text) {
    const auto v = parse_int(text);
    if (!v || *v < std::numeric_limits<std::int32_t>::min() || *v > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

[[noreturn]] static void not_an_integer(std::string_view text) {
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

std::string visible_text(std::string_view text) {
    constexpr std::size_t kShown = 60;
    std::string out;
    for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != 0x7F) {
            out += static_cast<char>(c);
            continue;
        }
        static constexpr char kHex[] = "0123456789ABCDEF";
        out += "\\x";
        out += kHex[c >> 4];
        out += kHex[c & 15];
    }
    if (text.size() > kShown) out += "...";
    return out;
}

std::int32_t to_int_def(std::string_view text, std::int32_t fallback) {
    return parse_int32(text).value_or(fallback);
}

std::string to_lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(lower_byte(static_cast<unsigned char>(c)));
    return out;
}

int compare_ci(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = lower_byte(static_cast<unsigned char>(a[i]));
        const unsigned char y = lower_byte(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool equal_ci(std::string_view a, std::string_view b) {
    return a.size() == b.size() && compare_ci(a, b) == 0;
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
