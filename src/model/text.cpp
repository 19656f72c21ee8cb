#include "text.h"

namespace trevanor {

const std::array<unsigned char, 256> kLowerBytes = [] {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c) table[static_cast<std::size_t>(c)] = lower_byte_of(static_cast<unsigned char>(c));
    return table;
}();

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

bool equal_ci(std::string_view a, std::string_view b) { return a.size() == b.size() && compare_ci(a, b) == 0; }

std::string visible_text(std::string_view text) {
    constexpr std::size_t kShown = 60;
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != 0x7F) {
            out += static_cast<char>(c);
            continue;
        }
        out += "\\x";
        out += kHex[c >> 4];
        out += kHex[c & 15];
    }
    if (text.size() > kShown) out += "...";
    return out;
}

}  // namespace trevanor
